// The server copy page: on the machine that holds the database it offers to
// copy the setup to a server folder, from where further workstations install
// with Selvor.exe, or to go on from such a copy; then it leads on.
#pragma once

#include <string>

#include "wizard/pages/CopyProgress.h"
#include "wizard/pages/WizardPage.h"

class CopyToServer : public WizardPage {
  public:
    CopyToServer();

    ui::Control Titel1;
    ui::Control Titel2;
    ui::Control Body1;
    ui::ControlArray optCopyCD;  // 0 install from the image, 1 copy to the server
    ui::Control txtServerPath;
    ui::Control Lbl_Version;
    ui::Control btnBrowse;
    ui::Control Body2;
    ui::Control ProgressTitle;
    ui::Control ProgressBack;
    ui::Control ProgressBar;
    ui::Control Label1;

    // The folder to put into the path box, after asking what to do with an
    // existing version folder; empty when the user declined both.
    std::string CheckTargetFolder(const std::string& folder);
    void UpdatePathToolTip();
    void UpdateInfoTexts();

    // The server folder, when the copy is chosen; the replay chooses it with
    // Browse, as a user would.
    std::vector<std::pair<std::string, std::string>> ExtraAnswers() const override;
    bool TakeExtraAnswers() override;
    void PressNextAsAnswered() override;

  protected:
    void OnLoad() override;
    // The close box is Cancel here too, stopping a copy under way.
    void OnCloseBox() override {
        RecordLeaving("Close");
        btnCancel_Click();
    }

  private:
    // The questions about a version folder that is there already; each
    // returns the last answer and sets `result` as CheckTargetFolder returns it.
    int AskAboutExistingCopy(const std::string& folder, std::string& result);
    int AskAboutIncompleteCopy(const std::string& target, std::string& result);
    void DeclineTheFolder(std::string& result);
    void OfferOldInstallationFiles();
    void ReportMissingServerFolder();
    bool SkipAnswered();
    // Copies when the page says so; false when the page stays.
    bool CopyIfChosen();
    void RecordServerFolder();
    void btnBrowse_Click();
    void optCopyCD_Click(int index);
    void btnNext_Click();
    void btnBack_Click();
    void btnCancel_Click();
    CopyPageControls Controls();
    // Copies the image to `target`, its progress shown on this page.
    int CopyImageTo(const std::string& target);

    bool ContinueChosen = false;
    bool TargetConfirmed = false;
    bool SkipQuestionPending = false;
};

CopyToServer& ShowCopyToServerPage();
