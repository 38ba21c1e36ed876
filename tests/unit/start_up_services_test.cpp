// Start-up's handling of the background components and prerequisites: which
// components each product line ends, the order of the warnings, and what an
// update skips.
#include <gtest/gtest.h>

#include "tests/support/ExpectedWarnings.h"
#include "tests/support/FakePlatformTest.h"
#include "tests/support/RecordingNotice.h"
#include "tests/support/TempFolder.h"
#include "wizard/program/StartUp.h"

using namespace testing_support;

namespace {

class StartUpServicesTest : public FakePlatformTest {
protected:
    StartUpServicesTest() {
        fake.programFilePath = image / "Paldrix.exe";
        fake.windowsFolder = windows.path();
        MarkRuntimesInstalled();
        fake.processes = std::vector<std::string>{"Zevrin.App.ZevrinFTPLookUp.exe"};
        fake.serviceStates = {{"ZVBKPSRV", 4}, {"ZevrinExchangeSync", 4}};
    }
    void WriteInstallIni(const std::string& application) {
        image.Write("WSROOT\\Install.ini", "[Application]\r\n" + application);
        image.Write("WSROOT\\Version.ini", "[Common]\r\nVersion=7.80\r\nBuild=1000\r\n");
    }

    TempFolder image, windows;
    RecordingNotice notice;
};

TEST_F(StartUpServicesTest, TradesSetupEndsMonitorBackupAndExchangeInThatOrder) {
    WriteInstallIni("InstallType=NEW\r\n");

    ASSERT_TRUE(RunStartUpSequence(notice));

    ASSERT_EQ(fake.messages.size(), 3u);
    EXPECT_EQ(SplitCrLfLines(fake.messages[0].text), kMessageC);
    EXPECT_EQ(SplitCrLfLines(fake.messages[1].text), kMessageA);
    EXPECT_EQ(SplitCrLfLines(fake.messages[2].text), kMessageB);
    EXPECT_EQ(fake.serviceStops, (std::vector<std::string>{"ZVBKPSRV", "ZevrinExchangeSync"}));
    EXPECT_EQ(SuiteValue("StarteNotfallauftragsueberwachung"), "1");
    EXPECT_EQ(SuiteValue("StarteDatensicherung"), "1");
    EXPECT_EQ(SuiteValue("SicherungsName"), "");
    EXPECT_EQ(SuiteValue("StarteExchangeSynchronisierung"), "1");
    EXPECT_EQ(notice.events, "show;unload;");
}

TEST_F(StartUpServicesTest, CommercialSetupEndsOnlyTheMonitor) {
    WriteInstallIni("Program=Morvalis\r\nInstallType=NEW\r\n");

    ASSERT_TRUE(RunStartUpSequence(notice));

    ASSERT_EQ(fake.messages.size(), 1u);
    EXPECT_EQ(SplitCrLfLines(fake.messages[0].text), kMessageC);
    EXPECT_TRUE(fake.serviceStops.empty());
    EXPECT_EQ(fake.serviceStates["ZVBKPSRV"], 4);
    EXPECT_FALSE(HasSuiteValue("StarteDatensicherung"));
    EXPECT_FALSE(HasSuiteValue("StarteExchangeSynchronisierung"));
}

TEST_F(StartUpServicesTest, UpdateSkipsThePrerequisitesButNotTheMfc42locRename) {
    WriteInstallIni("InstallType=update\r\n");
    SetSuiteValue("VCRedist2", "");
    windows.Write("SysWOW64\\Mfc42loc.dll", "library");

    ASSERT_TRUE(RunStartUpSequence(notice));

    EXPECT_EQ(notice.events, "");
    EXPECT_EQ(SuiteValue("VCRedist2"), "");
    EXPECT_EQ(ReadFileText(windows / "SysWOW64\\Mfc42loc.dl_"), "library");
    EXPECT_FALSE(PathExists(windows / "SysWOW64\\Mfc42loc.dll"));
}

}  // namespace
