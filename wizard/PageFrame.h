// What every wizard page shares: where it is shown, how the user abandons
// the wizard, how the program ends, and what Next, Back, Cancel and Help do.
#pragma once

#include <functional>

namespace ui {
class Form;
}

// Puts the page where the previous page was left, or centres it; each
// coordinate on its own, 0 meaning "not stored".
void PlaceForm(ui::Form& form);
// Asks whether to abandon the wizard; on Yes, the version records of this
// run are taken back. True when the user confirmed.
bool ConfirmExit();
// Ends the program at once, without further events or messages; while an
// ExitDeferral stands it only records the request.
void FinishSetup();

// Ending the program in the middle of writing a file would leave it half
// written. While a writer holds this guard, FinishSetup (run by a Cancel
// confirmed during the write) only records the request; the writer then
// removes its partial file and calls FinishSetup again.
class ExitDeferral {
  public:
    ExitDeferral();
    ~ExitDeferral();
    ExitDeferral(const ExitDeferral&) = delete;
    ExitDeferral& operator=(const ExitDeferral&) = delete;
    // True once FinishSetup was called while a guard stood.
    static bool Requested();
};

// Next and Back: the next page appears where this one was left.
void StorePagePosition(const ui::Form& page);
// Cancel: ConfirmExit, then FinishSetup when confirmed.
void CancelWizard();
// Help: the wizard's help document from the setup image.
void ShowWizardHelp();

// Runs one step of a page's handler; a step that fails is left out and the
// handler goes on with the next.
void SkipOnFailure(const std::function<void()>& step);
