// The update check and the start-up gate with the fake platform: the update
// tool's start, the wait for it, and the messages; the folders are real.
#include <gtest/gtest.h>

#include <filesystem>

#include "platform/Files.h"
#include "platform/fake/FaultPlan.h"
#include "tests/support/FakePlatformTest.h"
#include "wizard/base/RunOutcome.h"
#include "tests/support/RecordingNotice.h"
#include "tests/support/TempFolder.h"
#include "tests/support/UpdateInstallation.h"
#include "wizard/program/StartUp.h"
#include "wizard/updates/UpdateCheck.h"

using namespace testing_support;

namespace {

constexpr int kExclamation = 48;
constexpr int kInformation = 64;

class UpdateCheckTest : public FakePlatformTest {
  protected:
    void RegisterInstallation(const std::string& folder) { assistant.Register(folder); }
    std::string Download(const std::string& name = "") const { return assistant.Download(name); }

    UpdateInstallation assistant{fake};
    const TempFolder& install = assistant.install;
};

TEST_F(UpdateCheckTest, MissingInstallationOrToolEndsWithTheNotFoundMessage) {
    const std::vector<std::function<void()>> breakages{
        [&] { RegisterInstallation("   "); },
        [&] { platform::files::DeleteFileAt(install / "ZVTLM.exe"); },
        [&] { platform::files::DeleteFileAt(install / "Internet-Assistent\\Ubrel.exe"); },
    };
    for (const auto& breakage : breakages) {
        breakage();
        fake.messages.clear();

        EXPECT_FALSE(CheckForUpdates(false));

        ASSERT_EQ(fake.messages.size(), 1u);
        EXPECT_EQ(fake.messages[0].text,
                  "Internet-Assisten nicht gefunden. Update-Prüfung nicht möglich!");
        EXPECT_EQ(fake.messages[0].caption, "ZEVRIN Internet-Assistent");
        EXPECT_EQ(fake.messages[0].style, kExclamation);
        EXPECT_TRUE(fake.starts.empty());
        install.Write("ZVTLM.exe", "tool");
        install.Write("Internet-Assistent\\Ubrel.exe", "tool");
        RegisterInstallation(install.path());
    }
}

TEST_F(UpdateCheckTest, EmptiesTheDownloadFolderRunsTheToolHiddenAndWaitsForIt) {
    install.Write("Internet-Assistent\\Download\\OLD.CAB", "old");
    install.Write("Internet-Assistent\\Download\\notes.txt", "old");
    fake.onStart = [&](const platform::RecordedStart&) {
        // The tool is "running" until the third poll; it delivers meanwhile.
        EXPECT_FALSE(PathExists(Download("OLD.CAB")));
        EXPECT_FALSE(PathExists(Download("notes.txt")));
        fake.processes = std::vector<std::string>{"explorer.exe", "C:\\x\\Ubrel.exe.bak"};
    };
    fake.onPump = [&] {
        if (fake.pumps == 2) install.Write("Internet-Assistent\\Download\\TL_UPD.CAB", "new");
        if (fake.pumps == 3) fake.processes = std::vector<std::string>{"explorer.exe"};
    };

    EXPECT_TRUE(CheckForUpdates(false));

    ASSERT_EQ(fake.starts.size(), 1u);
    EXPECT_EQ(fake.starts[0].operation, "Open");
    EXPECT_EQ(fake.starts[0].file, "\"Ubrel.exe\"");
    EXPECT_EQ(fake.starts[0].parameters, "autodownloadex");
    EXPECT_EQ(fake.starts[0].workingFolder, install / "Internet-Assistent\\");
    EXPECT_EQ(fake.starts[0].style, platform::WindowStyle::Hidden);
    EXPECT_EQ(fake.waitedMilliseconds, 3u * 2000u);
    EXPECT_TRUE(fake.messages.empty());
}

TEST_F(UpdateCheckTest, LocalUpdateUsesWhatLiesInTheDownloadFolder) {
    install.Write("Internet-Assistent\\Download\\TL_UPD.CAB", "kept");

    EXPECT_TRUE(CheckForUpdates(true));

    EXPECT_TRUE(fake.starts.empty());
    EXPECT_EQ(ReadFileText(Download("TL_UPD.CAB")), "kept");
}

TEST_F(UpdateCheckTest, NoCabinetAfterTheDownloadMeansNoUpdates) {
    fake.onStart = [&](const platform::RecordedStart&) {
        install.Write("Internet-Assistent\\Download\\P_Q_VORLAUF.INF", "inf only");
    };

    EXPECT_FALSE(CheckForUpdates(false));

    ASSERT_EQ(fake.messages.size(), 1u);
    EXPECT_EQ(fake.messages[0].text, "Keine Updates vorhanden!");
    EXPECT_EQ(fake.messages[0].caption, "ZEVRIN Internet-Assistent");
    EXPECT_EQ(fake.messages[0].style, kInformation);
    EXPECT_EQ(RunExitCode(), 0);

    // A tool that could not start downloaded nothing: that is no "no updates".
    platform::faults::FailingCall refused("ShellStartProgram", "Ubrel.exe");
    EXPECT_FALSE(CheckForUpdates(false));
    ASSERT_TRUE(refused.Failed());
    ASSERT_EQ(fake.messages.size(), 2u);
    EXPECT_EQ(fake.messages[1].text,
              "Internet-Assistent konnte nicht gestartet werden. Update-Prüfung nicht möglich!");
    EXPECT_EQ(RunExitCode(), 1603);
}

TEST_F(UpdateCheckTest, GateAsksOnlyInTheUpdateRoleAndEndsOnNo) {
    install.Write("Internet-Assistent\\Download\\TL_UPD.CAB", "update");
    Session().InternetUpdate = true;
    fake.programFilePath = "C:\\Setup\\Paldrix.exe";
    EXPECT_TRUE(RunUpdateGate());
    EXPECT_FALSE(Session().InternetUpdate);
    EXPECT_TRUE(fake.messages.empty());
    EXPECT_TRUE(fake.starts.empty());

    // Another start, under the assistant's name.
    fake.programFilePath = install / "inetsetup.EXE";
    Session().ProgramPath.clear();
    Session().LocalUpdate = true;
    fake.messageAnswers = {platform::answer::No};
    EXPECT_FALSE(RunUpdateGate());

    ASSERT_EQ(fake.messages.size(), 1u);
    EXPECT_EQ(fake.messages[0].text,
              "Es ist ein Update vorhanden! Möchten Sie dieses Update installieren?");
    EXPECT_EQ(fake.messages[0].caption, "ZEVRIN Internet-Assistent Tolvane");
    EXPECT_EQ(fake.messages[0].style, 36);
    EXPECT_FALSE(Session().InternetUpdate);
    EXPECT_FALSE(PathExists(install / "TmpSetup"));
    EXPECT_EQ(RunExitCode(), 1602);

    // A question that could not be shown was declined by no one.
    ResetSession();
    Session().LocalUpdate = true;
    platform::faults::FailingCall unseen("ShowMessage", "Es ist ein Update vorhanden");
    EXPECT_FALSE(RunUpdateGate());
    ASSERT_TRUE(unseen.Failed());
    EXPECT_EQ(RunExitCode(), 1603);
}

TEST_F(UpdateCheckTest, GateEndsSilentlyWhenThePreRunPackageIsMissing) {
    fake.programFilePath = install / "INETSETUP.exe";
    Session().LocalUpdate = true;
    install.Write("Internet-Assistent\\Download\\TL_UPD.CAB", "update");
    install.Write("TmpSetup\\stale.txt", "from the last run");
    fake.messageAnswers = {platform::answer::Yes};

    EXPECT_FALSE(RunUpdateGate());

    EXPECT_EQ(fake.messages.size(), 1u);  // the question only
    EXPECT_FALSE(Session().InternetUpdate);
    EXPECT_EQ(Session().UpdateDownloadFolder, Download());
    EXPECT_TRUE(platform::files::FolderExists(install / "TmpSetup"));
    EXPECT_FALSE(PathExists(install / "TmpSetup\\stale.txt"));
}

TEST_F(UpdateCheckTest, RemoveFolderTreeTakesReadOnlyFilesAndReportsMissingFolders) {
    install.Write("TmpSetup\\a\\b\\c.txt", "x");
    const std::string readOnly = install.Write("TmpSetup\\ro.txt", "x");
    ASSERT_EQ(std::system(("attrib +r \"" + readOnly + "\" >NUL").c_str()), 0);

    EXPECT_TRUE(RemoveFolderTree(install / "TmpSetup\\"));
    EXPECT_FALSE(PathExists(install / "TmpSetup"));
    EXPECT_FALSE(RemoveFolderTree(install / "TmpSetup\\"));
}

TEST_F(UpdateCheckTest, PrepareUpdateWithoutInstallationFolderDeletesNothing) {
    RegisterInstallation("");
    install.Write("TmpSetup\\keep.txt", "keep");
    const std::filesystem::path previous = std::filesystem::current_path();
    std::filesystem::current_path(install.path());

    EXPECT_FALSE(PrepareUpdate());

    std::filesystem::current_path(previous);
    EXPECT_EQ(ReadFileText(install / "TmpSetup\\keep.txt"), "keep");
    // An update that cannot be applied is said.
    ASSERT_EQ(fake.messages.size(), 1u);
    EXPECT_NE(fake.messages[0].text.find("Verarbeitung wird beendet."), std::string::npos);
}

TEST_F(UpdateCheckTest, StartUpGoesOnFromWhereTheUpdateWasUnpacked) {
    // The assistant started from another folder than the installation: the
    // run must use the unpacked image, not a TmpSetup beside the program.
    TempFolder elsewhere;
    elsewhere.Write("AppPath", "");  // names nothing, so it changes nothing
    fake.programFilePath = elsewhere / "INETSETUP.EXE";
    fake.commandLine = "-LOCALUPDATE";
    fake.messageAnswers = {platform::answer::Yes};
    assistant.DeliverPackage();
    RecordingNotice notice;

    ASSERT_TRUE(RunStartUpSequence(notice));

    EXPECT_TRUE(Session().InternetUpdate);
    EXPECT_EQ(Session().SetupRoot, install / "TmpSetup");
    EXPECT_EQ(Session().InstallIniPath, install / "TmpSetup\\WSROOT\\Install.ini");
    EXPECT_EQ(Session().InstallTypeText, "UPDATE");
    EXPECT_EQ(Session().NewUpdate, "8.1");
}

}  // namespace
