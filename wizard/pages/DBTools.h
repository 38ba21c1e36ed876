// The Database tools page: offers the tools' own installer, which belongs on
// the machine that holds the database, and waits for it; Next then starts
// the product installer.
#pragma once

#include "wizard/pages/WizardPage.h"

class DBTools : public WizardPage {
  public:
    DBTools();

    ui::Control Titel1;
    ui::Control Titel2;
    ui::Control Body1;
    ui::Control LinkInstallDBSetup;
    ui::Control Body2;
    ui::Control Label1;

    // Whether the tools were installed from this page, as LinkInstallDBSetup.
    std::vector<std::pair<std::string, std::string>> ExtraAnswers() const override;
    bool TakeExtraAnswers() override;

  protected:
    void OnLoad() override;

  private:
    void InstallDatabaseTools();
    void SetStepping(bool enabled);
    void btnNext_Click();
    void btnBack_Click();

    bool toolsInstalled_ = false;
};

DBTools& ShowDBToolsPage();
