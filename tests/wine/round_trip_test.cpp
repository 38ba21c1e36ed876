// The round trip across both programs under Wine: the wizard's procedures end
// a running backup service and the monitor with the real platform, then the
// real Kelbrin.exe, run as a process against the same registry, starts them
// again and starts ZVNGen.exe. Message boxes are real; a watcher reads and
// confirms them.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>

#include "platform/Files.h"
#include "platform/Win32Platform.h"
#include "shared/modRegistry.h"
#include "tests/support/ExpectedWarnings.h"
#include "tests/support/MessageBoxReader.h"
#include "tests/support/ProgramRun.h"
#include "tests/support/RealRegistry.h"
#include "tests/support/StandInService.h"
#include "tests/support/TempFolder.h"
#include "tests/support/WaitUntil.h"
#include "wizard/base/SetupSession.h"
#include "wizard/base/StartPrograms.h"
#include "wizard/services/BackgroundServices.h"

using namespace testing_support;

namespace {

constexpr const char* kMonitor = "Zevrin.App.ZevrinFTPLookUp.exe";

bool StartDetached(const std::string& commandLine) {
    STARTUPINFOA startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process{};
    std::string line = commandLine;
    if (!CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                        &process)) {
        return false;
    }
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return true;
}

// Runs Kelbrin.exe to its end; its exit code, or -1 when it did not end in time.
long RunKelbrinProgram() {
    ProgramRun kelbrin(std::string(PROGRAM_DIR) + "\\Kelbrin.exe", "", PROGRAM_DIR);
    return kelbrin.started() ? kelbrin.WaitForExit(60000) : -2;
}

std::string Flag(const char* name) { return GetText(HKEY_LOCAL_MACHINE, kSuiteKey, name); }

Lines LinesOf(const SeenMessageBox& box) { return SplitCrLfLines(box.text); }

class RoundTripTest : public ::testing::Test {
protected:
    RoundTripTest()
        : guard_(win32_),
          suite_(HKEY_LOCAL_MACHINE, kSuiteKey),
          setup_(HKEY_LOCAL_MACHINE, "SOFTWARE\\Zevrin\\Setup"),
          setupWow_(HKEY_LOCAL_MACHINE, "SOFTWARE\\Wow6432Node\\Zevrin\\Setup") {
        ResetSession();
        // The product installer, a 32-bit program, records the folder.
        WriteRegistryValue(RegistryRoot::LocalMachine, kDestinationsKey, "QUENOR",
                           install_.path() + "\\");
    }

    // A stand-in copy of the suite's program `name` in the install folder.
    std::string PlaceStandIn(const std::string& name, int runMilliseconds) {
        const std::string program = install_ / name;
        CopyFileA((std::string(FIXTURE_DIR) + "\\StandIn.exe").c_str(), program.c_str(), FALSE);
        install_.Write(name.substr(0, name.size() - 4) + ".standin.ini",
                       "[StandIn]\r\nRunMilliseconds=" + std::to_string(runMilliseconds) + "\r\n");
        return program;
    }
    std::string Record(const std::string& name) const {
        return ReadFileText(install_ / (name.substr(0, name.size() - 4) + ".starts.txt"));
    }

    platform::Win32Platform win32_;
    platform::ScopedPlatform guard_;
    ScratchKey suite_, setup_, setupWow_;
    TempFolder install_;
};

