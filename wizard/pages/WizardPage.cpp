#include "wizard/pages/WizardPage.h"

#include <cstring>

#include "shared/RunLog.h"
#include "ui/ResourceForm.h"
#include "wizard/base/AnswerFile.h"
#include "wizard/base/SetupSession.h"
#include "wizard/pages/AnswerReplay.h"
#include "wizard/pages/PageFrame.h"
#include "wizard/pages/PageTemplate.h"

using namespace page_template;

namespace {

bool stepRunning = false;

std::string SelectedItems(const ui::Control& list) {
    std::string selected;
    for (int i = 0; i < list.ListCount(); ++i) {
        if (!list.Selected(i)) continue;
        if (!selected.empty()) selected += ";";
        selected += list.List(i);
    }
    return selected;
}

}  // namespace

WizardPage::WizardPage(const char* name)
    : ui::Form("Setup-Assistent", kClientWidth, kClientHeight, name),
      TopArea(*this, kTop),
      Logo(*this, kLogo),
      Line3(*this, kHeaderLine),
      Line4(*this, kFooterLine),
      btnBack(*this, kBack),
      btnNext(*this, kNext),
      btnCancel(*this, kCancel),
      btnHelp(*this, kHelp) {
    btnCancel.onClick = [this] {
        RecordLeaving("Cancel");
        CancelWizard();
    };
    btnHelp.onClick = ShowWizardHelp;
}

void WizardPage::ApplyPageConvention() {
    PlaceForm(*this);
    SetCaption(Session().WizardTitle);
    Logo.SetPicture(ui::frmRes.Logo);
}

void WizardPage::OnShown() { run_log::Write("page", {{"name", Name()}}); }

void WizardPage::OnCloseBox() {
    RecordLeaving("Close");
    CancelWizard();
}

std::vector<std::pair<std::string, std::string>> WizardPage::Choices(bool withTexts) const {
    std::vector<std::pair<std::string, std::string>> choices;
    for (const ui::Control* control : Controls()) {
        switch (control->Kind()) {
            case ui::ControlKind::Option:
                if (control->Value() == 1) {
                    choices.emplace_back(control->Name(), std::to_string(control->Index()));
                }
                break;
            case ui::ControlKind::CheckBox:
                choices.emplace_back(control->Name(), std::to_string(control->Value()));
                break;
            case ui::ControlKind::TextBox:
                if (withTexts) choices.emplace_back(control->Name(), control->Text());
                break;
            case ui::ControlKind::ListBox:
                if (withTexts) choices.emplace_back(control->Name(), SelectedItems(*control));
                break;
            default:
                break;
        }
    }
    return choices;
}

std::vector<std::pair<std::string, std::string>> WizardPage::Answers() const {
    auto answers = Choices(false);
    for (auto& extra : ExtraAnswers()) answers.push_back(std::move(extra));
    return answers;
}

void WizardPage::RecordLeaving(const char* via) const {
    if (!run_log::IsOpen()) return;
    std::vector<run_log::Field> fields{{"name", Name()}, {"via", via}};
    const auto choices = Choices();
    for (const auto& [key, value] : choices) fields.push_back({key, value});
    run_log::Write("page-left", fields);
}

std::function<void()> WizardPage::LeavingBy(const char* via, std::function<void()> step) {
    return OneStepAtATime([this, via, step = std::move(step)] {
        RecordLeaving(via);
        const bool next = std::strcmp(via, "Next") == 0;
        // Before the step, which may end the program.
        if (next) RecordAnswersOf(*this);
        step();
        if (next) answers::NextEnded(Name());
    });
}

void WizardPage::OnUserAction() {
    if (answers::Replaying()) answers::StopReplay(Name(), "the user took over");
}

bool WizardPage::OnKeyPreview(int keyCode, int shift) {
    if (keyCode != platform::gui::kKeyF1 || shift != 0) return false;
    ShowWizardHelp();
    return true;
}

std::function<void()> WizardPage::OneStepAtATime(std::function<void()> step) {
    return [step = std::move(step)] {
        if (stepRunning) return;
        stepRunning = true;
        struct Done {
            ~Done() { stepRunning = false; }
        } done;
        step();
    };
}
