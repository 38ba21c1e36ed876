#include "tests/support/ServerCopyScene.h"

#include "shared/modRegistry.h"
#include "ui/Form.h"
#include "wizard/base/ServerCopyMark.h"
#include "wizard/base/SetupSession.h"
#include "wizard/pages/CopyToServer.h"
#include "wizard/pages/VersionsListe.h"

namespace testing_support {
namespace {

constexpr int kCancel = 2;
constexpr int kNotShown = platform::answer::Failed;
using platform::answer::No;
using platform::answer::Yes;

// The image's files and where a copy puts them. (Selvor.exe is the closing
// steps' to place, from the wizard itself.)
const std::map<std::string, std::string> kCopiedFiles = {
    {"WSROOT\\Install.ini", "Install.ini"},
    {"WSROOT\\Version.ini", "Version.ini"},
    {"Setups\\Setup.exe", "Setups\\Setup.exe"},
};

void SetSuite(platform::FakePlatform& fake, const char* name, const std::string& value) {
    fake.SetRegistry(RegistryRoot::LocalMachine, kSuiteKey, name, RegistryValue::FromText(value));
}

}  // namespace

// clang-format off
const std::vector<VersionFolderAnswers> kVersionFolderAnswers = {
    {2, {Yes}, "DBTools", true, "S", "S\\Version_520"},
    {2, {No, Yes}, "DBTools", false, "S", "S\\Version_520"},  // goes on from the copy there
    {2, {No, No}, "stays", false, "", "unchanged"},
    {3, {No}, "stays", false, "", "unchanged"},                // not asked to go on
    {2, {kCancel, No}, "stays", false, "S", "unchanged"},      // Cancel, then not ending
    {2, {No, kCancel, No}, "stays", false, "S", "unchanged"},
    {2, {kNotShown}, "stays", false, "S", "unchanged"},       // a box that could not be shown
    {2, {No, kNotShown}, "stays", false, "S", "unchanged"},
    // A copy that never finished is offered only to be copied again.
    {2, {Yes}, "DBTools", true, "S", "S\\Version_520", true},
    {2, {No}, "stays", false, "", "unchanged", true},
};
// clang-format on

ServerCopyScene::ServerCopyScene(platform::FakePlatform& fake) : fake_(fake) {
    image.Write("Paldrix.exe", "wizard");
    image.Write("WSROOT\\Selvor.exe", "selvor");
    image.Write("WSROOT\\Install.ini",
                "[Application]\r\nRUN=Setups\\Setup.exe\r\n[SELVORFOLDERS]\r\nSetups\r\n");
    image.Write("WSROOT\\Version.ini", "[Common]\r\nVersion=5.2.0\r\n");
    image.Write("Setups\\Setup.exe", "installer");
    SetupSession& s = Session();
    s.WizardTitle = "ZEVRIN Tolvane Setup-Assistent";
    s.SetupRoot = image.path();
    s.InstallIniPath = image / "WSROOT\\Install.ini";
    s.VersionIniPath = image / "WSROOT\\Version.ini";
    s.MachineType = MachineRole::DatabaseServer;
    s.InstallPageShown = true;
    SetSuite(fake, "SelvorDestination", "unchanged");
    SetSuite(fake, "SelvorLocation", "unchanged");
}

std::string ServerCopyScene::Next(CopyToServer& page) {
    try {
        page.btnNext.Click();
    } catch (const platform::ProgramExit&) {
        return fake_.starts.empty() ? "ended" : "installer";
    }
    const auto forms = ui::LoadedForms();
    if (page.IsLoaded()) return "stays";
    return forms.empty() ? "ended" : forms.back()->Name();
}

bool ServerCopyScene::Copied(const std::string& folder) const {
    return PathExists(folder + "\\Selvor.exe");
}

std::string ServerCopyScene::MissingFrom(const std::string& target) const {
    std::string missing;
    for (const auto& [source, copy] : kCopiedFiles) {
        if (ReadFileText(target + "\\" + copy) != ReadFileText(image / source)) {
            missing += " " + copy;
        }
    }
    return missing;
}

void PrepareExistingVersionFolder(const VersionFolderAnswers& answers, const TempFolder& servers) {
    servers.Write("Version_520\\old.txt", "old");
    if (answers.incomplete) server_copy::MarkIncomplete(servers / "Version_520");
    SetupSession& s = Session();
    s.InstallTypeText = "NEW";
    s.MachineType = MachineRoleFromNumber(answers.machineType);
    s.ServerSetupFolder = servers.path();
    s.ContinueFromServerCopy = false;
}

void OldFilesUser::Act() {
    if (listed >= 0) return;  // once
    VersionsListe* shown = nullptr;
    for (ui::Form* form : ui::LoadedForms()) {
        if (auto* list = dynamic_cast<VersionsListe*>(form)) shown = list;
    }
    if (shown == nullptr || !shown->IsLoaded()) return;
    listed = shown->lst_Versionen.ListCount();
    enabledBefore = shown->cmd_DelVersion.Enabled();
    for (int i = 0; i < listed; ++i) {
        // The version is kept whatever state the list shows beside it.
        const std::string item = shown->lst_Versionen.List(i);
        if (item == keep || item.starts_with(std::string(keep) + " (")) continue;
        shown->lst_Versionen.SetSelected(i, true);
        chosen.push_back(shown->lst_Versionen.List(i));
    }
    shown->lst_Versionen.onClick();
    enabledAfterSelecting = shown->cmd_DelVersion.Enabled();
    shown->cmd_DelVersion.Click();
    left = shown->lst_Versionen.ListCount();
    enabledAfterDeleting = shown->cmd_DelVersion.Enabled();
    shown->btnNext.Click();
}

}  // namespace testing_support
