// The System requirements page: the minimum requirements of the product line
// from the image, to be confirmed before the wizard goes on. For the
// commercial line it is the last page: Next runs that line's installer.
#pragma once

#include <string>

#include "wizard/pages/WizardPage.h"

class SystemPruefung : public WizardPage {
  public:
    SystemPruefung();

    ui::Control Titel1;
    ui::Control Titel2;
    ui::Control Label6;
    ui::Control LabelProduktCaption;
    ui::Control LabelProduktValue;
    ui::Control Label1;
    ui::Control Label2;
    ui::Control LabelOSEinzelValue;
    ui::Control Label3;
    ui::Control LabelOSServerValue;
    ui::Control Label5;
    ui::Control LabelSQLValue;
    ui::Control Label4;
    ui::Control LabelFrameworkValue;
    ui::Control LinkSystemvoraussetungen;
    ui::Control CheckSystemvoraussetzungenGelesen;

  protected:
    void OnLoad() override;

  private:
    void PlaceAtStoredPosition();
    void FillRequirements();
    void RunInstallerToItsEnd();
    void btnNext_Click();
    void btnBack_Click();

    std::string productName_;
};

SystemPruefung& ShowSystemPruefungPage();
