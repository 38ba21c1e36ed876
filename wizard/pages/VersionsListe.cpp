#include "wizard/pages/VersionsListe.h"

#include "ui/BusyPointer.h"
#include "ui/ResourceForm.h"
#include "wizard/base/AnswerFile.h"
#include "wizard/base/SetupSession.h"
#include "wizard/pages/AnswerReplay.h"
#include "wizard/pages/PageFrame.h"
#include "wizard/pages/VersionsListeLayout.h"
#include "wizard/servercopy/DeleteFolderTree.h"

using namespace versions_liste_layout;

namespace {

// The folder path of a VersionFolders entry "Version <v>;<path>".
std::string FolderOfEntry(long position) {
    const auto& folders = Session().VersionFolders;
    if (position < 1 || static_cast<std::size_t>(position) > folders.size()) return {};
    const std::string& entry = folders[static_cast<std::size_t>(position - 1)];
    const std::size_t split = entry.find(';');
    return split == std::string::npos ? std::string() : entry.substr(split + 1);
}

// "a;b;c" as its parts.
std::vector<std::string> SplitAtSemicolons(const std::string& list) {
    std::vector<std::string> parts;
    std::size_t start = 0;
    for (std::size_t end; (end = list.find(';', start)) != std::string::npos; start = end + 1) {
        parts.push_back(list.substr(start, end - start));
    }
    parts.push_back(list.substr(start));
    return parts;
}

}  // namespace

VersionsListe::VersionsListe()
    : WizardPage("VersionsListe"),
      Titel1(*this, kTitel1),
      Titel2(*this, kTitel2),
      Body1(*this, kBody1),
      lst_Versionen(*this, kList),
      cmd_DelVersion(*this, kDelete),
      Label1(*this, kLabel1) {
    lst_Versionen.onClick = [this] { cmd_DelVersion.SetEnabled(FirstSelected() >= 0); };
    cmd_DelVersion.onClick = [this] { DeleteSelectedVersions(); };
    // The page is modal: hiding it lets the server copy page go on loading.
    btnNext.onClick = [this] {
        RecordAnswersOf(*this);
        Unload();
    };
}

void VersionsListe::OnLoad() {
    SkipOnFailure([this] {
        PlaceForm(*this);
        Logo.SetPicture(ui::frmRes.Logo);
    });
}

int VersionsListe::FirstSelected() const {
    for (int i = 0; i < lst_Versionen.ListCount(); ++i) {
        if (lst_Versionen.Selected(i)) return i;
    }
    return -1;
}

void VersionsListe::DeleteSelectedVersions() {
    {
        ui::BusyPointer busy;
        for (int item = FirstSelected(); item >= 0; item = FirstSelected()) {
            SkipOnFailure([this, item] {
                const std::string folder = FolderOfEntry(lst_Versionen.ItemData(item));
                if (!folder.empty()) DeleteFolderTree(folder);
            });
            deleted_ += (deleted_.empty() ? "" : ";") + lst_Versionen.List(item);
            lst_Versionen.RemoveItem(item);
        }
    }
    cmd_DelVersion.SetEnabled(false);
}

std::vector<std::pair<std::string, std::string>> VersionsListe::ExtraAnswers() const {
    return {{"Delete", deleted_}};
}

int VersionsListe::ItemShowing(const std::string& text) const {
    for (int i = 0; i < lst_Versionen.ListCount(); ++i) {
        if (lst_Versionen.List(i) == text) return i;
    }
    return -1;
}

bool VersionsListe::TakeExtraAnswers() {
    const std::optional<std::string> versions = answers::Value(Name(), "Delete");
    if (!versions) {
        answers::StopReplay(Name(), "Delete is not answered");
        return false;
    }
    if (versions->empty()) return true;
    for (const std::string& version : SplitAtSemicolons(*versions)) {
        const int item = ItemShowing(version);
        if (item < 0) {
            answers::StopReplay(Name(), version + " is not listed");
            return false;
        }
        lst_Versionen.SetSelected(item, true);
    }
    // What a selection by the user runs, then the delete button.
    lst_Versionen.onClick();
    cmd_DelVersion.Click();
    return true;
}
