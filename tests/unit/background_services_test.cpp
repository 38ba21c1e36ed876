// Ending the suite's background components before setup, against the fake
// platform: what is stopped, the warnings, and the restart flags left behind.
#include <gtest/gtest.h>

#include "tests/support/ExpectedWarnings.h"
#include "tests/support/FakePlatformTest.h"
#include "wizard/services/BackgroundServices.h"

using namespace testing_support;

namespace {

constexpr int kWarningStyle = platform::mb::Ok | platform::mb::IconExclamation;
constexpr const char* kMonitor = "Zevrin.App.ZevrinFTPLookUp.exe";

class BackgroundServicesTest : public FakePlatformTest {
protected:
    void StopAll() {
        StopEmergencyOrderMonitor();
        StopBackupService();
        StopExchangeSyncService();
    }
    void ExpectWarnings(const std::vector<const Lines*>& expected) {
        ASSERT_EQ(fake.messages.size(), expected.size());
        for (size_t i = 0; i < expected.size(); ++i) {
            SCOPED_TRACE(i);
            EXPECT_EQ(SplitCrLfLines(fake.messages[i].text), *expected[i]);
            EXPECT_EQ(fake.messages[i].caption, "A C H T U N G");
            EXPECT_EQ(fake.messages[i].style, kWarningStyle);
        }
    }
};

TEST_F(BackgroundServicesTest, NothingRunningShowsNothingAndWritesNothing) {
    // A flag from an earlier run stays as it is; pending services are left alone.
    SetSuiteValue("StarteDatensicherung", "1");
    fake.serviceStates = {{"ZVBKPSRV", 2}, {"DatensicherungsDienst", 3}, {"ZevrinExchangeSync", 1}};
    fake.processes = std::vector<std::string>{"Paldrix.exe", "explorer.exe"};
    Session().MonitorWasStopped = true;

    StopAll();

    EXPECT_TRUE(fake.messages.empty());
    EXPECT_EQ(fake.registryWrites, 0);
    EXPECT_TRUE(fake.serviceStops.empty());
    EXPECT_TRUE(fake.starts.empty());
    EXPECT_FALSE(Session().MonitorWasStopped);
    EXPECT_EQ(SuiteValue("StarteDatensicherung"), "1");
}

TEST_F(BackgroundServicesTest, MonitorIsKilledThenReportedThenFlagged) {
    // The process test matches names that merely contain the monitor's name.
    fake.processes = std::vector<std::string>{std::string("Old") + kMonitor};
    fake.onStart = [&](const platform::RecordedStart&) {
        EXPECT_TRUE(fake.messages.empty());
        EXPECT_FALSE(HasSuiteValue("StarteNotfallauftragsueberwachung"));
    };

    StopEmergencyOrderMonitor();

    ASSERT_EQ(fake.starts.size(), 1u);
    EXPECT_EQ(fake.starts[0].file, "taskkill /F /IM Zevrin.App.ZevrinFTPLookUp.exe");
    EXPECT_EQ(fake.starts[0].style, platform::WindowStyle::MinimizedFocus);
    ExpectWarnings({&kMessageC});
    EXPECT_EQ(SuiteValue("StarteNotfallauftragsueberwachung"), "1");
    EXPECT_TRUE(Session().MonitorWasStopped);
}

TEST_F(BackgroundServicesTest, EachRunningBackupServiceIsStoppedAndTheLastNameKept) {
    struct Case {
        std::vector<std::string> running;
        std::string recordedName;
    };
    const Case cases[] = {
        {{"ZVBKPSRV"}, ""},
        {{"ZEVRIN Backup Service"}, "ZEVRIN Backup Service"},
        {{"ZVBKPSRV", "DatensicherungsDienst"}, "DatensicherungsDienst"},
        {{"DatensicherungsDienst", "ZVBKPSRV", "ZEVRIN Backup Service"}, "DatensicherungsDienst"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.recordedName + " of " + std::to_string(c.running.size()));
        fake.messages.clear();
        fake.serviceStops.clear();
        fake.serviceStates.clear();
        SetSuiteValue("SicherungsName", "stale");
        for (const auto& name : c.running) fake.serviceStates[name] = 4;

        StopBackupService();

        EXPECT_EQ(fake.serviceStops.size(), c.running.size());
        for (const auto& name : c.running) EXPECT_EQ(fake.serviceStates[name], 3) << name;
        ExpectWarnings(std::vector<const Lines*>(c.running.size(), &kMessageA));
        EXPECT_EQ(SuiteValue("StarteDatensicherung"), "1");
        EXPECT_EQ(SuiteValue("SicherungsName"), c.recordedName);
    }
}

TEST_F(BackgroundServicesTest, RunningExchangeSyncIsStoppedAndFlagged) {
    fake.serviceStates = {{"ZevrinExchangeSync", 4}};

    StopExchangeSyncService();

    EXPECT_EQ(fake.serviceStops, (std::vector<std::string>{"ZevrinExchangeSync"}));
    ExpectWarnings({&kMessageB});
    EXPECT_EQ(SuiteValue("StarteExchangeSynchronisierung"), "1");
    EXPECT_FALSE(HasSuiteValue("StarteDatensicherung"));
}

}  // namespace
