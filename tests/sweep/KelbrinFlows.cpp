// The post-setup program restarting everything the wizard ended, with a
// person at the screen and after a silent setup.
#include <fstream>
#include <string>

#include "platform/fake/FaultPlan.h"
#include "postsetup/mod_Kelbrin.h"
#include "shared/RunLog.h"
#include "shared/modRegistry.h"
#include "tests/support/TempFolder.h"
#include "tests/sweep/SweepFlow.h"

namespace fault_sweep {
namespace {

constexpr const char* kFlags[] = {"StarteNotfallauftragsueberwachung", "StarteDatensicherung",
                                  "StarteExchangeSynchronisierung"};

class KelbrinFlow : public Flow {
  public:
    KelbrinFlow(platform::FakePlatform& fake, bool afterSilentSetup)
        : fake_(fake), afterSilentSetup_(afterSilentSetup) {
        install_.Write("ZVNGen.exe", "stand-in");
        fake_.SetRegistry(RegistryRoot::LocalMachine, kDestinationsKeyWow, "QUENOR",
                          RegistryValue::FromText(install_.path()));
        for (const char* flag : kFlags) SetSuite(flag, "1");
        fake_.serviceStates = {{"ZVBKPSRV", 1}, {"ZevrinExchangeSync", 1}};
        if (afterSilentSetup_) {
            // The silent setup's record, which the program goes on with.
            SetSuite(kSilentSetupRecordValue, RecordPath());
            std::ofstream(RecordPath(), std::ios::binary)
                << "\xEF\xBB\xBF" "2026-12-07T11:01:00.000 start result=started\r\n";
        }
    }
    int Run() override {
        if (!afterSilentSetup_) {
            // A run after a setup with a person at the screen keeps no record
            // of its own; the sweep reads one all the same.
            const platform::faults::OffTheCount notTheProgram;
            run_log::Open(RecordPath());
        }
        const int code = RunKelbrin();
        run_log::Close();
        return code;
    }
    // Each component is started again, its flag reset, and ZVNGen started.
    std::vector<Expectation> Expect() const override {
        std::vector<Expectation> expected = {
            Is("exit", "0"), Is("services", "start ZVBKPSRV | start ZevrinExchangeSync"),
            Holds("starts", "Zevrin.App.ZevrinFTPLookUp.exe"), Holds("starts", "ZVNGen.exe")};
        for (const char* flag : kFlags) expected.push_back(Is(RegistryFact(kSuiteKey, flag), "0"));
        return expected;
    }

  private:
    void SetSuite(const char* name, const std::string& value) {
        fake_.SetRegistry(RegistryRoot::LocalMachine, kSuiteKey, name, RegistryValue::FromText(value));
    }

    platform::FakePlatform& fake_;
    bool afterSilentSetup_;
    testing_support::TempFolder install_;
};

}  // namespace

std::vector<FlowRow> KelbrinFlows() {
    return {{"post-setup restarts",
             [](platform::FakePlatform& fake) { return std::make_unique<KelbrinFlow>(fake, false); }},
            {"post-setup restarts after a silent setup",
             [](platform::FakePlatform& fake) { return std::make_unique<KelbrinFlow>(fake, true); }}};
}

}  // namespace fault_sweep
