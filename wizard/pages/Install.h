// The Installation type page: new installation or update, and the machine's
// role. It runs the setup-type program on every visit, reads where both
// product lines are installed, records the choices and leads on.
#pragma once

#include <string>

#include "wizard/pages/WizardPage.h"

class Install : public WizardPage {
  public:
    Install();

    ui::Control Titel1;
    ui::Control Titel2;
    ui::Control Body1;
    ui::Control Frame1;
    ui::ControlArray InstallType;  // 0 new installation, 1 update
    ui::Control Label2;
    ui::Control Frame2;
    ui::ControlArray MachineType;  // 0 single PC ... 3 terminal server
    ui::Control ReInstallServiceReleaseChecked;
    ui::Control Label1;

  protected:
    void OnLoad() override;

  private:
    void ReadInstallationFolders();
    void PreselectInstallType();
    void PreselectMachineType();
    void InstallType_Click(int index);
    void MachineType_Click(int index);
    void RecordChoices();
    void btnNext_Click();
    void btnBack_Click();

    // Set when a trades-line installation is known; a "NEWUPDATE" image then
    // proposes the update.
    bool tolvaneMarker_ = false;
    std::string productName_;
};

Install& ShowInstallPage();
