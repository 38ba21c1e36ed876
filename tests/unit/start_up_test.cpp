// The start-up sequence by role, against a real image in a temporary folder
// and the fake registry.
#include <gtest/gtest.h>

#include "tests/support/FakePlatformTest.h"
#include "tests/support/RecordingNotice.h"
#include "tests/support/TempFolder.h"
#include "ui/Form.h"
#include "wizard/base/RunOutcome.h"
#include "wizard/pages/PageSequence.h"
#include "wizard/pages/SystemPruefung.h"
#include "wizard/program/StartUp.h"

using namespace testing_support;

namespace {

class StartUpTest : public FakePlatformTest {
protected:
    StartUpTest() {
        RunAs("Paldrix.exe");
        MarkRuntimesInstalled();
    }

    // A start under this name (the session keeps the file the run began with).
    void RunAs(const std::string& programName) {
        fake.programFilePath = image / programName;
        Session().ProgramPath.clear();
    }
    void WriteImage(const std::string& application, const std::string& folder = "WSROOT") {
        const std::string prefix = folder.empty() ? "" : folder + "\\";
        image.Write(prefix + "Install.ini", "[Application]\r\n" + application +
                                                "[Checklisten]\r\nPaldrixHelp=Docs\\Hilfe.pdf\r\n");
        image.Write(prefix + "Version.ini", "[Common]\r\nVersion=7.80\r\nBuild=1000b\r\n");
    }
    bool Run() { return RunStartUpSequence(notice); }

