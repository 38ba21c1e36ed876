// The answer file's part in a page's life (AnswerFile.h). A page shown while
// a recording runs starts its section afresh and writes it as the user leaves
// forward. A page shown while a replay runs takes its choices from the file
// after a pause, through the handlers a user's clicks run, and after another
// pause presses Next; anything the file does not answer, or that does not fit
// the page as it stands, ends the replay and leaves the page to the user.
#pragma once

#include "ui/Form.h"

class WizardPage;

// Pauses between a page appearing, its choices being taken and Next, so that
// whoever watches sees the path go by and can take over. A silent run has
// no one watching: its steps follow as soon as the window's messages allow.
inline constexpr unsigned kReplayPauseMilliseconds = 1000;
inline constexpr unsigned kSilentStepMilliseconds = 1;

// The replay of one page: a pause, its choices, a pause, Next.
class PageReplay {
  public:
    explicit PageReplay(WizardPage& page);

  private:
    void Step();

    WizardPage& page_;
    ui::Timer timer_;
    bool choicesTaken_ = false;
};

// Once a page is shown (or before a modal page is shown).
void TakeAnswersOn(WizardPage& page);
// As the user (or the replay) leaves the page with Next.
void RecordAnswersOf(const WizardPage& page);
