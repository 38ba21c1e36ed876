// The database server's runs of the real Paldrix.exe, by keyboard alone:
// copying the setup to a server folder chosen in the folder picker, a
// prescribed update into its version folder after the old-files page, Cancel
// in the middle of a large copy, and then the workstation setup run from that
// copy as Selvor.exe. The server folder is named with a Polish letter.
#include <gtest/gtest.h>
#include <windows.h>

#include <filesystem>
#include <string>

#include "platform/Files.h"
#include "platform/TextConversion.h"
#include "tests/support/FolderPicker.h"
#include "tests/support/RealRegistry.h"
#include "tests/support/WaitUntil.h"
#include "tests/support/WizardImageTest.h"

using namespace testing_support;

namespace {

constexpr const char* kCopyHeading = "Setup auf Server kopieren";
constexpr const char* kOldFilesHeading = "Installations-Dateien auf dem Server";

class ServerCopyPathsTest : public WizardImageTest {
  protected:
    ServerCopyPathsTest() {
        // The image's wizard is also its workstation setup.
        image.MakeFolder("WSROOT");
        platform::files::CopyFileReplacing(PROGRAM_DIR "\\Paldrix.exe", image / "WSROOT\\Selvor.exe");
        image.Write("sqlredis.exe", "sql");
        PlaceStandIn("Setups\\Tolvane\\Setup", "[StandIn]\r\nRecord=" + Record() + "\r\n");
        PlaceStandIn("Setups\\DBTools\\DBToolsSetup", "");
        image.Write("WSROOT\\UpdateNote.txt", "Bitte sichern Sie Ihre Datenbank.\r\n");
        WriteImage("", "7.80");
        SetSuite("SetupMachineType", "2");
    }

    void WriteImage(const std::string& installType, const std::string& version) {
        image.Write("WSROOT\\Install.ini",
                    "[Application]\r\nInstallType=" + installType +
                        "\r\nRUN=Setups\\Tolvane\\Setup.exe /s\r\n"
                        "[DBTools]\r\nRUN=Setups\\DBTools\\DBToolsSetup.exe\r\n"
                        "[SELVORFOLDERS]\r\nSetups\r\nSetups\\Tolvane\r\nSetups\\DBTools\r\n");
        image.Write("WSROOT\\Version.ini", "[Common]\r\nVersion=" + version + "\r\nBuild=1000\r\n");
    }
    // Every start of the product installer, from wherever it was copied to.
    std::string Record() const { return records / "installer.txt"; }
    std::string InstallerStarts() const { return ReadFileText(Record()); }

    void ThroughToTheCopyPage(WizardDriver& wizard, bool update) {
        ASSERT_NE(wizard.AwaitPage("Version 7.80", 60000), nullptr);
        wizard.Press(VK_RETURN);
        if (!update) {
            ASSERT_NO_FATAL_FAILURE(ConfirmRequirements(wizard));
        }
        ASSERT_NE(wizard.AwaitPage("Datenbank-Server"), nullptr);
        EXPECT_TRUE(wizard.IsChecked("Datenbank-Server"));
        wizard.Press(VK_RETURN);
        if (update) {
            ASSERT_NO_FATAL_FAILURE(ConfirmUpdateNote(wizard));
        }
    }
    void AwaitInstaller(const std::string& from) {
        EXPECT_TRUE(WaitUntil([&] { return InstallerStarts().find(from) != std::string::npos; }))
            << InstallerStarts();
    }

