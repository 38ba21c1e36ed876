// Start-up as far as the first page: stopping the running background
// services and installing the missing runtime packages; and the update
// assistant applying a patch package, fetched by its tool or already there.
#include <string>

#include "shared/modRegistry.h"
#include "tests/support/RuntimePackages.h"
#include "tests/support/UpdateInstallation.h"
#include "tests/sweep/SweepFlow.h"
#include "wizard/program/StartWizard.h"

namespace fault_sweep {
namespace {

using testing_support::RuntimePackages;
using testing_support::TempFolder;

class StartUpFlow : public Flow {
  public:
    explicit StartUpFlow(platform::FakePlatform& fake) : fake_(fake), packages_(fake, image_) {
        image_.Write("WSROOT\\Install.ini",
                     std::string("[Application]\r\nInstallType=NEW\r\n") +
                         RuntimePackages::kInstallIniSections);
        image_.Write("WSROOT\\Version.ini", "[Common]\r\nVersion=7.80\r\nBuild=1000\r\n");
        fake_.programFilePath = image_ / "Paldrix.exe";
        fake_.serviceStates = {{"ZVBKPSRV", 4}, {"ZevrinExchangeSync", 4}};
        fake_.processes = std::vector<std::string>{"Zevrin.App.ZevrinFTPLookUp.exe"};
        fake_.onStart = [this](const platform::RecordedStart& start) { packages_.OnStart(start); };
        fake_.onPump = [this] { packages_.OnPump(); };
    }
    int Run() override {
        return RunRecorded([] { StartWizard(); });
    }
    // The components are ended with their warnings and flags, the missing
    // runtimes installed (those for x64 come from their x86 packages), and
    // the first page is up.
    std::vector<Expectation> Expect() const override {
        std::vector<Expectation> expected = {
            Is("pages", "Welcome"), Is("exit", "0"),
            Is("services", "stop ZVBKPSRV | stop ZevrinExchangeSync"),
            Holds("starts", "taskkill /F /IM Zevrin.App.ZevrinFTPLookUp.exe"),
            Is(RegistryFact(kSuiteKey, "StarteDatensicherung"), "1"),
            Is(RegistryFact(kSuiteKey, "StarteExchangeSynchronisierung"), "1"),
            Is(RegistryFact(kSuiteKey, "StarteNotfallauftragsueberwachung"), "1"),
            Is(RegistryFact(kSuiteKey, "Build"), "1000")};
        for (const char* package : {"vcredist2.exe", "vc110_x86.exe", "vc120_x86.exe",
                                    "vc140_x86.exe"}) {
            expected.push_back(Holds("starts", package));
        }
        return expected;
    }

  private:
    platform::FakePlatform& fake_;
    TempFolder image_;
    RuntimePackages packages_;
};

class UpdateFlow : public Flow {
  public:
    UpdateFlow(platform::FakePlatform& fake, bool localUpdate) : fake_(fake), assistant_(fake) {
        fake_.programFilePath = assistant_.install / "INETSETUP.EXE";
        fake_.messageAnswers = {platform::answer::Yes};
        if (localUpdate) {
            fake_.commandLine = "-LOCALUPDATE";
            assistant_.DeliverPackage();
        } else {
            // The tool fetches the package while it runs.
            fake_.onStart = [this](const platform::RecordedStart& start) {
                if (start.file == "\"Ubrel.exe\"") assistant_.DeliverPackage();
            };
        }
    }
    int Run() override {
        return RunRecorded([] { StartWizard(); });
    }
    // The package is unpacked with its other cabinet, its INF edited and the
    // patch recorded in the product's INF; the update's first page follows.
    std::vector<Expectation> Expect() const override {
        std::vector<Expectation> expected = {Is("pages", "Welcome"), Is("exit", "0")};
        for (const auto& [name, bytes] : testing_support::UpdateInstallation::CabinetMembers()) {
            if (name == "Setups\\P_TL_UPD.inf") continue;  // edited, below
            expected.push_back(Is(FileFact(TmpSetup(name)), ContentFact(bytes)));
        }
        expected.push_back(Is(FileFact(TmpSetup("Setups\\TL_UPD.CAB")), ContentFact("second cabinet")));
        expected.push_back(Is(FileFact(TmpSetup("Setups\\P_TL_UPD.inf")),
                              ContentFact("[PROJECT PROPERTIES]\r\nName=TL\r\n;VersionFile=x.ver\r\n"
                                          "[COMPONENTS]\r\nTL=1\r\n")));
        expected.push_back(Is(FileFact(assistant_.ProductInf()),
                              ContentFact(std::string("[PATCHES]\r\nP_Q_Vorlauf.inf=") +
                                          testing_support::UpdateInstallation::kPatchRecord +
                                          "\r\n")));
        return expected;
    }

  private:
    std::string TmpSetup(const std::string& name) const {
        return assistant_.install / ("TmpSetup\\" + name);
    }

    platform::FakePlatform& fake_;
    testing_support::UpdateInstallation assistant_;
};

}  // namespace

std::vector<FlowRow> StartUpFlows() {
    return {
        {"start-up with services and runtime packages",
         [](platform::FakePlatform& fake) { return std::make_unique<StartUpFlow>(fake); }},
        {"update assistant fetching a patch package",
         [](platform::FakePlatform& fake) { return std::make_unique<UpdateFlow>(fake, false); }},
        {"update assistant with a local patch package",
         [](platform::FakePlatform& fake) { return std::make_unique<UpdateFlow>(fake, true); }},
    };
}

}  // namespace fault_sweep