    TempFolder image;
    RecordingNotice notice;
};

TEST_F(StartUpTest, OrdinarySetupBuildsTheSessionFromTheImage) {
    WriteImage("InstallType=new\r\n");
    SetSuiteValue("Build", "900");
    SetSuiteValue("Release", "7.70");
    SetSuiteValue("Update", "u1");

    ASSERT_TRUE(Run());

    const SetupSession& s = Session();
    EXPECT_EQ(s.WizardTitle, "ZEVRIN Tolvane Setup-Assistent");
    EXPECT_EQ(s.SetupRoot, image.path());
    EXPECT_EQ(s.SetupSourceRoot, image.path());
    EXPECT_EQ(s.InstallIniPath, image / "WSROOT\\Install.ini");
    EXPECT_EQ(s.SavedInstallIniPath, s.InstallIniPath);
    EXPECT_EQ(s.VersionIniPath, image / "WSROOT\\Version.ini");
    EXPECT_EQ(s.RequirementsIniPath, image / "WSROOT\\Mindestvoraussetzungen.ini");
    EXPECT_EQ(s.HelpFilePath, image / "Docs\\Hilfe.pdf");
    EXPECT_EQ(s.InstallTypeText, "NEW");
    EXPECT_EQ(s.InstallMode, SetupMode::NewInstallation);
    EXPECT_EQ(s.PreviousBuild, "900");
    EXPECT_EQ(SuiteValue("Build"), "1000B");
    EXPECT_EQ(s.PreviousRelease, "7.70");
    EXPECT_EQ(SuiteValue("Release"), "7.80");
    EXPECT_EQ(SuiteValue("Update"), "u1");
    EXPECT_TRUE(s.StartupReplacedRelease);
    EXPECT_FALSE(s.StartupReplacedUpdate);
    EXPECT_TRUE(fake.messages.empty());
    // The first page was made while the setup-type program ran; showing it
    // makes no second window.
    EXPECT_EQ(fake.pageWindowsCreated, 1);
    ShowFirstPage();
    EXPECT_EQ(fake.pageWindowsCreated, 1);
    EXPECT_TRUE(fake.lastPageWindow->shown);
}

TEST_F(StartUpTest, UpdateInstallTypeRecordsUpdateAndGivesModeOne) {
    WriteImage("InstallType=update\r\n");
    ASSERT_TRUE(Run());
    EXPECT_EQ(Session().InstallTypeText, "UPDATE");
    EXPECT_EQ(Session().InstallMode, SetupMode::Update);
    EXPECT_EQ(SuiteValue("Update"), "7.80");
    EXPECT_FALSE(HasSuiteValue("Release"));
    EXPECT_TRUE(Session().StartupReplacedUpdate);
}

TEST_F(StartUpTest, UnknownInstallTypeIsClearedAndModeFollowsTheTradesInstallation) {
    WriteImage("InstallType=sometimes\r\nx=1\r\n");
    SetSuiteValue("SetupType", "2");
    SetSuiteValue("TlDestination", "D:\\Tolvane\\");
    ASSERT_TRUE(Run());
    EXPECT_EQ(Session().InstallTypeText, "");
    EXPECT_EQ(Session().InstallMode, SetupMode::Update);

    ResetSession();
    SetSuiteValue("TlDestination", "");
    fake.windowsFolder = image.path();  // no KVIR32_OLD.INI there
    ASSERT_TRUE(Run());
    EXPECT_EQ(Session().InstallMode, SetupMode::NewInstallation);
}

TEST_F(StartUpTest, CommercialLineUsesItsTitleAndRecordsOnlyTheBuild) {
    WriteImage("Program=morvalis\r\nInstallType=NEW\r\n");
    ASSERT_TRUE(Run());
    EXPECT_EQ(Session().WizardTitle, "ZEVRIN Morvalis Setup-Assistent");
    EXPECT_EQ(Session().ProgramName, "MORVALIS");
    EXPECT_EQ(SuiteValue("Build"), "1000B");
    EXPECT_FALSE(HasSuiteValue("Release"));
    EXPECT_FALSE(HasSuiteValue("Update"));
}

TEST_F(StartUpTest, ServerImageNeedsAllThreeFoldersWhenStartedAsSetup) {
    RunAs("SETUP.EXE");
    // An update skips the prerequisites step, which would clear the flag again.
    WriteImage("InstallType=UPDATE\r\n");
    image.MakeFolder("Setups");
    ASSERT_TRUE(Run());
    EXPECT_FALSE(Session().StartedFromServerImage);

    image.MakeFolder("Shared_Files");
    ASSERT_TRUE(Run());
    EXPECT_TRUE(Session().StartedFromServerImage);

    RunAs("Paldrix.exe");
    ASSERT_TRUE(Run());
    EXPECT_FALSE(Session().StartedFromServerImage);
}

TEST_F(StartUpTest, WorkstationCopyReadsTheImageRootAndLimitsTheRole) {
    RunAs("Selvor.exe");
    WriteImage("InstallType=NEW\r\n", "");
    const std::pair<const char*, MachineRole> cases[] = {{"3", MachineRole::NetworkWorkstation},
                                                         {"0", MachineRole::SinglePc},
                                                         {"", MachineRole::NetworkWorkstation},
                                                         {" 1", MachineRole::NetworkWorkstation}};
    for (const auto& [stored, expected] : cases) {
        SCOPED_TRACE(stored);
        ResetSession();
        SetSuiteValue("SetupMachineType", stored);
        SetSuiteValue("SelvorDestination", "\\\\old\\share");
        ASSERT_TRUE(Run());
        EXPECT_EQ(Session().MachineType, expected);
        EXPECT_TRUE(Session().IsWorkstationSetup);
        EXPECT_EQ(Session().InstallIniPath, image / "Install.ini");
        EXPECT_EQ(SuiteValue("SelvorLocation"), image.path());
        EXPECT_EQ(SuiteValue("SelvorDestination"), "");
        // A workstation falls back to where its setup copy lies.
        if (expected == MachineRole::NetworkWorkstation) {
            EXPECT_EQ(Session().ServerSetupFolder, image.path());
        }
    }
}

TEST_F(StartUpTest, AppPathFileNamesTheRootWithoutDoubledBackslashes) {
    TempFolder other;
    other.Write("WSROOT\\Install.ini", "[Application]\r\nInstallType=NEW\r\n");
    image.Write("AppPath", other.path() + "\\\r\nsecond line\r\n");
    ASSERT_TRUE(Run());
    EXPECT_EQ(Session().SetupRoot, other.path() + "\\");
    EXPECT_EQ(Session().InstallIniPath, other / "WSROOT\\Install.ini");
    EXPECT_EQ(Session().InstallTypeText, "NEW");
}

TEST_F(StartUpTest, AppPathFileThatNamesNothingFallsBackToTheProgramFolder) {
    WriteImage("InstallType=NEW\r\n");
    for (const char* content : {"", "\r\nsecond line\r\n", "   "}) {
        SCOPED_TRACE(content);
        ResetSession();
        image.Write("AppPath", content);
        ASSERT_TRUE(Run());
        EXPECT_EQ(Session().SetupRoot, image.path());
        EXPECT_EQ(Session().InstallIniPath, image / "WSROOT\\Install.ini");
        EXPECT_EQ(Session().InstallTypeText, "NEW");
    }
}

TEST_F(StartUpTest, MissingInstallIniPromptsForTheMediumOnEachRead) {
    ASSERT_TRUE(Run());
    ASSERT_FALSE(fake.messages.empty());
    for (const auto& message : fake.messages) {
        EXPECT_EQ(message.text, "Datei nicht gefunden! (" + image / "WSROOT\\Install.ini" +
                                    ") Bitte legen Sie die Programm-CD ein");
    }
}

TEST_F(StartUpTest, EditInfModeEndsBeforeAnythingElseAlsoWhileAWizardRuns) {
    fake.heldLocks->insert("ZEVRIN-Setup-Assistent");
    fake.commandLine = "-EDITINF " + image.path() + "\\";
    EXPECT_FALSE(Run());
    EXPECT_EQ(fake.registryWrites, 0);
    EXPECT_TRUE(fake.starts.empty());
    EXPECT_TRUE(fake.messages.empty());
}

TEST_F(StartUpTest, ASecondWizardSaysSoBringsTheFirstForwardAndEnds) {
    WriteImage("InstallType=NEW\r\n");
    fake.heldLocks->insert("ZEVRIN-Setup-Assistent");  // by the wizard already running

    EXPECT_FALSE(Run());

    ASSERT_EQ(fake.messages.size(), 1u);
    EXPECT_EQ(fake.messages[0].text, "Der Setup-Assistent wird bereits ausgeführt.");
    EXPECT_EQ(fake.messages[0].caption, "Paldrix");
    EXPECT_EQ(fake.messages[0].style, platform::mb::Ok | platform::mb::IconInformation);
    EXPECT_EQ(fake.otherInstanceBroughtToFront, 1);
    EXPECT_EQ(RunExitCode(), 1618);
    EXPECT_EQ(fake.registryWrites, 0);
    EXPECT_TRUE(fake.starts.empty());
}

TEST_F(StartUpTest, TheWizardHoldsTheLockUntilItHandsOverToTheInstaller) {
    // The trades line starts its installer and ends; the commercial line's
    // requirements page waits for it to end.
    for (const std::string program : {"", "Program=MORVALIS\r\n"}) {
        SCOPED_TRACE(program);
        ResetSession();
        fake.onStart = nullptr;
        WriteImage(program + "InstallType=NEW\r\nRUN=Setup.exe\r\n");
        image.Write("Setup.exe", "installer");
        ASSERT_TRUE(Run());
        EXPECT_EQ(fake.heldLocks->count("ZEVRIN-Setup-Assistent"), 1u);

        // An installer that starts a wizard of its own finds the lock free.
        bool lockedAtStart = true;
        fake.onStart = [&](const platform::RecordedStart&) {
            lockedAtStart = fake.heldLocks->count("ZEVRIN-Setup-Assistent") != 0;
        };
        if (program.empty()) {
            EXPECT_THROW(StartProductInstaller(), platform::ProgramExit);
        } else {
            SystemPruefung& page = ShowSystemPruefungPage();
            page.CheckSystemvoraussetzungenGelesen.Click();
            EXPECT_THROW(page.btnNext.Click(), platform::ProgramExit);
        }
        EXPECT_FALSE(lockedAtStart);
        EXPECT_EQ(RunExitCode(), 0);
        ui::DiscardAllForms();
    }
}

TEST_F(StartUpTest, StopsTheAppointmentReminderAndRemovesTheRunEntry) {
    WriteImage("InstallType=NEW\r\n");
    fake.SetRegistry(RegistryRoot::CurrentUser, "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run",
                     "Paldrix", RegistryValue::FromText("x"));
    ASSERT_TRUE(Run());
    ASSERT_EQ(fake.comCalls.size(), 1u);
    EXPECT_EQ(fake.comCalls[0], "ZvTerRemind.ZvTerRemMgr.KillTask");
    bool taskkill = false;
    for (const auto& start : fake.starts) {
        if (start.file == "taskkill /f /t /im ZvTerRemind.exe") {
            taskkill = start.style == platform::WindowStyle::MinimizedNoFocus;
        }
    }
    EXPECT_TRUE(taskkill);
    EXPECT_FALSE(fake.RegistryEntry(RegistryRoot::CurrentUser,
                                    "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run", "Paldrix"));
}

}  // namespace
