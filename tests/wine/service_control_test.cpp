// Service control against Wine's service control manager with a stand-in
// service registered for the test.
#include <gtest/gtest.h>
#include <windows.h>

#include "platform/Win32Platform.h"
#include "shared/basService.h"
#include "tests/support/StandInService.h"

using namespace testing_support;

namespace {

class ServiceControlTest : public ::testing::Test {
protected:
    ServiceControlTest() : guard_(win32_) {}
    platform::Win32Platform win32_;

private:
    platform::ScopedPlatform guard_;
};

DWORD OpenHandleCount() {
    DWORD count = 0;
    GetProcessHandleCount(GetCurrentProcess(), &count);
    return count;
}

TEST_F(ServiceControlTest, StopsARunningServiceAndStartsAStoppedOne) {
    RegisteredStandInService service("ZevrinTestService");
    ASSERT_TRUE(service.registered());
    EXPECT_EQ(GetServiceState("", "ZevrinTestService"), kServiceStopped);
    ASSERT_TRUE(service.StartAndWait());
    EXPECT_EQ(GetServiceState("", "ZevrinTestService"), kServiceRunning);

    EXPECT_TRUE(StopServiceByName("", "ZevrinTestService"));
    EXPECT_EQ(service.WaitForState(SERVICE_STOPPED), SERVICE_STOPPED);

    EXPECT_TRUE(StartServiceByName("", "ZevrinTestService"));
    EXPECT_EQ(service.WaitForState(SERVICE_RUNNING), SERVICE_RUNNING);
    // Starting a running one again is refused, and the caller learns it.
    EXPECT_FALSE(StartServiceByName("", "ZevrinTestService"));
    EXPECT_EQ(GetServiceState("", "ZevrinTestService"), kServiceRunning);
}

TEST_F(ServiceControlTest, MissingOrEmptyNamesGiveStateZeroAndDoNothing) {
    EXPECT_EQ(GetServiceState("", "NoSuchZevrinService"), kServiceNotAvailable);
    EXPECT_EQ(GetServiceState("", ""), kServiceNotAvailable);
    EXPECT_FALSE(StopServiceByName("", "NoSuchZevrinService"));
    EXPECT_FALSE(StartServiceByName("", "NoSuchZevrinService"));
    EXPECT_EQ(GetServiceState("", "NoSuchZevrinService"), kServiceNotAvailable);
}

TEST_F(ServiceControlTest, NoHandleIsLeftOpen) {
    RegisteredStandInService service("ZevrinHandleTest");
    ASSERT_TRUE(service.registered());
    GetServiceState("", "ZevrinHandleTest");  // warm up lazily loaded parts
    const DWORD before = OpenHandleCount();
    for (int i = 0; i < 20; ++i) {
        GetServiceState("", "ZevrinHandleTest");
        GetServiceState("", "NoSuchZevrinService");
        StopServiceByName("", "ZevrinHandleTest");
        StopServiceByName("", "NoSuchZevrinService");
        StartServiceByName("", "NoSuchZevrinService");
    }
    EXPECT_EQ(OpenHandleCount(), before);
}

}  // namespace
