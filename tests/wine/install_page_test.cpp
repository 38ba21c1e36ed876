// The Installation type page against the suite's INI files in the real
// Windows folder: where the product lines are installed, what is proposed,
// and what Next records.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "platform/Profile.h"
#include "tests/support/FakePlatformTest.h"
#include "tests/support/TempFolder.h"
#include "ui/Form.h"
#include "wizard/pages/Install.h"

using namespace testing_support;

namespace {

std::string WindowsFile(const char* name) {
    char folder[MAX_PATH] = {};
    GetWindowsDirectoryA(folder, MAX_PATH);
    return std::string(folder) + "\\" + name;
}

class InstallPageTest : public FakePlatformTest {
  protected:
    InstallPageTest() {
        image.Write("WSROOT\\Install.ini", "[Application]\r\nRUN=Setups\\Setup.exe\r\n");
        SetupSession& s = Session();
        s.WizardTitle = "ZEVRIN Tolvane Setup-Assistent";
        s.SetupRoot = image.path();
        s.InstallIniPath = image / "WSROOT\\Install.ini";
        SetSuiteValue("SetupType", "0");
    }
    ~InstallPageTest() override {
        ui::DiscardAllForms();
        DeleteFileA(kvir.c_str());
        DeleteFileA(kvirOld.c_str());
    }