    TempFolder server{"\\Server Łódź"}, records;
};

TEST_F(ServerCopyPathsTest, DatabaseServerCopiesToAFolderChosenInThePickerAndGoesOnFromThere) {
    WizardDriver& wizard = Start();
    ThroughToTheCopyPage(wizard, false);
    ASSERT_NE(wizard.AwaitPage(kCopyHeading), nullptr);
    // The shell's own folder picker, its tree walked down to "Server Łódź".
    ASSERT_TRUE(wizard.TabTo("Durchsuchen..."));
    wizard.Press(VK_SPACE);
    HWND picker = wizard.AwaitWindow("Browse for Folder");
    ASSERT_NE(picker, nullptr) << wizard.DescribeWindows();
    ASSERT_TRUE(ChooseInFolderPicker(picker, wizard.run().processId(), server.path()));
    ASSERT_TRUE(WaitUntil([&] { return wizard.Shows(server.path()); }));
    EXPECT_TRUE(wizard.IsChecked("Installationsprozedur kopieren nach:"));
    ASSERT_TRUE(wizard.TabTo("&Weiter >"));
    wizard.Press(VK_RETURN);
    ASSERT_NE(wizard.AwaitPage("Datenbank-Tools", 60000), nullptr);
    wizard.Press(VK_RETURN);
    EXPECT_EQ(wizard.run().WaitForExit(30000), 0);

    // The workstation part of the image lies in the server folder.
    for (const char* file : {"Selvor.exe", "Install.ini", "Version.ini", "UpdateNote.txt",
                             "sqlredis.exe", "Dravik.exe", "AktVersion.ini",
                             "Setups\\Tolvane\\Setup.exe", "Setups\\DBTools\\DBToolsSetup.exe"}) {
        EXPECT_TRUE(PathExists(server / file)) << file;
    }
    EXPECT_EQ(Suite("SelvorDestination"), server.path());
    EXPECT_EQ(Suite("SelvorLocation"), "");
    // The setup goes on from the copy.
    AwaitInstaller(server.path() + "\\Setups\\Tolvane\\Setup.exe\" /s");
}

TEST_F(ServerCopyPathsTest, DatabaseServerAnswersRecordedOnceAreReplayedOnAFreshServer) {
    SetSuite("SelvorDestination", server.path());
    const std::string answers = records / "Antworten.ini";
    WizardDriver& wizard = StartWith("-SAVEANSWERS \"" + answers + "\"");
    ThroughToTheCopyPage(wizard, false);
    ASSERT_NE(wizard.AwaitPage(kCopyHeading), nullptr);
    wizard.Press(VK_RETURN);
    ASSERT_NE(wizard.AwaitPage("Datenbank-Tools", 60000), nullptr);
    wizard.Press(VK_RETURN);
    EXPECT_EQ(wizard.run().WaitForExit(30000), 0);
    AwaitInstaller(server.path() + "\\Setups\\Tolvane\\Setup.exe\" /s");
    const std::string recorded = AllValues(HKEY_LOCAL_MACHINE, kSuiteKey);

    // A server that never saw a setup: no role, no folder remembered, no copy.
    FreshSuite();
    for (const auto& entry : std::filesystem::directory_iterator(platform::ToWide(server.path()))) {
        std::filesystem::remove_all(entry.path());
    }
    platform::files::DeleteFileAt(Record());
    WizardDriver& replay = StartWith("-ANSWERS \"" + answers + "\"");
    EXPECT_EQ(replay.run().WaitForExit(90000), 0);
    AwaitInstaller(server.path() + "\\Setups\\Tolvane\\Setup.exe\" /s");
    EXPECT_TRUE(PathExists(server / "Selvor.exe"));
    EXPECT_EQ(AllValues(HKEY_LOCAL_MACHINE, kSuiteKey), recorded);

    // The same on another fresh server, silently: no window ever shows, and
    // without a record the post-setup program is told of none.
    FreshSuite();
    for (const auto& entry : std::filesystem::directory_iterator(platform::ToWide(server.path()))) {
        std::filesystem::remove_all(entry.path());
    }
    platform::files::DeleteFileAt(Record());
    WizardDriver& silent = StartWith("-SILENT -ANSWERS \"" + answers + "\"");
    VisibleWindowWatch watch(silent.run().processId());
    EXPECT_EQ(silent.run().WaitForExit(90000), 0);
    EXPECT_EQ(watch.Seen(), "");
    AwaitInstaller(server.path() + "\\Setups\\Tolvane\\Setup.exe\" /s");
    EXPECT_TRUE(PathExists(server / "Selvor.exe"));
    std::string values = AllValues(HKEY_LOCAL_MACHINE, kSuiteKey);
    const std::string handedOver = "StillesSetupProtokoll=\n";
    ASSERT_NE(values.find(handedOver), std::string::npos) << values;
    EXPECT_EQ(values.erase(values.find(handedOver), handedOver.size()), recorded);
}

TEST_F(ServerCopyPathsTest, PrescribedUpdateGoesIntoItsVersionFolderAfterTheOldOnesAreOffered) {
    WriteImage("UPDATE", "5.2.0");
    image.Write("WSROOT\\Version.ini", "[Common]\r\nVersion=5.2.0\r\nBuild=1000\r\n");
    server.Write("Version_510\\Version.ini", "[Common]\r\nVersion=5.1.0\r\n");
    server.Write("Version_500\\Version.ini", "[Common]\r\nVersion=5.0.0\r\n");
    SetSuite("SelvorDestination", server / "Version_510");
    WizardDriver& wizard = Start();
    ASSERT_NE(wizard.AwaitPage("Version 5.2.0", 60000), nullptr);
    wizard.Press(VK_RETURN);
    ASSERT_NE(wizard.AwaitPage("Aktualisierung"), nullptr);
    wizard.Press(VK_RETURN);
    ASSERT_NO_FATAL_FAILURE(ConfirmUpdateNote(wizard));

    // The old installation files come first: the first one listed is deleted.
    ASSERT_NE(wizard.AwaitPage(kOldFilesHeading), nullptr);
    EXPECT_EQ(WindowText(wizard.Page()), "Setup-Assistent");  // its caption from the start
    EXPECT_FALSE(wizard.IsEnabled("&Frühere Versionen löschen"));
    ASSERT_TRUE(wizard.TabToClass("ListBox"));
    wizard.Press(VK_HOME);
    ASSERT_TRUE(WaitUntil([&] { return wizard.IsEnabled("&Frühere Versionen löschen"); }, 5000));
    wizard.PressAlt('f');
    ASSERT_TRUE(WaitUntil([&] {
        return !PathExists(server / "Version_510") || !PathExists(server / "Version_500");
    }));
    EXPECT_TRUE(PathExists(server / "Version_510") != PathExists(server / "Version_500"));
    wizard.PressAlt('w');

    ASSERT_NE(wizard.AwaitPage(kCopyHeading), nullptr);
    EXPECT_NE(wizard.AwaitPage("\\Version_520"), nullptr);
    wizard.Press(VK_RETURN);  // copies, then starts the update from the copy
    EXPECT_EQ(wizard.run().WaitForExit(60000), 0);
    EXPECT_TRUE(PathExists(server / "Version_520\\Selvor.exe"));
    EXPECT_TRUE(PathExists(server / "AktVersion.ini"));
    EXPECT_EQ(Suite("SelvorDestination"), server / "Version_520");
    AwaitInstaller(server / "Version_520\\Setups\\Tolvane\\Setup.exe\" /s");
}

TEST_F(ServerCopyPathsTest, CancelStopsALargeCopyAndTheWorkstationSetupRunsFromTheFinishedOne) {
    // A few thousand files: time enough to cancel in the middle.
    for (int i = 0; i < 3000; ++i) {
        image.Write("Setups\\Tolvane\\Daten\\datei" + std::to_string(i) + ".dat",
                    std::string(4096, static_cast<char>('a' + i % 26)));
    }
    WriteImage("", "7.80");
    image.Write("WSROOT\\Install.ini",
                ReadFileText(image / "WSROOT\\Install.ini") + "Setups\\Tolvane\\Daten\r\n");
    SetSuite("SelvorDestination", server.path());
    WizardDriver& wizard = Start();
    ThroughToTheCopyPage(wizard, false);
    ASSERT_NE(wizard.AwaitPage(kCopyHeading), nullptr);
    wizard.Press(VK_RETURN);
    ASSERT_TRUE(WaitUntil([&] { return PathExists(server / "Setups\\Tolvane\\Daten\\datei1.dat"); },
                          60000));
    wizard.Press(VK_ESCAPE);
    HWND question = wizard.AwaitWindow("Setup-Assistent");
    ASSERT_NE(question, nullptr);
    AnswerMessageBox(question, IDNO);
    // The copy stopped; the page stays, every button answers again.
    ASSERT_TRUE(WaitUntil([&] { return wizard.IsEnabled("&Weiter >"); }, 20000));
    EXPECT_FALSE(PathExists(server / "Setups\\Tolvane\\Daten\\datei2999.dat"));
    EXPECT_LT(LongestAnswerTime(wizard.Page(), 500), 100.0);
    EXPECT_EQ(Suite("SelvorDestination"), server.path());  // only as remembered before

    wizard.Press(VK_RETURN);  // the copy again, this time to its end
    ASSERT_NE(wizard.AwaitPage("Datenbank-Tools", 120000), nullptr);
    EXPECT_TRUE(PathExists(server / "Setups\\Tolvane\\Daten\\datei2999.dat"));
    wizard.Press(VK_RETURN);
    EXPECT_EQ(wizard.run().WaitForExit(30000), 0);
    AwaitInstaller(server.path() + "\\Setups\\Tolvane\\Setup.exe\" /s");

    // A workstation installs from the server copy with Selvor.exe.
    WizardDriver& workstation = Start(server / "Selvor.exe", server.path());
    ASSERT_NE(workstation.AwaitPage("Version 7.80", 60000), nullptr);
    EXPECT_EQ(Suite("SelvorLocation"), server.path());
    EXPECT_EQ(Suite("SelvorDestination"), "");
    workstation.Press(VK_RETURN);
    ASSERT_NO_FATAL_FAILURE(ConfirmRequirements(workstation));
    ASSERT_NE(workstation.AwaitPage("Netzwerk-Arbeitsplatz"), nullptr);
    EXPECT_TRUE(workstation.IsChecked("Netzwerk-Arbeitsplatz"));
    EXPECT_FALSE(workstation.Shows("Datenbank-Server"));
    workstation.Press(VK_RETURN);
    EXPECT_EQ(workstation.run().WaitForExit(30000), 0);
    EXPECT_EQ(Suite("SetupMachineType"), "1");
    EXPECT_TRUE(WaitUntil([&] {
        const std::string starts = InstallerStarts();
        return starts.find(server.path() + "\\Setups\\Tolvane\\Setup.exe\" /s") !=
               starts.rfind(server.path() + "\\Setups\\Tolvane\\Setup.exe\" /s");
    })) << InstallerStarts();
}

}  // namespace


