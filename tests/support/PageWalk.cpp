#include "tests/support/PageWalk.h"

#include "ui/Form.h"
#include "wizard/base/SetupSession.h"
#include "wizard/pages/CopyToServer.h"
#include "wizard/pages/DBTools.h"
#include "wizard/pages/Install.h"
#include "wizard/pages/PageSequence.h"
#include "wizard/pages/SystemPruefung.h"
#include "wizard/pages/TerminalServer.h"
#include "wizard/pages/UpdateNote.h"
#include "wizard/pages/Welcome.h"

namespace testing_support {

// clang-format off
const std::vector<PathCase> kPagePaths = {
    {"", "", 0, 0, "Welcome > SystemPruefung > Install > DBTools > installer"},
    {"", "", 0, 1, "Welcome > SystemPruefung > Install > installer"},
    {"", "", 0, 2, "Welcome > SystemPruefung > Install > CopyToServer > DBTools > installer"},
    {"", "", 0, 3, "Welcome > SystemPruefung > Install > TerminalServer > CopyToServer > DBTools > installer"},
    {"", "", 0, 4, "Welcome > SystemPruefung > Install > TerminalServer > installer"},
    {"", "", 1, 0, "Welcome > SystemPruefung > Install > UpdateNote > DBTools > installer"},
    {"", "", 1, 1, "Welcome > SystemPruefung > Install > UpdateNote > installer"},
    {"", "", 1, 2, "Welcome > SystemPruefung > Install > UpdateNote > CopyToServer > DBTools > installer"},
    {"", "", 1, 3, "Welcome > SystemPruefung > Install > UpdateNote > TerminalServer > CopyToServer > DBTools > installer"},
    {"", "", 1, 4, "Welcome > SystemPruefung > Install > UpdateNote > TerminalServer > installer"},
    {"UPDATE", "", 1, 0, "Welcome > Install > UpdateNote > installer"},
    {"UPDATE", "", 1, 1, "Welcome > Install > UpdateNote > installer"},
    {"UPDATE", "", 1, 4, "Welcome > Install > UpdateNote > TerminalServer > installer"},
    {"UPDATE", "", 1, 2, "Welcome > Install > UpdateNote > CopyToServer > installer"},
    {"UPDATE", "", 1, 3, "Welcome > Install > UpdateNote > TerminalServer > CopyToServer > installer"},
    {"NEW", "", 0, 0, "Welcome > SystemPruefung > Install > DBTools > installer"},
    {"NEWUPDATE", "", 1, 0, "Welcome > SystemPruefung > Install > UpdateNote > DBTools > installer"},
    {"", "MORVALIS", 0, 0, "Welcome > SystemPruefung > installer"},
};

const std::vector<BackCase> kBackSteps = {
    {[] { ShowSystemPruefungPage(); }, 0, 0, "", "Welcome"},
    {[] { ShowInstallPage(); }, 0, 0, "", "SystemPruefung"},
    {[] { ShowInstallPage(); }, 1, 0, "UPDATE", "Welcome"},
    {[] { ShowUpdateNotePage(); }, 1, 0, "", "Install"},
    {[] { ShowTerminalServerPage(); }, 0, 3, "", "Install"},
    {[] { ShowTerminalServerPage(); }, 1, 4, "", "UpdateNote"},
    {[] { ShowDBToolsPage(); }, 0, 0, "", "Install"},
    {[] { ShowDBToolsPage(); }, 1, 0, "", "UpdateNote"},
    // The database server and the terminal server with the database came
    // from the server copy page.
    {[] { ShowDBToolsPage(); }, 0, 2, "", "CopyToServer"},
    {[] { ShowDBToolsPage(); }, 1, 3, "", "CopyToServer"},
    {[] { ShowDBToolsPage(); }, 1, 2, "", "CopyToServer"},
    {[] { ShowCopyToServerPage(); }, 0, 2, "", "Install"},
    {[] { ShowCopyToServerPage(); }, 1, 2, "", "UpdateNote"},
    {[] { ShowCopyToServerPage(); }, 0, 3, "", "TerminalServer"},
    {[] { ShowCopyToServerPage(); }, 1, 4, "", "TerminalServer"},
    // No page led here with these: the page stays rather than end the run.
    {[] { ShowDBToolsPage(); }, 0, 1, "", "DBTools"},
    {[] { ShowTerminalServerPage(); }, 0, 2, "", "TerminalServer"},
};
// clang-format on

void Proceed(ui::Form& page, int installType, int role) {
    if (auto* p = dynamic_cast<SystemPruefung*>(&page)) {
        p->CheckSystemvoraussetzungenGelesen.Click();
        p->btnNext.Click();
    } else if (auto* p = dynamic_cast<Install*>(&page)) {
        p->InstallType[installType].Click();
        p->MachineType[role == 4 ? 3 : role].Click();
        p->btnNext.Click();
    } else if (auto* p = dynamic_cast<TerminalServer*>(&page)) {
        p->MachineType[role].Click();
        p->btnNext.Click();
    } else if (auto* p = dynamic_cast<CopyToServer*>(&page)) {
        p->optCopyCD[0].Click();  // the installation goes on from the image
        p->btnNext.Click();
    } else if (auto* p = dynamic_cast<UpdateNote*>(&page)) {
        p->OldVersionChecked.Click();
        p->btnNext.Click();
    } else if (auto* p = dynamic_cast<WizardPage*>(&page)) {
        p->btnNext.Click();
    }
}

ui::Form* CurrentPage() {
    const auto forms = ui::LoadedForms();
    return forms.empty() ? nullptr : forms.back();
}

PageWalk::PageWalk(platform::FakePlatform& fake) : fake_(fake) {
    image.Write("WSROOT\\Install.ini",
                "[Application]\r\nRUN=Setups\\Tolvane\\Setup.exe /s\r\n"
                "[DBTools]\r\nRUN=Setups\\DBTools\\DBToolsSetup.exe\r\n");
    image.Write("WSROOT\\Version.ini", "[Common]\r\nVersion=7.80\r\nBuild=1000\r\n");
    image.Write("Setups\\Tolvane\\Setup.exe", "installer");
    image.Write("Setups\\DBTools\\DBToolsSetup.exe", "tools");
}

void PageWalk::PrepareSession() {
    ResetSession();
    SetupSession& s = Session();
    s.WizardTitle = "ZEVRIN Tolvane Setup-Assistent";
    s.SetupRoot = s.SetupSourceRoot = image.path();
    s.InstallIniPath = s.SavedInstallIniPath = image / "WSROOT\\Install.ini";
    s.VersionIniPath = image / "WSROOT\\Version.ini";
    s.RequirementsIniPath = image / "WSROOT\\Mindestvoraussetzungen.ini";
}

void PageWalk::Prepare(const PathCase& path) {
    PrepareSession();
    SetupSession& s = Session();
    s.InstallTypeText = path.installTypeText;
    s.ProgramName = path.programName;
    s.InstallMode =
        s.InstallTypeText == "UPDATE" ? SetupMode::Update : SetupMode::NewInstallation;
    fake_.starts.clear();
}

void PageWalk::Prepare(const BackCase& step) {
    PrepareSession();
    SetupSession& s = Session();
    // The table gives the numbers the registry and the pages use.
    s.InstallMode = static_cast<SetupMode>(step.installMode);
    s.MachineType = MachineRoleFromNumber(step.machineType);
    s.InstallTypeText = step.installTypeText;
}

std::string PageWalk::Installer() const {
    return "\"" + image / "Setups\\Tolvane\\Setup.exe" + "\"";
}

std::string PageWalk::Walk(int installType, int role) {
    std::string path;
    ShowFirstPage();
    for (int step = 0; step < 10; ++step) {
        ui::Form* page = CurrentPage();
        if (page == nullptr) return path + "(no page)";
        path += page->Name() + " > ";
        try {
            Proceed(*page, installType, role);
        } catch (const platform::ProgramExit& exit) {
            endedWith = exit.exitCode;
            const bool started = !fake_.starts.empty() && fake_.starts.back().file == Installer();
            return path + (started ? "installer" : "(ended)");
        }
    }
    return path + "(no end)";
}

namespace {

std::string NameOfCurrentPage() {
    const ui::Form* page = CurrentPage();
    return page == nullptr ? "(no page)" : page->Name();
}

}  // namespace

std::string PageWalk::ShowStep(const BackCase& step) {
    step.show();
    return NameOfCurrentPage();
}

std::string PageWalk::PressBack() {
    if (auto* page = dynamic_cast<WizardPage*>(CurrentPage())) page->btnBack.Click();
    return NameOfCurrentPage();
}

}  // namespace testing_support
