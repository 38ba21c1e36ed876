// The old installation files page: the version folders of earlier images
// beside the server folder, to be deleted to free space on the server.
// Shown modally while the server copy page loads, which fills the list.
#pragma once

#include "wizard/pages/WizardPage.h"

class VersionsListe : public WizardPage {
  public:
    VersionsListe();

    ui::Control Titel1;
    ui::Control Titel2;
    ui::Control Body1;
    ui::Control lst_Versionen;  // item data: the position in VersionFolders, from 1
    ui::Control cmd_DelVersion;
    ui::Control Label1;

    // Deletes the folder of every selected item, first to last; an item goes
    // from the list also when its folder could not be deleted completely.
    void DeleteSelectedVersions();

    // The versions deleted, as Delete: their texts, separated by ";".
    std::vector<std::pair<std::string, std::string>> ExtraAnswers() const override;
    bool TakeExtraAnswers() override;

  protected:
    void OnLoad() override;

  private:
    int FirstSelected() const;
    int ItemShowing(const std::string& text) const;

    std::string deleted_;
};
