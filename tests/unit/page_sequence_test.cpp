// Every path through the real pages, from Welcome to the started installer,
// and Back from every page: the pages are clicked as the renderer would click
// them, against an image in a temporary folder.
#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "tests/support/FakePlatformTest.h"
#include "tests/support/TempFolder.h"
#include "ui/Form.h"
#include "wizard/pages/CopyToServer.h"
#include "wizard/pages/DBTools.h"
#include "wizard/pages/Install.h"
#include "wizard/pages/PageSequence.h"
#include "wizard/pages/SystemPruefung.h"
#include "wizard/pages/TerminalServer.h"
#include "wizard/pages/UpdateNote.h"
#include "wizard/pages/Welcome.h"

using namespace testing_support;

namespace {

class PageSequenceTest : public FakePlatformTest {
  protected:
    PageSequenceTest() {
        WriteImage();
        PrepareSession();
    }
    ~PageSequenceTest() override { ui::DiscardAllForms(); }

    void WriteImage() {
        image.Write("WSROOT\\Install.ini",
                    "[Application]\r\nRUN=Setups\\Tolvane\\Setup.exe /s\r\n"
                    "[DBTools]\r\nRUN=Setups\\DBTools\\DBToolsSetup.exe\r\n");
        image.Write("WSROOT\\Version.ini", "[Common]\r\nVersion=7.80\r\nBuild=1000\r\n");
        image.Write("Setups\\Tolvane\\Setup.exe", "installer");
        image.Write("Setups\\DBTools\\DBToolsSetup.exe", "tools");
    }

    void PrepareSession() {
        ResetSession();
        SetupSession& s = Session();
        s.WizardTitle = "ZEVRIN Tolvane Setup-Assistent";
        s.SetupRoot = s.SetupSourceRoot = image.path();
        s.InstallIniPath = s.SavedInstallIniPath = image / "WSROOT\\Install.ini";
        s.VersionIniPath = image / "WSROOT\\Version.ini";
        s.RequirementsIniPath = image / "WSROOT\\Mindestvoraussetzungen.ini";
    }

    static ui::Form* CurrentPage() {
        const auto forms = ui::LoadedForms();
        return forms.empty() ? nullptr : forms.back();
    }

    // Acts on the page as a user taking the given choices would, and presses Next.
    static void Proceed(ui::Form& page, int installType, int role) {
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

    // The pages passed, ending with "installer" when the product installer
    // was started and the wizard ended.
    std::string Walk(int installType, int role) {
        std::string path;
        ShowWelcomePage();
        for (int step = 0; step < 10; ++step) {
            ui::Form* page = CurrentPage();
            if (page == nullptr) return path + "(ended)";
            path += page->Name() + " > ";
            try {
                Proceed(*page, installType, role);
            } catch (const platform::ProgramExit&) {
                const bool started =
                    !fake.starts.empty() &&
                    fake.starts.back().file == "\"" + image / "Setups\\Tolvane\\Setup.exe" + "\"";
                return path + (started ? "installer" : "(ended)");
            }
        }
        return path + "(no end)";
    }

    TempFolder image;
};

struct PathCase {
    const char* installTypeText;
    const char* programName;
    int installType;  // the option the user takes: 0 new installation, 1 update
    int role;         // the machine role the user takes
    const char* expected;
};

// clang-format off
constexpr PathCase kPaths[] = {
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
// clang-format on

TEST_F(PageSequenceTest, EveryPathEndsAtTheInstaller) {
    for (const PathCase& c : kPaths) {
        SCOPED_TRACE(std::string(c.installTypeText) + "/" + c.programName + " type " +
                     std::to_string(c.installType) + " role " + std::to_string(c.role));
        PrepareSession();
        SetupSession& s = Session();
        s.InstallTypeText = c.installTypeText;
        s.ProgramName = c.programName;
        s.InstallMode = s.InstallTypeText == "UPDATE" ? 1 : 0;
        fake.starts.clear();
        EXPECT_EQ(Walk(c.installType, c.role), c.expected);
        ui::DiscardAllForms();
    }
}

struct BackCase {
    std::function<void()> show;
    int installMode, machineType;
    const char* installTypeText;
    const char* expected;  // the page shown, or the page itself when it stays
};

TEST_F(PageSequenceTest, BackLeadsToThePageThatLedHere) {
    const auto requirements = [] { ShowSystemPruefungPage(); };
    const auto install = [] { ShowInstallPage(); };
    const auto note = [] { ShowUpdateNotePage(); };
    const auto terminal = [] { ShowTerminalServerPage(); };
    const auto tools = [] { ShowDBToolsPage(); };
    const auto copy = [] { ShowCopyToServerPage(); };
    // clang-format off
    const BackCase cases[] = {
        {requirements, 0, 0, "", "Welcome"},
        {install, 0, 0, "", "SystemPruefung"},
        {install, 1, 0, "UPDATE", "Welcome"},
        {note, 1, 0, "", "Install"},
        {terminal, 0, 3, "", "Install"},
        {terminal, 1, 4, "", "UpdateNote"},
        {tools, 0, 0, "", "Install"},
        {tools, 1, 0, "", "UpdateNote"},
        // The database server and the terminal server with the database
        // came from the server copy page.
        {tools, 0, 2, "", "CopyToServer"},
        {tools, 1, 3, "", "CopyToServer"},
        {tools, 1, 2, "", "CopyToServer"},
        {copy, 0, 2, "", "Install"},
        {copy, 1, 2, "", "UpdateNote"},
        {copy, 0, 3, "", "TerminalServer"},
        {copy, 1, 4, "", "TerminalServer"},
        // No page led here with these: the page stays rather than end the run.
        {tools, 0, 1, "", "DBTools"},
        {terminal, 0, 2, "", "TerminalServer"},
    };
    // clang-format on
    for (const BackCase& c : cases) {
        PrepareSession();
        SetupSession& s = Session();
        s.InstallMode = c.installMode;
        s.MachineType = c.machineType;
        s.InstallTypeText = c.installTypeText;
        c.show();
        const std::string from = CurrentPage()->Name();
        SCOPED_TRACE(from + " mode " + std::to_string(c.installMode) + " role " +
                     std::to_string(c.machineType));
        dynamic_cast<WizardPage&>(*CurrentPage()).btnBack.Click();
        ui::Form* shown = CurrentPage();
        EXPECT_EQ(shown == nullptr ? "(ended)" : shown->Name(), c.expected);
        EXPECT_EQ(ui::LoadedForms().size(), shown == nullptr ? 0u : 1u);
        ui::DiscardAllForms();
    }
}

}  // namespace
