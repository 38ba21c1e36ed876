// The Update note page: the notes for this update, to be confirmed before an
// update goes on by the machine's role.
#pragma once

#include "wizard/pages/WizardPage.h"

class UpdateNote : public WizardPage {
  public:
    UpdateNote();

    ui::Control Titel1;
    ui::Control lblUpdateNote;
    ui::Control lblUpdateText;
    ui::Control OldVersionChecked;

  protected:
    void OnLoad() override;

  private:
    void btnNext_Click();
    void btnBack_Click();
};

UpdateNote& ShowUpdateNotePage();
