// The runtime prerequisites and the Mfc42loc rename, with a real image in a
// temporary folder and the fake platform playing the packages.
#include <gtest/gtest.h>

#include <set>

#include "platform/Files.h"
#include "tests/support/FakePlatformTest.h"
#include "tests/support/TempFolder.h"
#include "tests/support/RecordingNotice.h"
#include "tests/support/RuntimePackages.h"
#include "wizard/services/RuntimePrerequisites.h"

using namespace testing_support;

namespace {

class PrerequisitesTest : public FakePlatformTest {
protected:
    PrerequisitesTest() {
        Session().SetupRoot = image.path();
        Session().InstallIniPath =
            image.Write("WSROOT\\Install.ini", RuntimePackages::kInstallIniSections);
        fake.onStart = [this](const platform::RecordedStart& start) { packages.OnStart(start); };
        fake.onPump = [this] { packages.OnPump(); };
    }

    void SetRuntime(const std::string& version, bool wow) { packages.SetRuntime(version, wow); }

    TempFolder image;
    RecordingNotice notice;
    RuntimePackages packages{fake, image};
    std::vector<std::string>& started = packages.started;
    std::set<std::string>& failing = packages.failing;
};

TEST_F(PrerequisitesTest, BareSixtyFourBitMachineGetsTheFourX86PackagesOneAfterTheOther) {
    Session().StartedFromServerImage = true;

    InstallRuntimePrerequisites(notice);

    EXPECT_EQ(started, (std::vector<std::string>{"vcredist2.exe", "vc110_x86.exe", "vc120_x86.exe",
                                                 "vc140_x86.exe"}));
    EXPECT_EQ(fake.starts[0].parameters, "/q");
    // Each package was waited for before the next one started.
    EXPECT_EQ(fake.waitedMilliseconds, 4u * 2000u);
    EXPECT_EQ(Session().WaitProcessName, "vc140_x86.exe");
    EXPECT_EQ(SuiteValue("VCRedist2"), "1");
    EXPECT_TRUE(Session().VcRedist2InstalledNow);
    EXPECT_FALSE(Session().StartedFromServerImage);
    EXPECT_EQ(notice.events, "show;unload;");
    EXPECT_TRUE(fake.messages.empty());
    // Hourglass while a package runs, the default pointer after each.
    using platform::MousePointer;
    ASSERT_EQ(fake.pointers.size(), 4u * 4u);
    EXPECT_EQ(fake.pointers.front(), MousePointer::Hourglass);
    EXPECT_EQ(fake.pointers.back(), MousePointer::Default);
}

TEST_F(PrerequisitesTest, X64PackageRunsOnlyWhenItsX86PackageLeftTheRuntimeMissing) {
    SetSuiteValue("VCRedist2", "1");
    failing = {"vc120_x86.exe"};

    InstallRuntimePrerequisites(notice);
    EXPECT_EQ(started, (std::vector<std::string>{"vc110_x86.exe", "vc120_x86.exe", "vc140_x86.exe",
                                                 "vc120_x64.exe"}));
    EXPECT_FALSE(Session().VcRedist2InstalledNow);

    // A 32-bit machine never runs the x64 packages.
    started.clear();
    fake.systemTypes = {"X86-based PC"};
    failing = {"vc110_x86.exe", "vc110_x64.exe"};
    fake.SetRegistry(RegistryRoot::LocalMachine, RuntimeKey("11.0", false), "Version", RegistryValue());
    InstallRuntimePrerequisites(notice);
    EXPECT_EQ(started, (std::vector<std::string>{"vc110_x86.exe"}));
}

TEST_F(PrerequisitesTest, PresentRuntimesStartNothingButTheNoticeStillShows) {
    SetSuiteValue("VCRedist2", " 1 ");
    SetRuntime("11.0", true);   // only under Wow6432Node
    SetRuntime("12.0", false);  // only under the native key
    SetRuntime("14.0", true);

    InstallRuntimePrerequisites(notice);

    EXPECT_TRUE(fake.starts.empty());
    EXPECT_EQ(notice.events, "show;unload;");
    EXPECT_EQ(fake.registryWrites, 0);
}

TEST_F(PrerequisitesTest, MissingEntriesDoNotHangAndStillRecordTheFirstPackage) {
    Session().InstallIniPath = image.Write("WSROOT\\Empty.ini", "[Other]\r\nx=1\r\n");
    // Processes that would match a careless empty or "." process name.
    fake.onPump = nullptr;
    fake.processes = std::vector<std::string>{"Paldrix.exe", "explorer.exe"};
    int pumps = 0;
    fake.onPump = [&] {
        if (++pumps > 20) fake.processes = std::vector<std::string>{};
    };

    InstallRuntimePrerequisites(notice);

    EXPECT_LE(pumps, 20);
    EXPECT_TRUE(fake.starts.empty());
    EXPECT_EQ(SuiteValue("VCRedist2"), "1");
    EXPECT_EQ(notice.events, "show;unload;");
    // Each empty command is reported as a file not found.
    EXPECT_EQ(fake.messages.size(), 6u);
}

class Mfc42LocTest : public FakePlatformTest {
protected:
    Mfc42LocTest() { fake.windowsFolder = windows.path(); }
    std::string InSysWow(const char* name) const { return windows / (std::string("SysWOW64\\") + name); }
    TempFolder windows;
};

TEST_F(Mfc42LocTest, LibraryTakesTheBackupNameReplacingAnOldBackup) {
    windows.Write("SysWOW64\\Mfc42loc.dl_", "old backup");
    windows.Write("SysWOW64\\Mfc42loc.dll", "library");

    DisableMfc42Loc();

    EXPECT_EQ(Session().WindowsDirectory, windows.path());
    EXPECT_FALSE(PathExists(InSysWow("Mfc42loc.dll")));
    EXPECT_EQ(ReadFileText(InSysWow("Mfc42loc.dl_")), "library");
}

TEST_F(Mfc42LocTest, LoneBackupIsDeletedAndNothingTakesItsName) {
    windows.Write("SysWOW64\\Mfc42loc.dl_", "old backup");
    DisableMfc42Loc();
    EXPECT_FALSE(PathExists(InSysWow("Mfc42loc.dl_")));
    EXPECT_FALSE(PathExists(InSysWow("Mfc42loc.dll")));
}

TEST_F(Mfc42LocTest, WithoutSysWow64NothingHappens) {
    windows.Write("system32\\Mfc42loc.dll", "32-bit Windows keeps it");
    DisableMfc42Loc();
    EXPECT_EQ(ReadFileText(windows / "system32\\Mfc42loc.dll"), "32-bit Windows keeps it");
}

}  // namespace