TEST_F(RoundTripTest, WizardEndsBackupAndMonitorAndKelbrinStartsThemAgain) {
    RegisteredStandInService backup("ZVBKPSRV");
    ASSERT_TRUE(backup.StartAndWait());
    const std::string monitor = PlaceStandIn(kMonitor, 120000);
    PlaceStandIn("ZVNGen.exe", 0);
    ASSERT_TRUE(StartDetached("\"" + monitor + "\""));
    ASSERT_TRUE(WaitUntil([] { return IsProcessRunning(kMonitor); }));

    {
        // The wizard's start-up order for the trades line.
        MessageBoxReader reader({"A C H T U N G"});
        StopEmergencyOrderMonitor();
        StopBackupService();
        StopExchangeSyncService();
        const auto boxes = reader.Seen();
        ASSERT_EQ(boxes.size(), 2u);
        EXPECT_EQ(LinesOf(boxes[0]), kMessageC);
        EXPECT_EQ(LinesOf(boxes[1]), kMessageA);
    }
    EXPECT_TRUE(Session().MonitorWasStopped);
    EXPECT_EQ(backup.WaitForState(SERVICE_STOPPED), SERVICE_STOPPED);
    EXPECT_TRUE(WaitUntil([] { return !IsProcessRunning(kMonitor); }));
    EXPECT_EQ(Flag("StarteDatensicherung"), "1");
    EXPECT_EQ(Flag("SicherungsName"), "");
    EXPECT_EQ(Flag("StarteNotfallauftragsueberwachung"), "1");
    EXPECT_EQ(Flag("StarteExchangeSynchronisierung"), "<missing>");

    // After the installation: the monitor's restart need not linger.
    PlaceStandIn(kMonitor, 0);
    MessageBoxReader reader({"A C H T U N G", "Kelbrin"});
    EXPECT_EQ(RunKelbrinProgram(), 0);

    const auto boxes = reader.Seen();
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_EQ(LinesOf(boxes[0]), kMessageF);
    EXPECT_EQ(LinesOf(boxes[1]), kMessageD);
    EXPECT_EQ(backup.WaitForState(SERVICE_RUNNING), SERVICE_RUNNING);
    EXPECT_EQ(Flag("StarteDatensicherung"), "0");
    EXPECT_EQ(Flag("StarteNotfallauftragsueberwachung"), "0");
    EXPECT_EQ(Flag("SicherungsName"), "");
    // Started once by the test and once by Kelbrin; ZVNGen once.
    EXPECT_TRUE(WaitUntil([&] { return Record("ZVNGen.exe") != "<missing>"; }));
    EXPECT_NE(Record("ZVNGen.exe").find("ZVNGen.exe"), std::string::npos);
    const std::string monitorStarts = Record(kMonitor);
    EXPECT_EQ(std::count(monitorStarts.begin(), monitorStarts.end(), '\n'), 2) << monitorStarts;
    WaitUntil([] { return !IsProcessRunning(kMonitor) && !IsProcessRunning("ZVNGen.exe"); });
}

TEST_F(RoundTripTest, KelbrinKeepsTheFlagOfARunningServiceAndNamesAMissingZvnGen) {
    RegisteredStandInService backup("DatensicherungsDienst");
    ASSERT_TRUE(backup.StartAndWait());
    WriteSuiteValue("StarteDatensicherung", "1");
    WriteSuiteValue("SicherungsName", "DatensicherungsDienst");
    DWORD one = 1;
    SetRawValue(HKEY_LOCAL_MACHINE, kSuiteKey, "StarteExchangeSynchronisierung", REG_BINARY, &one,
                sizeof(one));

    MessageBoxReader reader({"A C H T U N G", "Kelbrin"});
    EXPECT_EQ(RunKelbrinProgram(), 0);

    const auto boxes = reader.Seen();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].caption, "Kelbrin");
    EXPECT_NE(boxes[0].text.find("\"" + install_.path() + "\\ZVNGen.exe\""), std::string::npos)
        << boxes[0].text;
    EXPECT_EQ(backup.State(), SERVICE_RUNNING);
    EXPECT_EQ(Flag("StarteDatensicherung"), "1");
    EXPECT_EQ(Flag("SicherungsName"), "DatensicherungsDienst");
    EXPECT_EQ(GetType(HKEY_LOCAL_MACHINE, kSuiteKey, "StarteExchangeSynchronisierung"),
              DWORD{REG_BINARY});
}

}  // namespace
