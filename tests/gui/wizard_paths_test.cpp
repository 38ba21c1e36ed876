// Whole runs of the real Paldrix.exe on a test image, completed with the
// keyboard alone, judged by the installer stand-ins that were started and
// the registry values left behind; and the window answering while the
// wizard waits for an installer.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdio>
#include <string>

#include "platform/Files.h"
#include "tests/support/RealRegistry.h"
#include "tests/support/WaitUntil.h"
#include "tests/support/WizardImageTest.h"

using namespace testing_support;

namespace {

constexpr const char* kInstaller = "Setups\\Tolvane\\Setup";
constexpr const char* kTools = "Setups\\DBTools\\DBToolsSetup";

class WizardPathsTest : public WizardImageTest {
  protected:
    WizardPathsTest() {
        PlaceStandIn(kInstaller, "[StandIn]\r\nRunMilliseconds=0\r\n");
        PlaceStandIn(kTools, "[StandIn]\r\nRunMilliseconds=0\r\n");
        image.Write("WSROOT\\Version.ini", "[Common]\r\nVersion=7.80\r\nBuild=1000\r\n");
        image.Write("WSROOT\\UpdateNote.txt", "Bitte sichern Sie Ihre Datenbank.\r\n");
        WriteInstallIni("", "");
    }

    void WriteInstallIni(const std::string& program, const std::string& installType) {
        image.Write("WSROOT\\Install.ini",
                    "[Application]\r\nProgram=" + program + "\r\nInstallType=" + installType +
                        "\r\nRUN=Setups\\Tolvane\\Setup.exe /s\r\n[DBTools]\r\n"
                        "RUN=Setups\\DBTools\\DBToolsSetup.exe\r\n");
    }
    // How often the stand-in ran, by the lines it recorded.
    int Starts(const std::string& stem) const {
        const std::string record = ReadFileText(image / (stem + ".starts.txt"));
        if (record == "<missing>") return 0;
        int lines = 0;
        for (char c : record) lines += c == '\n';
        return lines;
    }

    // Kelbrin.exe, as the installer runs it after a silent setup that kept
    // its record in `log`: no window, its notices in that record, the
    // setup's value taken back.
    void PostSetupAfterASilentSetup(const std::string& log) {
        SetSuite("StarteNotfallauftragsueberwachung", "1");  // as for a monitor the setup ended
        ProgramRun kelbrin(PROGRAM_DIR "\\Kelbrin.exe", "", image.path());
        VisibleWindowWatch watch(kelbrin.processId());
        EXPECT_EQ(kelbrin.WaitForExit(30000), 0);
        EXPECT_EQ(watch.Seen(), "");
        EXPECT_EQ(Suite("StillesSetupProtokoll"), "<missing>");
        EXPECT_EQ(Suite("StarteNotfallauftragsueberwachung"), "0");
        const std::string record = ReadFileText(log);
        size_t at = record.find("Kelbrin.exe role=post-setup");
        EXPECT_NE(at, std::string::npos) << record;
        for (const char* notice : {" message kind=information caption=\"A C H T U N G\"",
                                   " message kind=failure caption=Kelbrin", " exit code=0"}) {
            at = record.find(notice, at);
            EXPECT_NE(at, std::string::npos) << notice << "\n" << record;
        }
    }

