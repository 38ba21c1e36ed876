// A silent run of the whole wizard program over the fake platform: every box
// decided by the kind its caller gave it, none shown, and the exit code a
// distribution tool reads. The real windows are in the GUI tests.
#include <gtest/gtest.h>

#include <string>

#include "shared/RunLog.h"
#include "tests/support/FakePlatformTest.h"
#include "tests/support/TempFolder.h"
#include "wizard/program/WizardProgram.h"

using namespace testing_support;

namespace {

constexpr const char* kFirstPages =
    "[Welcome]\r\nNext=1\r\n[SystemPruefung]\r\nCheckSystemvoraussetzungenGelesen=1\r\nNext=1\r\n";
const std::string kWorkstation =
    std::string(kFirstPages) +
    "[Install]\r\nInstallType=0\r\nMachineType=1\r\nReInstallServiceReleaseChecked=0\r\nNext=1\r\n";

class SilentRunTest : public FakePlatformTest {
  public:
    // What a case arranges before its run.
    void Image() { ImageRunning("Setups\\Setup.exe /s"); }
    void ImageRunning(const char* installer) {
        image.Write("WSROOT\\Install.ini",
                    std::string("[Application]\r\nRUN=") + installer + "\r\n");
        MarkRuntimesInstalled();
    }
    void ComponentRunning() {
        Image();
        fake.serviceStates = {{"ZVBKPSRV", 4}};
    }
    void InstallerMissing() { ImageRunning("Setups\\Fehlt.exe"); }
    void RuntimePackageMissing() {
        Image();
        SetSuiteValue("VCRedist2", "0");
    }
    void AnotherWizardRuns() {
        Image();
        fake.heldLocks->insert("ZEVRIN-Setup-Assistent");
    }

    struct Case {
        const char* what;
        void (SilentRunTest::*arrange)();
        const char* extraArguments;
        const char* answers;  // nullptr: no file
        int exitCode;
        bool installerStarted;
        const char* recorded;
    };

  protected:
    SilentRunTest() {
        image.Write("WSROOT\\Version.ini", "[Common]\r\nVersion=7.80\r\nBuild=1000\r\n");
        image.Write("Setups\\Setup.exe", "installer");
    }
    ~SilentRunTest() override { run_log::Close(); }

    // A fresh machine, the case arranged, the program run silently.
    void Check(const Case& c) {
        SCOPED_TRACE(c.what);
        ResetSession();
        ui::DiscardAllForms();
        fake = platform::FakePlatform();
        fake.programFilePath = image / "Paldrix.exe";
        fake.timersFire = true;
        (this->*c.arrange)();
        TempFolder run;
        fake.commandLine = "-SILENT -LOG " + run / "setup.log" + c.extraArguments;
        if (c.answers != nullptr) fake.commandLine += " -ANSWERS " + run.Write("a.ini", c.answers);

        EXPECT_EQ(ExitCode(), c.exitCode);
        EXPECT_TRUE(fake.messages.empty()) << fake.messages.front().text;
        EXPECT_TRUE(fake.folderPickerTitles.empty());
        EXPECT_EQ(InstallerStarted(), c.installerStarted);
        const std::string record = ReadFileText(run / "setup.log");
        EXPECT_NE(record.find(c.recorded), std::string::npos) << record;
        EXPECT_NE(record.find(" exit code=" + std::to_string(c.exitCode)), std::string::npos);
        run_log::Close();
    }

    TempFolder image;

  private:
    // The program's exit code, whether it returned or ended itself.
    int ExitCode() {
        try {
            return RunWizardProgram();
        } catch (const platform::ProgramExit& exit) {
            return exit.exitCode;
        }
    }
    bool InstallerStarted() const {
        for (const auto& start : fake.starts) {
            if (start.file == "\"" + image / "Setups\\Setup.exe" + "\"") return true;
        }
        return false;
    }
};

TEST_F(SilentRunTest, EveryBoxIsDecidedByItsKindAndNoneIsShown) {
    const char* kTaken = " message-decided answer=1 decision=taken-as-read\r\n";
    // clang-format off
    const Case cases[] = {
        {"a running component's warning is read", &SilentRunTest::ComponentRunning, "",
         kWorkstation.c_str(), 0, true, kTaken},
        {"the help is read", &SilentRunTest::Image, " -?", kWorkstation.c_str(), 0, true,
         " message kind=information caption=Paldrix"},
        {"a page the file does not answer ends the run there", &SilentRunTest::Image, "",
         kFirstPages, 1603, false, " silent-end at=Install reason=\"the replay stopped\"\r\n"},
        {"a missing installer is a failure that ends it", &SilentRunTest::InstallerMissing, "",
         kWorkstation.c_str(), 1603, false, " decision=ends-run\r\n"},
        {"a runtime package that cannot start ends it before any page",
         &SilentRunTest::RuntimePackageMissing, "", kWorkstation.c_str(), 1603, false,
         " silent-end at=start-up"},
        {"a second wizard gives way without a word", &SilentRunTest::AnotherWizardRuns, "",
         kWorkstation.c_str(), 1618, false, " already-running\r\n"},
        {"-SILENT without its answers", &SilentRunTest::Image, " -?", nullptr, 1639, false,
         " invalid-command-line reason=\"-SILENT without -ANSWERS and its file\""},
        {"an answer file that cannot be read", &SilentRunTest::Image, " -ANSWERS fehlt.ini",
         nullptr, 1639, false, " invalid-command-line reason=\"the answer file cannot be read\""},
    };
    // clang-format on
    for (const Case& c : cases) Check(c);
}

}  // namespace
