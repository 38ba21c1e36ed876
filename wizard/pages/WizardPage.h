// A page of the wizard: the shared header, separator lines and button row,
// with Cancel, Help and the title bar's close box doing what they do on
// every page.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "ui/Form.h"
#include "wizard/pages/AnswerReplay.h"

class WizardPage : public ui::Form {
  public:
    // The designed header band "Top"; the member's name leaves Form::Top()
    // to the page's position.
    ui::Control TopArea;
    ui::Control Logo;
    ui::Control Line3;
    ui::Control Line4;
    ui::Control btnBack;
    ui::Control btnNext;
    ui::Control btnCancel;
    ui::Control btnHelp;

    // For the answer file (AnswerReplay.h): the page's answers, which are the
    // selected option of each group, every check box and what ExtraAnswers
    // adds; taking those extras from the file, through the handlers a user's
    // action runs (false, with the replay stopped, when the file does not fit
    // the page); pressing Next as the file says.
    std::vector<std::pair<std::string, std::string>> Answers() const;
    virtual std::vector<std::pair<std::string, std::string>> ExtraAnswers() const { return {}; }
    virtual bool TakeExtraAnswers() { return true; }
    virtual void PressNextAsAnswered() { btnNext.Click(); }

  protected:
    explicit WizardPage(const char* name);
    // At load: placed, captioned with the wizard's title, the logo copied in.
    void ApplyPageConvention();
    // A page shown is a line in the run's record.
    void OnShown() override;
    // Closing from the title bar is abandoning the wizard, as Cancel is.
    void OnCloseBox() override;
    // F1 opens the wizard's help, as the Help button does.
    bool OnKeyPreview(int keyCode, int shift) override;
    // Next and Back take one press at a time, on every page: while a step
    // still waits (for a program, or for the next page to load) a second
    // press would run it again and open the next page twice.
    static std::function<void()> OneStepAtATime(std::function<void()> step);
    // The handler of Next or Back (`via`): one press at a time, and the
    // page's choices in the run's record as the user leaves it.
    std::function<void()> LeavingBy(const char* via, std::function<void()> step);
    // What the user chose on the page: the selected option of each group,
    // every check box, text box and list selection (`withTexts`), or only
    // what a click sets.
    std::vector<std::pair<std::string, std::string>> Choices(bool withTexts = true) const;
    // The page's choices in the run's record as the user leaves it by `via`.
    void RecordLeaving(const char* via) const;
    // A key or a click of the user's own ends a replay.
    void OnUserAction() override;

  private:
    friend void TakeAnswersOn(WizardPage& page);
    std::unique_ptr<PageReplay> replay_;
};
