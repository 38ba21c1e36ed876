// The post-setup program against the fake platform: which components it
// restarts, what it tells the user, which flags it resets and which it keeps.
#include <gtest/gtest.h>

#include "platform/fake/FaultPlan.h"
#include "postsetup/mod_Kelbrin.h"
#include "shared/BoxedWarning.h"
#include "tests/support/ExpectedWarnings.h"
#include "tests/support/FakePlatformTest.h"
#include "tests/support/TempFolder.h"

using namespace testing_support;

namespace {

constexpr int kWarningStyle = platform::mb::Ok | platform::mb::IconExclamation;

class KelbrinTest : public FakePlatformTest {
protected:
    KelbrinTest() {
        // A 64-bit machine whose installer recorded the install folder.
        install_.Write("ZVNGen.exe", "stand-in");
        SetDestination(kDestinationsKeyWow, install_.path());
    }

    void SetDestination(const char* key, const std::string& folder) {
        fake.SetRegistry(RegistryRoot::LocalMachine, key, "QUENOR", RegistryValue::FromText(folder));
    }

    std::vector<std::string> StartedCommands() const {
        std::vector<std::string> commands;
        for (const auto& start : fake.starts) commands.push_back(start.file);
        return commands;
    }

    std::string Quoted(const std::string& path) const { return "\"" + path + "\""; }

