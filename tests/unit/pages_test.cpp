// What the pages between Welcome and the installer show and do, beyond the
// order they come in: the requirements, the terminal-server roles, the
// update note, and the installers the commercial line and the tools page
// wait for.
#include <gtest/gtest.h>

#include <optional>
#include <utility>

#include "tests/support/FakePlatformTest.h"
#include "tests/support/TempFolder.h"
#include "ui/Form.h"
#include "wizard/base/RunOutcome.h"
#include "wizard/pages/DBTools.h"
#include "wizard/pages/SystemPruefung.h"
#include "wizard/pages/TerminalServer.h"
#include "wizard/pages/UpdateNote.h"
#include "wizard/pages/UpdateNoteText.h"

using namespace testing_support;

namespace {

class PagesTest : public FakePlatformTest {
  protected:
    PagesTest() {
        image.Write("WSROOT\\Install.ini",
                    "[Application]\r\nRUN=Setups\\Morvalis\\Setup.exe /q\r\n"
                    "[DBTools]\r\nRUN=Setups\\DBTools\\DBToolsSetup.exe\r\n");
        image.Write("WSROOT\\Version.ini", "[Common]\r\nVersion=7.80\r\n");
        image.Write("Setups\\Morvalis\\Setup.exe", "installer");
        image.Write("Setups\\DBTools\\DBToolsSetup.exe", "tools");
        SetupSession& s = Session();
        s.WizardTitle = "ZEVRIN Tolvane Setup-Assistent";
        s.SetupRoot = s.SetupSourceRoot = image.path();
        s.InstallIniPath = s.SavedInstallIniPath = image / "WSROOT\\Install.ini";
        s.VersionIniPath = image / "WSROOT\\Version.ini";
        s.RequirementsIniPath = image / "WSROOT\\Mindestvoraussetzungen.ini";
        s.InstallPageShown = true;
    }
    ~PagesTest() override { ui::DiscardAllForms(); }

    // The program keeps running while `process` shows in the process list
    // for the next `pumps` event pumps.
    void Running(const std::string& process, int pumps) {
        fake.processes = std::vector<std::string>{process};
        fake.onPump = [this, pumps]() mutable {
            if (--pumps <= 0) fake.processes = std::vector<std::string>{};
        };
    }