    void Destinations(const std::string& file, const std::string& lines) {
        WritePrivateProfileStringA(nullptr, nullptr, nullptr, file.c_str());
        HANDLE h = CreateFileA(file.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
        const std::string bytes = "[DESTINATIONS]\r\n" + lines;
        DWORD written = 0;
        WriteFile(h, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
        CloseHandle(h);
    }

    Install& Show() { return ShowInstallPage(); }

    TempFolder image;
    const std::string kvir = WindowsFile("KVIR32.INI");
    const std::string kvirOld = WindowsFile("KVIR32_OLD.INI");
};

TEST_F(InstallPageTest, NewUpdateProposesTheUpdateOnEveryVisitWhenTolvaneIsInstalled) {
    Destinations(kvir, "TOLVANE=D:\\Tolvane\\\r\nQUENOR=\r\nORVANTE=D:\\Orvante\\\r\n");
    Session().InstallTypeText = "NEWUPDATE";
    Session().InstallMode = SetupMode::NewThenUpdate;
    {
        Install& page = Show();
        EXPECT_EQ(page.InstallType[1].Value(), 1);
        EXPECT_TRUE(page.InstallType[1].Bold());
        EXPECT_FALSE(page.InstallType[0].Bold());
        EXPECT_EQ(Session().InstallMode, SetupMode::Update);
        EXPECT_TRUE(page.InstallType[0].Visible());  // the user still chooses
        EXPECT_TRUE(page.ReInstallServiceReleaseChecked.Visible());
        page.InstallType[0].Click();
        EXPECT_EQ(Session().InstallMode, SetupMode::NewInstallation);
        EXPECT_EQ(Session().QnDestination, "D:\\Orvante\\");
        page.btnNext.Click();  // goes on to the database tools
    }
    EXPECT_EQ(SuiteValue("QnDestination"), "D:\\Orvante\\");
    EXPECT_EQ(SuiteValue("TlDestination"), "D:\\Tolvane\\");
    EXPECT_EQ(SuiteValue("SetupType"), "0");
    ui::DiscardAllForms();
    // Back on the page: the update is proposed again.
    EXPECT_EQ(Show().InstallType[1].Value(), 1);
    EXPECT_EQ(Session().InstallMode, SetupMode::Update);
    ui::DiscardAllForms();

    Destinations(kvir, "TOLVANE=\r\n");
    EXPECT_EQ(Show().InstallType[0].Value(), 1);
    EXPECT_EQ(Session().InstallMode, SetupMode::NewInstallation);
}

TEST_F(InstallPageTest, MachineRoleFromTheRegistryIsSelectedOrFallsBackToASinglePC) {
    struct Case {
        int role, option, roleAfterLoad;
    };
    for (const Case c :
         {Case{4, 3, 4}, Case{3, 3, 3}, Case{1, 1, 1}, Case{7, 0, 0}, Case{-1, 0, 0}}) {
        SCOPED_TRACE(c.role);
        // Stored numbers, the unknown ones included.
        Session().MachineType = MachineRoleFromNumber(c.role);
        Install& page = Show();
        EXPECT_EQ(page.MachineType[c.option].Value(), 1);
        EXPECT_TRUE(page.MachineType[c.option].Bold());
        EXPECT_EQ(Session().MachineType, MachineRoleFromNumber(c.roleAfterLoad));
        ui::DiscardAllForms();
    }
}

TEST_F(InstallPageTest, TerminalServerRolesAreLeftToTheTerminalServerPage) {
    SetSuiteValue("SetupMachineType", "1");
    Session().MachineType = MachineRole::TerminalServerOnly;
    Install& page = Show();
    page.btnNext.Click();
    EXPECT_EQ(SuiteValue("SetupMachineType"), "1");
    ui::DiscardAllForms();

    Session().MachineType = MachineRole::SinglePc;
    Show().btnNext.Click();
    EXPECT_EQ(SuiteValue("SetupMachineType"), "0");
}

TEST_F(InstallPageTest, SetupTypeTwoKeepsTheFoldersTheSetupTypeProgramLeft) {
    Destinations(kvir, "TOLVANE=D:\\Ini\\\r\nQUENOR=D:\\Ini\\\r\n");
    SetSuiteValue("SetupType", "2");
    SetSuiteValue("TlDestination", "E:\\Tolvane\\");
    Install& page = Show();
    EXPECT_EQ(Session().SetupTypeResult, 2);
    page.btnNext.Click();
    EXPECT_EQ(SuiteValue("TlDestination"), "E:\\Tolvane\\");
    EXPECT_EQ(SuiteValue("QnDestination"), "");
    EXPECT_EQ(SuiteValue("SetupType"), "2");
}

TEST_F(InstallPageTest, PrescribedUpdateOffersOnlyTheUpdateAndTheServiceReleaseAgain) {
    TempFolder installed;
    const std::string productInf =
        installed.Write("Tolvane.inf", "[PATCHES]\r\nP_Q_Vorlauf.inf=07.12.2026 11:02,x,y\r\n");
    fake.SetRegistry(RegistryRoot::LocalMachine, kDestinationsKeyWow, "QUENOR",
                     RegistryValue::FromText(installed.path() + "\\"));
    Destinations(kvirOld, "TOLVANE=D:\\Alt\\\r\n");
    SetSuiteValue("SetupType", "1");
    Session().InstallTypeText = "UPDATE";
    Session().InstallMode = SetupMode::Update;
    Install& page = Show();

    EXPECT_EQ(Session().TlDestination, "D:\\Alt\\");
    EXPECT_FALSE(page.InstallType[0].Visible());
    EXPECT_EQ(page.InstallType[1].Value(), 1);
    EXPECT_EQ(page.Titel1.Caption(), "Aktualisierung");
    EXPECT_FALSE(page.Titel2.Visible());
    EXPECT_EQ(page.Body1.Caption(),
              "Bitte geben Sie an wo die Aktualisierung von ZEVRIN Tolvane durchgeführt werden "
              "soll.");
    ASSERT_TRUE(page.ReInstallServiceReleaseChecked.Visible());
    page.ReInstallServiceReleaseChecked.Click();
    page.btnNext.Click();
    EXPECT_EQ(platform::profile::ReadString("PATCHES", "P_Q_Vorlauf.inf", "<none>", productInf),
              "<none>");
    EXPECT_EQ(
        platform::profile::ReadString("PROJECT PROPERTIES", "P_Q_Vorlauf.inf", "", productInf),
        "07.12.2026 11:02,x,y");
}

TEST_F(InstallPageTest, WorkstationSetupOffersOnlyItsOwnRoles) {
    Session().IsWorkstationSetup = true;
    Session().InstallTypeText = "NEW";
    Install& page = Show();
    EXPECT_FALSE(page.MachineType[2].Visible());
    EXPECT_FALSE(page.MachineType[3].Visible());
    EXPECT_TRUE(page.ReInstallServiceReleaseChecked.Visible());
    EXPECT_FALSE(page.InstallType[1].Visible());
    EXPECT_EQ(page.Titel1.Caption(), "Neuinstallation");
}

}  // namespace