    TempFolder install_;
};

TEST_F(KelbrinTest, AllFlagsSetRestartsInOrderMonitorBackupExchangeAndResetsFlags) {
    SetSuiteValue("StarteNotfallauftragsueberwachung", "1");
    SetSuiteValue("StarteDatensicherung", "1");
    SetSuiteValue("SicherungsName", "DatensicherungsDienst");
    SetSuiteValue("StarteExchangeSynchronisierung", "1");
    fake.serviceStates = {{"DatensicherungsDienst", 1}, {"ZevrinExchangeSync", 1}, {"ZVBKPSRV", 1}};

    EXPECT_EQ(RunKelbrin(), 0);

    ASSERT_EQ(fake.messages.size(), 3u);
    const Lines* expected[] = {&kMessageF, &kMessageD, &kMessageE};
    for (size_t i = 0; i < 3; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(SplitCrLfLines(fake.messages[i].text), *expected[i]);
        EXPECT_EQ(fake.messages[i].caption, "A C H T U N G");
        EXPECT_EQ(fake.messages[i].style, kWarningStyle);
    }
    EXPECT_EQ(fake.serviceStarts, (std::vector<std::string>{"DatensicherungsDienst", "ZevrinExchangeSync"}));
    EXPECT_EQ(SuiteValue("StarteNotfallauftragsueberwachung"), "0");
    EXPECT_EQ(SuiteValue("StarteDatensicherung"), "0");
    EXPECT_EQ(SuiteValue("SicherungsName"), "");
    EXPECT_EQ(SuiteValue("StarteExchangeSynchronisierung"), "0");
    // The monitor first, minimised; ZVNGen last, in a normal window. The
    // folder's own backslash is not doubled.
    ASSERT_EQ(fake.starts.size(), 2u);
    EXPECT_EQ(fake.starts[0].file, Quoted(install_ / "Zevrin.App.ZevrinFTPLookUp.exe"));
    EXPECT_EQ(fake.starts[0].style, platform::WindowStyle::MinimizedFocus);
    EXPECT_EQ(fake.starts[1].file, Quoted(install_ / "ZVNGen.exe"));
    EXPECT_EQ(fake.starts[1].style, platform::WindowStyle::Normal);
}

TEST_F(KelbrinTest, NoFlagSetOnlyStartsZvnGen) {
    RunKelbrin();

    EXPECT_TRUE(fake.messages.empty());
    EXPECT_EQ(fake.registryWrites, 0);
    EXPECT_TRUE(fake.serviceStarts.empty());
    EXPECT_EQ(StartedCommands(), (std::vector<std::string>{Quoted(install_ / "ZVNGen.exe")}));
}

TEST_F(KelbrinTest, DefaultBackupServiceRestartLeavesTheEmptyNameUnwritten) {
    SetSuiteValue("StarteDatensicherung", "1");
    fake.serviceStates = {{"ZVBKPSRV", 1}};

    RunKelbrin();

    EXPECT_EQ(fake.serviceStarts, (std::vector<std::string>{"ZVBKPSRV"}));
    EXPECT_EQ(SuiteValue("StarteDatensicherung"), "0");
    EXPECT_FALSE(HasSuiteValue("SicherungsName"));
}

TEST_F(KelbrinTest, FlagCountsOnlyWhenItsTrimmedTextIsExactlyOne) {
    struct Case { RegistryValue value; bool set; };
    const Case cases[] = {
        {RegistryValue::FromText(" 1 "), true},  {RegistryValue::FromNumber(1), true},
        {RegistryValue::FromText("01"), false},  {RegistryValue::FromText("true"), false},
        {RegistryValue::FromText("0"), false},   {RegistryValue(), false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.value.AsText());
        fake.messages.clear();
        fake.serviceStarts.clear();
        fake.serviceStates = {{"ZevrinExchangeSync", 1}};
        fake.SetRegistry(RegistryRoot::LocalMachine, kSuiteKey, "StarteExchangeSynchronisierung", c.value);

        RunKelbrin();

        EXPECT_EQ(fake.serviceStarts.size(), c.set ? 1u : 0u);
        EXPECT_EQ(fake.messages.size(), c.set ? 1u : 0u);
        if (!c.set) {
            EXPECT_EQ(SuiteValue("StarteExchangeSynchronisierung"), c.value.AsText());
        }
    }
}

TEST_F(KelbrinTest, ServiceNotStoppedKeepsItsFlagsForTheNextRun) {
    // Running, start pending, and a name that is not installed at all.
    for (int state : {4, 2, 0}) {
        SCOPED_TRACE(state);
        SetSuiteValue("StarteDatensicherung", "1");
        SetSuiteValue("SicherungsName", "ZEVRIN Backup Service");
        SetSuiteValue("StarteExchangeSynchronisierung", "1");
        fake.serviceStates = {{"ZEVRIN Backup Service", state}, {"ZevrinExchangeSync", state}};

        RunKelbrin();

        EXPECT_TRUE(fake.serviceStarts.empty());
        EXPECT_TRUE(fake.messages.empty());
        EXPECT_EQ(SuiteValue("StarteDatensicherung"), "1");
        EXPECT_EQ(SuiteValue("SicherungsName"), "ZEVRIN Backup Service");
        EXPECT_EQ(SuiteValue("StarteExchangeSynchronisierung"), "1");
    }
}

TEST_F(KelbrinTest, RefusedStartIsSaidAndKeepsTheFlagsForTheNextRun) {
    SetSuiteValue("StarteDatensicherung", "1");
    SetSuiteValue("StarteExchangeSynchronisierung", "1");
    fake.serviceStates = {{"ZVBKPSRV", 1}, {"ZevrinExchangeSync", 1}};
    platform::faults::FailingCall refused("StartServiceNoArguments", "ZVBKPSRV");

    RunKelbrin();

    ASSERT_TRUE(refused.Failed());
    // Never "wieder gestartet" for the service that stays down.
    ASSERT_EQ(fake.messages.size(), 2u);
    EXPECT_EQ(fake.messages[0].text.rfind(
                  "Der Datensicherungsdienst \"ZVBKPSRV\" konnte nicht wieder gestartet werden!", 0),
              0u);
    EXPECT_EQ(fake.messages[0].style, platform::mb::Ok | platform::mb::IconError);
    EXPECT_EQ(SplitCrLfLines(fake.messages[1].text), kMessageE);
    EXPECT_EQ(SuiteValue("StarteDatensicherung"), "1");
    EXPECT_EQ(SuiteValue("StarteExchangeSynchronisierung"), "0");
}

TEST_F(KelbrinTest, FolderComesFromTheDestinationsKeyOfTheSystemsBitness) {
    TempFolder other;
    other.Write("ZVNGen.exe", "stand-in");
    SetDestination(kDestinationsKey, other.path() + "\\");

    RunKelbrin();  // 64-bit: the Wow6432Node key only
    EXPECT_EQ(QnInstallFolder(), install_.path() + "\\");

    fake.systemTypes = {"X86-based PC"};
    RunKelbrin();
    EXPECT_EQ(QnInstallFolder(), other.path() + "\\");
    EXPECT_EQ(fake.starts.back().file, Quoted(other / "ZVNGen.exe"));
}

TEST_F(KelbrinTest, MissingZvnGenIsReportedWithItsPath) {
    SetDestination(kDestinationsKeyWow, "");
    SetSuiteValue("StarteNotfallauftragsueberwachung", "1");

    EXPECT_EQ(RunKelbrin(), 0);

    EXPECT_EQ(QnInstallFolder(), "\\");
    // The monitor's start is tried (its failure is ignored); ZVNGen is not.
    EXPECT_EQ(StartedCommands(), (std::vector<std::string>{"\"\\Zevrin.App.ZevrinFTPLookUp.exe\""}));
    EXPECT_EQ(SuiteValue("StarteNotfallauftragsueberwachung"), "0");
    ASSERT_EQ(fake.messages.size(), 2u);
    EXPECT_NE(fake.messages[1].text.find("\"\\ZVNGen.exe\""), std::string::npos);
    EXPECT_EQ(fake.messages[1].caption, kKelbrinTitle);
    EXPECT_EQ(fake.messages[1].style, kWarningStyle);
}

}  // namespace
