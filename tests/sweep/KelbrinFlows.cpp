// The post-setup program restarting everything the wizard ended.
#include <stdexcept>
#include <string>

#include "postsetup/mod_Kelbrin.h"
#include "shared/modRegistry.h"
#include "tests/support/TempFolder.h"
#include "tests/sweep/SweepFlow.h"

namespace fault_sweep {
namespace {

struct Restart {
    const char* flag;
    const char* call;  // the restart the programs must have asked for
    const char* target;
    const char* told;  // in the message that tells of it
};
constexpr Restart kRestarts[] = {
    {"StarteNotfallauftragsueberwachung", "RunCommandLine", "Zevrin.App.ZevrinFTPLookUp.exe",
     "N O T F A L L A U F T R A G"},
    {"StarteDatensicherung", "StartServiceNoArguments", "ZVBKPSRV",
     "D A T E N S I C H E R U N G S D I E N S T"},
    {"StarteExchangeSynchronisierung", "StartServiceNoArguments", "ZevrinExchangeSync",
     "E X C H A N G E"},
};

class KelbrinFlow : public Flow {
  public:
    explicit KelbrinFlow(platform::FakePlatform& fake) : fake_(fake) {
        install_.Write("ZVNGen.exe", "stand-in");
        fake_.SetRegistry(RegistryRoot::LocalMachine, kDestinationsKeyWow, "QUENOR",
                          RegistryValue::FromText(install_.path()));
        for (const Restart& restart : kRestarts) SetSuite(restart.flag, "1");
        fake_.serviceStates = {{"ZVBKPSRV", 1}, {"ZevrinExchangeSync", 1}};
    }
    void Act() override {
        if (RunKelbrin() != 0) throw std::runtime_error("an exception ended the program");
    }
    // A flag reset to "0" means its restart was asked for and told of; the
    // final program was started or its failure told.
    std::string Judge() override {
        for (const Restart& restart : kRestarts) {
            if (Flag(restart.flag) != "0") continue;
            if (!Asked(restart.call, restart.target)) return std::string(restart.flag) + " reset without a restart";
            if (Shown(fake_, restart.told) == 0) return std::string(restart.flag) + " reset without its message";
        }
        for (const auto& start : fake_.starts) {
            if (start.file.find("ZVNGen.exe") != std::string::npos) return {};
        }
        if (Shown(fake_, "ZVNGen.exe") > 0) return {};
        return "ZVNGen.exe neither started nor reported";
    }
    void Spoil() override { fake_.messages.clear(); }

  private:
    void SetSuite(const char* name, const char* value) {
        fake_.SetRegistry(RegistryRoot::LocalMachine, kSuiteKey, name, RegistryValue::FromText(value));
    }
    std::string Flag(const char* name) const {
        return fake_.RegistryText(RegistryRoot::LocalMachine, kSuiteKey, name);
    }

    platform::FakePlatform& fake_;
    testing_support::TempFolder install_;
};

}  // namespace

std::vector<FlowRow> KelbrinFlows() {
    return {{"post-setup restarts",
             [](platform::FakePlatform& fake) { return std::make_unique<KelbrinFlow>(fake); }}};
}

}  // namespace fault_sweep
