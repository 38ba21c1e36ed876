// The first page: greets the user with the product line, shows version and
// build, offers the notes and the system requirements, leads on.
#pragma once

#include <string>

#include "wizard/pages/WizardPage.h"

class Welcome : public WizardPage {
  public:
    Welcome();

    ui::Control Image1;
    ui::Control Title1;
    ui::Control Body1;
    ui::Control Body2;
    ui::Control lblVersion;
    ui::Control Label3;
    ui::Control LinkReadMe;
    ui::Control LinkSystemvoraussetzung;
    ui::Control lblBuild;
    ui::Control btnExpress;

  protected:
    void OnLoad() override;

  private:
    void ArrangeLeftColumn();
    void OpenDocument(const char* key);
    void btnNext_Click();
};

// The build label: the build and its date, 30 September 1998 plus the
// build's leading number in days, in the user's short date format.
std::string BuildLabel(const std::string& build);

// Makes the Welcome page before it is due; ShowWelcomePage shows it.
void PrepareWelcomePage();
Welcome& ShowWelcomePage();