    // Welcome, then the requirements confirmed: the Installation type page.
    // With `nextPresses` 2 the second Enter comes while that page still loads.
    void ThroughRequirements(WizardDriver& wizard, int nextPresses = 1) {
        ASSERT_NE(wizard.AwaitPage(kWelcomeHeading), nullptr);
        wizard.Press(VK_RETURN);
        ASSERT_NO_FATAL_FAILURE(ConfirmRequirements(wizard, nextPresses));
        ASSERT_NE(wizard.AwaitPage("Neuinstallation oder Aktualisierung?"), nullptr);
    }
    // The wizard ends having started the product installer once.
    void EndsWithTheInstaller(WizardDriver& wizard) {
        EXPECT_EQ(wizard.run().WaitForExit(30000), 0);
        // The installer runs on its own after the wizard ended. Every start
        // the wizard made exists by now: once none of them runs any more,
        // each has left its record.
        EXPECT_TRUE(
            WaitUntil([&] { return Starts(kInstaller) > 0 && !ProcessRuns("Setup.exe"); }, 10000));
        EXPECT_EQ(Starts(kInstaller), 1);
        const std::string record = ReadFileText(image / (std::string(kInstaller) + ".starts.txt"));
        EXPECT_NE(record.find("\\Setups\\Tolvane\\Setup.exe\" /s\t"), std::string::npos) << record;
    }
};

TEST_F(WizardPathsTest, SinglePcNewInstallationInstallsTheToolsAndAnswersWhileWaiting) {
    PlaceStandIn(kTools, "[StandIn]\r\nRunMilliseconds=4000\r\n");
    // Slow enough that a second Enter lands while the next page still loads.
    PlaceStandIn("Dravik",
                 "[StandIn]\r\nRunMilliseconds=1000\r\n"
                 "[Registry]\r\n1=SOFTWARE\\Zevrin\\Quenor|SetupType|0\r\n");
    WizardDriver& wizard = Start();
    ThroughRequirements(wizard, 2);
    // One page, not a second one opened by the second press: a page it
    // opened would be loading, or on the screen, by the time the first
    // press's step is done.
    ASSERT_TRUE(wizard.AwaitPageChangeDone()) << wizard.DescribeWindows();
    EXPECT_EQ(wizard.VisibleWindows(), 1) << wizard.DescribeWindows();
    EXPECT_TRUE(wizard.IsChecked("Neuinstallation"));
    EXPECT_TRUE(wizard.IsChecked("Einzelplatz-PC"));
    wizard.Press(VK_RETURN);
    ASSERT_NE(wizard.AwaitPage("Datenbank-Tools"), nullptr);

    ASSERT_TRUE(wizard.TabTo("ZEVRIN Datenbanktools installieren"));
    wizard.Press(VK_RETURN);  // a link opens with Enter
    ASSERT_TRUE(WaitUntil([&] { return Starts(kTools) == 1; }));
    EXPECT_LT(LongestAnswerTime(wizard.Page(), 2000), 100.0);
    // Esc asks the exit question in the middle of the wait; No goes on waiting.
    wizard.Press(VK_ESCAPE);
    HWND question = wizard.AwaitWindow("Setup-Assistent");
    ASSERT_NE(question, nullptr);
    AnswerMessageBox(question, IDNO);

    ASSERT_TRUE(WaitUntil([&] { return wizard.IsEnabled("&Weiter >"); }));
    ASSERT_TRUE(wizard.TabTo("&Weiter >"));  // the focus went back to the link
    wizard.Press(VK_RETURN);
    EndsWithTheInstaller(wizard);
    EXPECT_EQ(Starts(kTools), 1);
    EXPECT_EQ(Suite("SetupMachineType"), "0");
    EXPECT_EQ(Suite("SetupType"), "0");
    EXPECT_EQ(Suite("Release"), "7.80");
    EXPECT_EQ(Suite("Build"), "1000");
}

TEST_F(WizardPathsTest, NetworkWorkstationStartsTheInstallerAndRecordsTheRun) {
    image.MakeFolder("Protokoll mit Leerzeichen");
    const std::string log = image / "Protokoll mit Leerzeichen\\setup.log";
    WizardDriver& wizard = StartWith("-log \"" + log + "\"");
    ThroughRequirements(wizard);
    ASSERT_TRUE(wizard.TabTo("Einzelplatz-PC"));
    ASSERT_TRUE(wizard.ArrowTo(VK_RIGHT, "Netzwerk-Arbeitsplatz"));
    wizard.PressAlt('w');
    EndsWithTheInstaller(wizard);
    EXPECT_EQ(Suite("SetupMachineType"), "1");
    EXPECT_EQ(Starts(kTools), 0);

    // What support needs to know of the run, in the order it happened: UTF-8
    // with its mark, every path whole (quoted, as it holds blanks).
    const std::string record = ReadFileText(log);
    EXPECT_EQ(record.substr(0, 3), "\xEF\xBB\xBF");
    const auto quoted = [](const std::string& path) { return "\"" + path + "\""; };
    size_t at = 0;
    for (const std::string& event :
         {" run-start program=" + quoted(image / "Paldrix.exe") + " role=setup",
          std::string(" service-query service=ZVBKPSRV state=0"),
          std::string(" step name=runtime-packages outcome=done"),
          " session setup-root=" + quoted(image.path()), std::string(" page name=Welcome"),
          std::string(" page-left name=Welcome via=Next"), std::string(" page name=SystemPruefung"),
          std::string(
              " page-left name=SystemPruefung via=Next CheckSystemvoraussetzungenGelesen=1"),
          std::string(" page-left name=Install via=Next InstallType=0 MachineType=1"),
          std::string(
              " registry-write key=HKLM\\SOFTWARE\\Zevrin\\Quenor name=SetupMachineType value=1"),
          " start path=" + quoted(image / "Setups\\Tolvane\\Setup.exe") +
              " arguments=/s prefer-server-copy=yes result=started",
          std::string(" exit code=0\r\n")}) {
        const size_t found = record.find(event, at);
        EXPECT_NE(found, std::string::npos) << event << "\n" << record;
        if (found != std::string::npos) at = found;
    }
}

TEST_F(WizardPathsTest, NetworkWorkstationAnswersRecordedOnceAreReplayedWithoutAKey) {
    const std::string answers = image / "Antworten für alle.ini";
    WizardDriver& wizard = StartWith("-SaveAnswers \"" + answers + "\"");
    ThroughRequirements(wizard);
    ASSERT_TRUE(wizard.TabTo("Einzelplatz-PC"));
    ASSERT_TRUE(wizard.ArrowTo(VK_RIGHT, "Netzwerk-Arbeitsplatz"));
    wizard.PressAlt('w');
    EndsWithTheInstaller(wizard);
    const std::string recorded = AllValues(HKEY_LOCAL_MACHINE, kSuiteKey);
    // A new answer file is UTF-16 with its mark, as the profile functions keep it.
    const std::string stored = ReadFileText(answers);
    EXPECT_EQ(stored.substr(0, 2), "\xFF\xFE");
    const std::string text = platform::files::DecodeText(stored, platform::files::TextEncoding::AnsiCodePage);
    EXPECT_NE(text.find("[Install]\r\nInstallType=0\r\nMachineType=1\r\n"), std::string::npos)
        << text;

    // The next workstation: nothing set up yet, and nobody at the keyboard.
    FreshSuite();
    platform::files::DeleteFileAt(image / (std::string(kInstaller) + ".starts.txt"));
    ULONGLONG started = GetTickCount64();
    WizardDriver& replay = StartWith("-answers \"" + answers + "\"");
    replay.run().WaitForExit(60000);
    const ULONGLONG withWindows = GetTickCount64() - started;
    EndsWithTheInstaller(replay);
    EXPECT_EQ(AllValues(HKEY_LOCAL_MACHINE, kSuiteKey), recorded);

    // Once more as a distribution tool runs it: no window ever shows.
    FreshSuite();
    platform::files::DeleteFileAt(image / (std::string(kInstaller) + ".starts.txt"));
    const std::string log = image / "silent.log";
    started = GetTickCount64();
    WizardDriver& silent = StartWith("-SILENT -ANSWERS \"" + answers + "\" -LOG \"" + log + "\"");
    VisibleWindowWatch watch(silent.run().processId());
    silent.run().WaitForExit(60000);
    const ULONGLONG silently = GetTickCount64() - started;
    EXPECT_EQ(watch.Seen(), "");
    EndsWithTheInstaller(silent);
    std::printf("whole workstation path replayed: with windows %llu ms, silent %llu ms\n",
                withWindows, silently);
    // The same values, and the record named for the post-setup program.
    std::string values = AllValues(HKEY_LOCAL_MACHINE, kSuiteKey);
    const std::string handedOver = "StillesSetupProtokoll=" + log + "\n";
    ASSERT_NE(values.find(handedOver), std::string::npos) << values;
    EXPECT_EQ(values.erase(values.find(handedOver), handedOver.size()), recorded);

    // The installer runs the post-setup program, which is silent too.
    PostSetupAfterASilentSetup(log);
}

TEST_F(WizardPathsTest, ReplayLeavesThePageToTheUserWhereTheFileEndsOrTheUserTakesOver) {
    const std::string answers = image.Write(
        "Antworten.ini",
        "[Welcome]\r\nNext=1\r\n[SystemPruefung]\r\nCheckSystemvoraussetzungenGelesen=1\r\n"
        "Next=1\r\n");
    const std::string log = image / "setup.log";
    const auto stopped = [&](const std::string& event) {
        return WaitUntil([&] { return ReadFileText(log).find(event) != std::string::npos; });
    };
    WizardDriver& wizard = StartWith("-ANSWERS \"" + answers + "\" -LOG \"" + log + "\"");
    ASSERT_NE(wizard.AwaitPage("Neuinstallation oder Aktualisierung?"), nullptr);
    EXPECT_TRUE(stopped("replay-stopped page=Install reason=\"the answer file does not answer"))
        << ReadFileText(log);
    EXPECT_TRUE(wizard.Shows("Neuinstallation oder Aktualisierung?"));
    wizard.PressAlt('w');  // the user goes on from there
    ASSERT_NE(wizard.AwaitPage("Datenbank-Tools"), nullptr);
    wizard.Press(VK_RETURN);
    EndsWithTheInstaller(wizard);

    // A key while the replay waits for the tools it installed stops it there:
    // once the tools have ended, Next is the user's to press.
    PlaceStandIn(kTools, "[StandIn]\r\nRunMilliseconds=4000\r\n");
    image.Write("Antworten.ini", ReadFileText(answers) +
                                     "[Install]\r\nInstallType=0\r\nMachineType=0\r\nNext=1\r\n"
                                     "[DBTools]\r\nLinkInstallDBSetup=1\r\nNext=1\r\n");
    FreshSuite();
    WizardDriver& again = StartWith("-ANSWERS \"" + answers + "\" -LOG \"" + log + "\"");
    ASSERT_NE(again.AwaitPage("Datenbank-Tools", 60000), nullptr);
    ASSERT_TRUE(WaitUntil([&] { return Starts(kTools) == 1; }));
    again.Press(VK_TAB);
    EXPECT_TRUE(stopped("replay-stopped page=DBTools reason=\"the user took over\""))
        << ReadFileText(log);
    ASSERT_TRUE(WaitUntil([&] { return again.IsEnabled("&Weiter >"); }));
    again.Press(VK_ESCAPE);
    AnswerMessageBox(again.AwaitWindow("Setup-Assistent"), IDYES);
    EXPECT_EQ(again.run().WaitForExit(30000), 1602);
    EXPECT_EQ(Starts(kInstaller), 1);  // only the user's run of the first part
}

TEST_F(WizardPathsTest, SilentRunTakesAWarningAsReadAndEndsWhereTheFileEnds) {
    // A component still running: its warning is taken as read and the run
    // goes on; where the file ends, the run ends by itself, with 1603.
    const char* monitor = "Zevrin.App.ZevrinFTPLookUp";
    PlaceStandIn(monitor, "[StandIn]\r\nRunMilliseconds=60000\r\n");
    ProgramRun running(image / (std::string(monitor) + ".exe"), "", image.path());
    ASSERT_TRUE(WaitUntil([] { return ProcessRuns("Zevrin.App.ZevrinFTPLookUp.exe"); }));
    const std::string answers = image.Write(
        "Antworten.ini",
        "[Welcome]\r\nNext=1\r\n[SystemPruefung]\r\nCheckSystemvoraussetzungenGelesen=1\r\n"
        "Next=1\r\n");
    const std::string silentLog = image / "silent.log";
    WizardDriver& silent =
        StartWith("-SILENT -ANSWERS \"" + answers + "\" -LOG \"" + silentLog + "\"");
    VisibleWindowWatch watch(silent.run().processId());
    EXPECT_EQ(silent.run().WaitForExit(30000), 1603);
    EXPECT_EQ(watch.Seen(), "");
    EXPECT_EQ(Suite("StarteNotfallauftragsueberwachung"), "1");
    const std::string record = ReadFileText(silentLog);
    size_t at = 0;
    for (const char* event :
         {" message kind=information caption=\"A C H T U N G\"",
          " message-decided answer=1 decision=taken-as-read", " page name=Install",
          " replay-stopped page=Install", " silent-end at=Install", " exit code=1603\r\n"}) {
        at = record.find(event, at);
        EXPECT_NE(at, std::string::npos) << event << "\n" << record;
    }
    EXPECT_EQ(Starts(kInstaller), 0);
}

TEST_F(WizardPathsTest, TerminalServerOnlyGoesBackAndForthThenInstalls) {
    WizardDriver& wizard = Start();
    ThroughRequirements(wizard);
    ASSERT_TRUE(wizard.TabTo("Einzelplatz-PC"));
    ASSERT_TRUE(wizard.ArrowTo(VK_DOWN, "Terminal-Server"));
    wizard.Press(VK_RETURN);
    const char* onlyTerminal = "Dieser PC wird ausschließlich für die Terminal-Dienste verwendet";
    ASSERT_NE(wizard.AwaitPage(onlyTerminal), nullptr);
    ASSERT_TRUE(wizard.TabTo("Dieser PC wird gleichzeitig auch als Datenbank-Server verwendet."));
    ASSERT_TRUE(wizard.ArrowTo(VK_DOWN, onlyTerminal));
    // Back keeps the finer role: the Installation type page shows "Terminal-Server".
    wizard.PressAlt('z');
    ASSERT_NE(wizard.AwaitPage("Neuinstallation oder Aktualisierung?"), nullptr);
    EXPECT_TRUE(wizard.IsChecked("Terminal-Server"));
    wizard.Press(VK_RETURN);
    ASSERT_NE(wizard.AwaitPage(onlyTerminal), nullptr);
    EXPECT_TRUE(wizard.IsChecked(onlyTerminal));
    wizard.Press(VK_RETURN);
    EndsWithTheInstaller(wizard);
    EXPECT_EQ(Suite("SetupMachineType"), "4");
}

TEST_F(WizardPathsTest, UpdateOnASinglePcReadsTheNoteThenOffersTheTools) {
    WizardDriver& wizard = Start();
    ThroughRequirements(wizard);
    ASSERT_TRUE(wizard.TabTo("Neuinstallation"));
    ASSERT_TRUE(wizard.ArrowTo(VK_RIGHT, "Aktualisierung einer bestehenden Version"));
    wizard.Press(VK_RETURN);
    ASSERT_NO_FATAL_FAILURE(ConfirmUpdateNote(wizard));
    ASSERT_NE(wizard.AwaitPage("Datenbank-Tools"), nullptr);
    wizard.Press(VK_RETURN);
    EndsWithTheInstaller(wizard);
    EXPECT_EQ(Starts(kTools), 0);
    EXPECT_EQ(Suite("SetupMachineType"), "0");
}

TEST_F(WizardPathsTest, PrescribedUpdateSkipsTheRequirementsAndTheTools) {
    WriteInstallIni("", "UPDATE");
    SetSuite("Update", "7.70.2");
    WizardDriver& wizard = Start();
    ASSERT_NE(wizard.AwaitPage(kWelcomeHeading), nullptr);
    wizard.Press(VK_RETURN);
    ASSERT_NE(wizard.AwaitPage("Aktualisierung"), nullptr);
    EXPECT_TRUE(wizard.IsChecked("Aktualisierung einer bestehenden Version"));
    wizard.Press(VK_RETURN);
    ASSERT_NO_FATAL_FAILURE(ConfirmUpdateNote(wizard));
    EndsWithTheInstaller(wizard);
    EXPECT_EQ(Suite("Update"), "7.80");
    EXPECT_EQ(Suite("Release"), "<missing>");
}

TEST_F(WizardPathsTest, CommercialLineWaitsForItsInstallerWithTheWindowAnswering) {
    WriteInstallIni("MORVALIS", "");
    PlaceStandIn(kInstaller, "[StandIn]\r\nRunMilliseconds=5000\r\n");
    WizardDriver& wizard = Start();
    ASSERT_NE(wizard.AwaitPage("Willkommen beim Setup-Assistent für ZEVRIN Morvalis im Tolvane"),
              nullptr);
    wizard.Press(VK_RETURN);
    ASSERT_NO_FATAL_FAILURE(ConfirmRequirements(wizard));
    ASSERT_TRUE(WaitUntil([&] { return Starts(kInstaller) == 1; }));
    const ULONGLONG started = GetTickCount64();

    EXPECT_LT(LongestAnswerTime(wizard.Page(), 2000), 100.0);
    EXPECT_TRUE(wizard.run().Running());  // still waiting for the installer
    EXPECT_EQ(wizard.run().WaitForExit(30000), 0);
    EXPECT_GE(GetTickCount64() - started, 4000u);
    EXPECT_EQ(Suite("Build"), "1000");
    EXPECT_EQ(Suite("Release"), "<missing>");  // the commercial line records the build only
}

}  // namespace
