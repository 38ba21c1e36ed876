// The whole wizard program run silently (-SILENT), as a distribution tool
// starts it: a network workstation that first stops the running components
// and installs the runtime packages, and a database server that copies the
// setup to its server folder. With one call failing, a silent run still
// shows nothing, ends by itself, and never ends with 0 after a failure that
// ended it.
#include <algorithm>
#include <string>

#include "shared/RunLog.h"
#include "shared/modRegistry.h"
#include "tests/support/RuntimePackages.h"
#include "tests/support/TempFolder.h"
#include "tests/sweep/SweepFlow.h"
#include "wizard/program/WizardProgram.h"

namespace fault_sweep {
namespace {

using testing_support::ReadFileText;
using testing_support::RuntimePackages;
using testing_support::TempFolder;

// The event of the record's line after the one at `at`; empty when none.
std::string EventAfter(const std::string& record, std::size_t at) {
    const std::size_t line = record.find("\r\n", at);
    if (line == std::string::npos) return {};
    const std::size_t event = record.find(' ', line) + 1;  // after the time
    if (event == 0) return {};
    return record.substr(event, record.find_first_of(" \r", event) - event);
}

constexpr const char* kFirstPages =
    "[Welcome]\r\nNext=1\r\n[SystemPruefung]\r\nCheckSystemvoraussetzungenGelesen=1\r\nNext=1\r\n";

class SilentFlow : public Flow {
  public:
    explicit SilentFlow(platform::FakePlatform& fake) : fake_(fake) {
        fake_.programFilePath = image_ / "Paldrix.exe";
        fake_.timersFire = true;
        image_.Write("WSROOT\\Version.ini", "[Common]\r\nVersion=7.80\r\nBuild=1000\r\n");
        image_.Write("Setups\\Setup.exe", "installer");
    }
    ~SilentFlow() override { run_log::Close(); }

    void Act() override {
        fake_.commandLine = "-SILENT -ANSWERS " + files_ / "answers.ini" + " -LOG " + Record();
        try {
            code_ = RunWizardProgram();
        } catch (const platform::ProgramExit& exit) {
            code_ = exit.exitCode;
        }
    }
    std::string Judge() override {
        if (!fake_.messages.empty()) return "a box was shown: " + fake_.messages.front().text;
        if (!fake_.folderPickerTitles.empty()) return "the folder picker was shown";
        const std::string record = ReadFileText(Record());
        // What only a person could have decided ends the run where it came
        // up. (The record may lack the line whose writing was the failing call.)
        std::size_t end = std::string::npos;
        for (const char* ending : {" message kind=failure ", " message kind=question ",
                                   " replay-stopped ", " folder-picker "}) {
            end = std::min(end, record.find(ending));
        }
        if (end == std::string::npos) {
            if (code_ == 0 && !InstallerStarted()) return "ended with 0 without the installer";
            return {};
        }
        if (code_ == 0) return "ended with 0 after a failure that ended the run";
        // Nothing runs after it but the decision, the end, and the program's
        // end, which takes its Run entry back.
        for (std::string next; !(next = EventAfter(record, end)).empty();
             end = record.find("\r\n", end) + 2) {
            if (next != "message-decided" && next != "silent-end" && next != "registry-delete" &&
                next != "exit") {
                return "the run went on after it ended: " + next;
            }
        }
        return {};
    }
    void Spoil() override {
        code_ = 0;
        fake_.starts.clear();
    }

  protected:
    void Answer(const std::string& answers) { files_.Write("answers.ini", answers); }

    platform::FakePlatform& fake_;
    TempFolder image_, files_;

  private:
    std::string Record() const { return files_ / "setup.log"; }
    bool InstallerStarted() const {
        for (const auto& start : fake_.starts) {
            if (start.file.find("Setups\\Setup.exe") != std::string::npos) return true;
        }
        return false;
    }

    int code_ = -1;
};

class SilentWorkstation : public SilentFlow {
  public:
    explicit SilentWorkstation(platform::FakePlatform& fake)
        : SilentFlow(fake), packages_(fake, image_) {
        image_.Write("WSROOT\\Install.ini",
                     std::string("[Application]\r\nRUN=Setups\\Setup.exe\r\n") +
                         RuntimePackages::kInstallIniSections);
        Answer(std::string(kFirstPages) +
               "[Install]\r\nInstallType=0\r\nMachineType=1\r\nReInstallServiceReleaseChecked=0\r\n"
               "Next=1\r\n");
        fake_.serviceStates = {{"ZVBKPSRV", 4}, {"ZevrinExchangeSync", 4}};
        fake_.processes = std::vector<std::string>{"Zevrin.App.ZevrinFTPLookUp.exe"};
        fake_.onStart = [this](const platform::RecordedStart& start) { packages_.OnStart(start); };
        fake_.onPump = [this] { packages_.OnPump(); };
    }

  private:
    RuntimePackages packages_;
};

class SilentDatabaseServer : public SilentFlow {
  public:
    explicit SilentDatabaseServer(platform::FakePlatform& fake) : SilentFlow(fake) {
        image_.Write("WSROOT\\Selvor.exe", "selvor");
        image_.Write("WSROOT\\Install.ini",
                     "[Application]\r\nRUN=Setups\\Setup.exe\r\n[SELVORFOLDERS]\r\nSetups\r\n");
        SetSuite("SetupMachineType", "2");
        SetSuite("VCRedist2", "1");  // and the runtimes present: no package to install
        for (const char* version : {"11.0", "12.0", "14.0"}) {
            fake_.SetRegistry(RegistryRoot::LocalMachine,
                              testing_support::RuntimeKey(version, false), "Version",
                              RegistryValue::FromText("1"));
        }
        Answer(std::string(kFirstPages) +
               "[Install]\r\nInstallType=0\r\nMachineType=2\r\nNext=1\r\n"
               "[CopyToServer]\r\noptCopyCD=1\r\ntxtServerPath=" +
               server_.path() + "\r\nNext=1\r\n[DBTools]\r\nLinkInstallDBSetup=0\r\nNext=1\r\n");
    }

  private:
    void SetSuite(const char* name, const char* value) {
        fake_.SetRegistry(RegistryRoot::LocalMachine, kSuiteKey, name,
                          RegistryValue::FromText(value));
    }

    TempFolder server_;
};

}  // namespace

std::vector<FlowRow> SilentFlows() {
    return {
        {"silent network workstation with services and runtime packages",
         [](platform::FakePlatform& fake) { return std::make_unique<SilentWorkstation>(fake); }},
        {"silent database server copying to its server folder",
         [](platform::FakePlatform& fake) { return std::make_unique<SilentDatabaseServer>(fake); }},
    };
}

}  // namespace fault_sweep
