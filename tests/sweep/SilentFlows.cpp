// The whole wizard program run silently (-SILENT), as a distribution tool
// starts it: a network workstation that first stops the running components
// and installs the runtime packages, and a database server that copies the
// setup to its server folder.
#include <string>

#include "shared/modRegistry.h"
#include "tests/support/RuntimePackages.h"
#include "tests/support/TempFolder.h"
#include "tests/sweep/SweepFlow.h"

namespace fault_sweep {
namespace {

using testing_support::RuntimePackages;
using testing_support::TempFolder;

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

    int Run() override { return RunWholeProgram(fake_, "-SILENT -ANSWERS " + files_ / "answers.ini"); }

  protected:
    void Answer(const std::string& answers) { files_.Write("answers.ini", answers); }

    platform::FakePlatform& fake_;
    TempFolder image_, files_;
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
    // The components ended, the runtimes installed, and the installer
    // started for a network workstation.
    std::vector<Expectation> Expect() const override {
        return {Is("exit", "0"), Is("pages", "Welcome > SystemPruefung > Install"),
                Is("services", "stop ZVBKPSRV | stop ZevrinExchangeSync"),
                Holds("starts", "vc140_x86.exe"), Holds("starts", image_ / "Setups\\Setup.exe"),
                Is(RegistryFact(kSuiteKey, "SetupMachineType"), "1")};
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

    // The setup copied to the server folder for the workstations, and the
    // installer started.
    std::vector<Expectation> Expect() const override {
        return {Is("exit", "0"),
                Is("pages", "Welcome > SystemPruefung > Install > CopyToServer > DBTools"),
                Is(RegistryFact(kSuiteKey, "SelvorDestination"), server_.path()),
                Is(FileFact(server_ / "Setups\\Setup.exe"), ContentFact("installer")),
                Is(FileFact(server_ / "Selvor.exe"), ContentFact("selvor")),
                Holds("starts", server_ / "Setups\\Setup.exe")};
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
         [](platform::FakePlatform& fake) { return std::make_unique<SilentWorkstation>(fake); },
         true},
        {"silent database server copying to its server folder",
         [](platform::FakePlatform& fake) { return std::make_unique<SilentDatabaseServer>(fake); },
         true},
    };
}

}  // namespace fault_sweep
