#include "wizard/pages/WizardPage.h"

#include "ui/ResourceForm.h"
#include "wizard/base/SetupSession.h"
#include "wizard/pages/PageFrame.h"
#include "wizard/pages/PageTemplate.h"

using namespace page_template;

namespace {

bool stepRunning = false;

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
    btnCancel.onClick = CancelWizard;
    btnHelp.onClick = ShowWizardHelp;
}

void WizardPage::ApplyPageConvention() {
    PlaceForm(*this);
    SetCaption(Session().WizardTitle);
    Logo.SetPicture(ui::frmRes.Logo);
}

void WizardPage::OnCloseBox() { CancelWizard(); }

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
