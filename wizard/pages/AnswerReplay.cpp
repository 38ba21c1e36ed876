#include "wizard/pages/AnswerReplay.h"

#include <set>
#include <string>

#include "shared/RunLog.h"
#include "ui/Form.h"
#include "wizard/base/AnswerFile.h"
#include "wizard/base/SetupSession.h"
#include "wizard/pages/WizardPage.h"

namespace {

// The options of the group `group` on the page.
std::vector<ui::Control*> OptionsOf(const WizardPage& page, const std::string& group) {
    std::vector<ui::Control*> options;
    for (ui::Control* control : page.Controls()) {
        if (control->Kind() == ui::ControlKind::Option && control->Name() == group) {
            options.push_back(control);
        }
    }
    return options;
}

bool AnyVisible(const std::vector<ui::Control*>& controls) {
    for (const ui::Control* control : controls) {
        if (control->Visible()) return true;
    }
    return false;
}

// "0" to "99": an option's index or a check box's state, nothing else.
std::optional<int> SmallNumber(const std::string& text) {
    if (text.empty() || text.size() > 2) return std::nullopt;
    for (char c : text) {
        if (c < '0' || c > '9') return std::nullopt;
    }
    return std::stoi(text);
}

// Sets a control to `wanted` with the user's click, which must be his to
// make: a value already set fits, a change needs the control offered.
bool ClickTo(WizardPage& page, ui::Control& control, const std::string& key,
             const std::string& value) {
    if (control.Value() == 1 && control.Kind() == ui::ControlKind::Option) return true;
    if (!control.Visible() || !control.Enabled()) {
        answers::StopReplay(page.Name(), key + "=" + value + " is not offered");
        return false;
    }
    control.Click();
    run_log::Write("replayed-choice", {{"page", page.Name()}, {key, value}});
    return true;
}

bool TakeOption(WizardPage& page, const std::string& group) {
    const std::vector<ui::Control*> options = OptionsOf(page, group);
    const std::optional<std::string> value = answers::Value(page.Name(), group);
    if (!value) {
        if (!AnyVisible(options)) return true;
        answers::StopReplay(page.Name(), group + " is not answered");
        return false;
    }
    const std::optional<int> index = SmallNumber(*value);
    for (ui::Control* option : options) {
        if (index && option->Index() == *index) return ClickTo(page, *option, group, *value);
    }
    answers::StopReplay(page.Name(), group + "=" + *value + " is no option of the page");
    return false;
}

bool TakeCheckBox(WizardPage& page, ui::Control& box) {
    const std::optional<std::string> value = answers::Value(page.Name(), box.Name());
    if (!value) {
        if (!box.Visible()) return true;
        answers::StopReplay(page.Name(), box.Name() + " is not answered");
        return false;
    }
    const std::optional<int> wanted = SmallNumber(*value);
    if (!wanted || *wanted > 1) {
        answers::StopReplay(page.Name(), box.Name() + "=" + *value + " is neither 0 nor 1");
        return false;
    }
    return box.Value() == *wanted || ClickTo(page, box, box.Name(), *value);
}

// Every option group and check box of the page, in the order of the page.
bool TakeChoices(WizardPage& page) {
    if (!answers::PageAnswered(page.Name())) {
        answers::StopReplay(page.Name(), "the answer file does not answer the page");
        return false;
    }
    std::set<std::string> groupsTaken;
    for (ui::Control* control : page.Controls()) {
        bool fits = true;
        if (control->Kind() == ui::ControlKind::Option &&
            groupsTaken.insert(control->Name()).second) {
            fits = TakeOption(page, control->Name());
        } else if (control->Kind() == ui::ControlKind::CheckBox) {
            fits = TakeCheckBox(page, *control);
        }
        if (!fits) return false;
    }
    return page.TakeExtraAnswers();
}

void PressNext(WizardPage& page) {
    if (!page.btnNext.Visible() || !page.btnNext.Enabled()) {
        answers::StopReplay(page.Name(), "Weiter cannot be pressed");
        return;
    }
    run_log::Write("replayed-next", {{"page", page.Name()}});
    page.PressNextAsAnswered();
    // A page that stays after Next met something the file did not foresee.
    if (page.IsLoaded()) answers::StopReplay(page.Name(), "the page stayed after Weiter");
}

}  // namespace

PageReplay::PageReplay(WizardPage& page) : page_(page), timer_(page) {
    timer_.onTimer = [this] { Step(); };
    timer_.SetInterval(Session().Silent ? kSilentStepMilliseconds : kReplayPauseMilliseconds);
    timer_.SetEnabled(true);
}

void PageReplay::Step() {
    // One step at a time: a step may wait for a program, pumping events.
    timer_.SetEnabled(false);
    if (!answers::Replaying()) return;
    if (!choicesTaken_) {
        choicesTaken_ = TakeChoices(page_);
        timer_.SetEnabled(choicesTaken_);
        return;
    }
    PressNext(page_);
}

void TakeAnswersOn(WizardPage& page) {
    answers::ForgetPage(page.Name());
    if (answers::Replaying() && !page.replay_) page.replay_ = std::make_unique<PageReplay>(page);
}

void RecordAnswersOf(const WizardPage& page) {
    if (answers::Recording()) answers::RecordPage(page.Name(), page.Answers());
}