    TempFolder image;
};

TEST_F(PagesTest, RequirementsComeFromTheImageAndMustBeConfirmed) {
    image.Write("WSROOT\\Mindestvoraussetzungen.ini",
                "[Zevrin]\r\nTL=Tolvane 7.80\r\nMRV=Morvalis 7.80\r\n[Betriebssystem]\r\n"
                "EinzelplatzArbeitsstation=Windows 11\r\nServer=Server 2022\r\n"
                "[Framework]\r\nVersion=4.8\r\n");
    Session().PageLeft = 2000;
    SystemPruefung& page = ShowSystemPruefungPage();

    EXPECT_EQ(page.Titel2.Caption(), "Für ZEVRIN Tolvane 7.80");
    EXPECT_EQ(page.LabelProduktCaption.Caption(), "ZEVRIN Tolvane:");
    EXPECT_EQ(page.LabelProduktValue.Caption(), "Tolvane 7.80");
    EXPECT_EQ(page.LabelOSEinzelValue.Caption(), "Windows 11");
    EXPECT_EQ(page.LabelOSServerValue.Caption(), "Server 2022");
    EXPECT_EQ(page.LabelSQLValue.Caption(), "");  // missing in the file
    EXPECT_EQ(page.LabelFrameworkValue.Caption(), "4.8");
    EXPECT_EQ(page.LinkSystemvoraussetungen.Caption(),
              "Weitere Systemvoraussetzungen für ZEVRIN Tolvane öffnen.");
    EXPECT_EQ(page.Left(), 2000);
    EXPECT_FALSE(page.btnNext.Enabled());
    page.CheckSystemvoraussetzungenGelesen.Click();
    EXPECT_TRUE(page.btnNext.Enabled());
    page.CheckSystemvoraussetzungenGelesen.Click();
    EXPECT_FALSE(page.btnNext.Enabled());
    EXPECT_TRUE(fake.messages.empty());
}

TEST_F(PagesTest, CommercialLineRunsItsInstallerToTheEndWithOnlyCancelLeft) {
    Session().ProgramName = "MORVALIS";
    SystemPruefung& page = ShowSystemPruefungPage();
    EXPECT_EQ(page.Titel2.Caption(), "Für ZEVRIN Morvalis 7.80");
    page.CheckSystemvoraussetzungenGelesen.Click();

    Running("Setup.exe", 3);
    bool buttonsDisabledWhileWaiting = false;
    const auto countDown = fake.onPump;
    fake.onPump = [&] {
        buttonsDisabledWhileWaiting =
            !page.btnNext.Enabled() && !page.btnBack.Enabled() && page.btnCancel.Enabled();
        countDown();
    };
    EXPECT_THROW(page.btnNext.Click(), platform::ProgramExit);

    EXPECT_TRUE(buttonsDisabledWhileWaiting);
    ASSERT_EQ(fake.starts.size(), 1u);
    EXPECT_EQ(fake.starts[0].file, "\"" + image / "Setups\\Morvalis\\Setup.exe" + "\"");
    EXPECT_EQ(fake.starts[0].parameters, "/q");
    EXPECT_EQ(Session().WaitProcessName, "Setup.exe");
    EXPECT_EQ(fake.waitedMilliseconds, 3 * 2000u);  // the process list, every two seconds

    // The installer's own ending is the run's: a restart still to come is
    // passed on, and an ending that cannot be told is no success.
    const std::pair<std::optional<long>, int> endings[] = {
        {0, 0}, {3010, 3010}, {1641, 1641}, {1602, 1602}, {1603, 1603}, {5, 1603}, {{}, 1603}};
    for (const auto& [installerCode, exitCode] : endings) {
        SCOPED_TRACE(installerCode ? *installerCode : -1);
        ui::DiscardAllForms();
        fake.onPump = nullptr;
        Session().ExitCode.reset();
        fake.programExitCode = installerCode.value_or(0);
        fake.programRunMilliseconds = installerCode ? 0 : 60000;  // still running when asked
        SystemPruefung& again = ShowSystemPruefungPage();
        again.CheckSystemvoraussetzungenGelesen.Click();
        EXPECT_THROW(again.btnNext.Click(), platform::ProgramExit);
        EXPECT_EQ(RunExitCode(), exitCode);
    }
}

TEST_F(PagesTest, TerminalServerRoleIsShownBoldAndRecorded) {
    Session().MachineType = MachineRole::TerminalServerOnly;
    TerminalServer& page = ShowTerminalServerPage();
    EXPECT_EQ(page.MachineType[4].Value(), 1);
    EXPECT_TRUE(page.MachineType[4].Bold());
    EXPECT_FALSE(page.MachineType[3].Bold());
    EXPECT_TRUE(page.lblDatabase.Bold());

    page.MachineType[3].Click();
    EXPECT_EQ(Session().MachineType, MachineRole::TerminalServerWithDatabase);
    EXPECT_FALSE(page.lblDatabase.Bold());
    EXPECT_FALSE(page.MachineType[4].Bold());
    page.btnNext.Click();
    EXPECT_EQ(SuiteValue("SetupMachineType"), "3");
}

TEST_F(PagesTest, UpdateNoteKeepsItsLinesButNotTheLeadingEmptyOnes) {
    EXPECT_EQ(UpdateNoteText("\r\n\r\nErste Zeile\r\n\r\nDritte\rVierte\r\n"),
              "Erste Zeile\r\n\r\nDritte\r\nVierte");
    EXPECT_EQ(UpdateNoteText("ohne Zeilenende"), "ohne Zeilenende");
    EXPECT_EQ(UpdateNoteText("a\nb"), "a\nb");  // a line feed alone ends no line
    EXPECT_EQ(UpdateNoteText(""), "");
    EXPECT_EQ(UpdateNotePath("S:\\Setup\\", false), "S:\\Setup\\WSROOT\\UpdateNote.txt");
    EXPECT_EQ(UpdateNotePath("S:\\Setup", true), "S:\\Setup\\UpdateNote.txt");

    // The image's note is Windows-1252 on every machine.
    image.Write("WSROOT\\UpdateNote.txt",
                "\r\nBitte sichern Sie die Datenbank (\xE4\xF6\xFC).\r\n");
    {
        UpdateNote& page = ShowUpdateNotePage();
        EXPECT_EQ(page.lblUpdateText.Text(), "Bitte sichern Sie die Datenbank (äöü).");
        EXPECT_EQ(page.lblUpdateNote.Caption(), "Hinweis für die Aktualisierung auf 7.80");
        EXPECT_FALSE(page.btnNext.Enabled());
        page.OldVersionChecked.Click();
        EXPECT_TRUE(page.btnNext.Enabled());
    }
    ui::DiscardAllForms();
    // A workstation copy holds the note in its root, where there is none here.
    Session().IsWorkstationSetup = true;
    UpdateNote& page = ShowUpdateNotePage();
    EXPECT_EQ(page.lblUpdateText.Text(), "");
    EXPECT_TRUE(fake.messages.empty());
}

TEST_F(PagesTest, ToolsInstallerRunsFromTheStartedImageEachTimeTheLinkIsUsed) {
    Session().InstallIniPath = image / "elsewhere\\Install.ini";
    Session().SetupRoot = image / "elsewhere";
    DBTools& page = ShowDBToolsPage();

    for (int run = 1; run <= 2; ++run) {
        Running("DBToolsSetup.exe", 3);  // one pump before the start, two waits
        bool steppingLocked = false;
        const auto countDown = fake.onPump;
        fake.onPump = [&] {
            steppingLocked =
                steppingLocked || (!page.btnNext.Enabled() && !page.LinkInstallDBSetup.Enabled() &&
                                   page.btnCancel.Enabled());
            countDown();
        };
        page.LinkInstallDBSetup.Click();
        EXPECT_TRUE(steppingLocked);
        EXPECT_TRUE(page.btnNext.Enabled());
        EXPECT_TRUE(page.btnBack.Enabled());
        ASSERT_EQ(fake.starts.size(), static_cast<size_t>(run));
        EXPECT_EQ(fake.starts.back().file,
                  "\"" + image / "Setups\\DBTools\\DBToolsSetup.exe" + "\"");
    }
    EXPECT_EQ(Session().InstallIniPath, Session().SavedInstallIniPath);
    EXPECT_EQ(Session().SetupRoot, image.path());
    EXPECT_EQ(fake.waitedMilliseconds, 2 * 2 * 2000u);
}

}  // namespace
