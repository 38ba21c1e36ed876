// The Terminal server page: whether the terminal server also holds the
// database (role 3) or serves the sessions only (role 4).
#pragma once

#include "wizard/pages/WizardPage.h"

class TerminalServer : public WizardPage {
  public:
    TerminalServer();

    ui::Control Titel1;
    ui::Control Titel2;
    ui::Control Body1;
    ui::Control Frame1;
    ui::ControlArray MachineType;  // indexes 3 and 4, the roles they stand for
    ui::Control lblDatabase;
    ui::Control Label2;
    ui::Control Label3;
    ui::Control Label1;

  protected:
    void OnLoad() override;

  private:
    void MachineType_Click(int index);
    void btnNext_Click();
    void btnBack_Click();
};

TerminalServer& ShowTerminalServerPage();
