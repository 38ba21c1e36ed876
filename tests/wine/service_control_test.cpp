// Service control against Wine's real service control manager, with the
// stand-in service registered under a suite name.
#include <gtest/gtest.h>
#include <windows.h>

#include "platform/Win32Platform.h"
#include "shared/basService.h"
#include "tests/support/StandInServices.h"

using namespace testing_support;

namespace {

class RealServiceTest : public ::testing::Test {
protected:
    RealServiceTest() : guard_(win32_) {}
    platform::Win32Platform win32_;
    platform::ScopedPlatform guard_;
};

TEST_F(RealServiceTest, StartAndStopReachTheServiceWithoutWaiting) {
    ScopedStandInService service("ZVBKPSRV");
    ASSERT_TRUE(service.registered());
    EXPECT_EQ(GetServiceState("", "ZVBKPSRV"), kServiceStopped);

    StartServiceByName("", "ZVBKPSRV");
    EXPECT_TRUE(service.WaitForState(SERVICE_RUNNING));
    EXPECT_EQ(GetServiceState("", "ZVBKPSRV"), kServiceRunning);
    StartServiceByName("", "ZVBKPSRV");  // already running: refused quietly
    EXPECT_EQ(GetServiceState("", "ZVBKPSRV"), kServiceRunning);

    StopServiceByName("", "ZVBKPSRV");
    EXPECT_TRUE(service.WaitForState(SERVICE_STOPPED));
    StopServiceByName("", "ZVBKPSRV");  // already stopped: refused quietly
    EXPECT_EQ(GetServiceState("", "ZVBKPSRV"), kServiceStopped);
}

TEST_F(RealServiceTest, NameWithSpacesIsAddressedByItsKeyName) {
    ScopedStandInService service("ZEVRIN Backup Service");
    ASSERT_TRUE(service.StartAndWait());
    EXPECT_EQ(GetServiceState("", "ZEVRIN Backup Service"), kServiceRunning);
    StopServiceByName("", "ZEVRIN Backup Service");
    EXPECT_TRUE(service.WaitForState(SERVICE_STOPPED));
}

TEST_F(RealServiceTest, UnknownAndEmptyNamesReadAsNotAvailableAndAreLeftAlone) {
    RemoveServiceIfPresent("ZevrinNoSuchService");
    for (const char* name : {"ZevrinNoSuchService", ""}) {
        SCOPED_TRACE(name);
        EXPECT_EQ(GetServiceState("", name), kServiceNotAvailable);
        StopServiceByName("", name);
        StartServiceByName("", name);
        EXPECT_EQ(GetServiceState("", name), kServiceNotAvailable);
    }
}

TEST_F(RealServiceTest, RemovedServiceLeavesNothingRegistered) {
    { ScopedStandInService service("DatensicherungsDienst"); ASSERT_TRUE(service.StartAndWait()); }
    EXPECT_EQ(GetServiceState("", "DatensicherungsDienst"), kServiceNotAvailable);
}

}  // namespace
