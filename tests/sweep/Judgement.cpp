// What the flows' judgements ask of a run: which call failed, which calls
// the programs made, and which messages they showed.
#include "tests/sweep/SweepFlow.h"

namespace fault_sweep {

namespace faults = platform::faults;

const faults::CountedCall* FailedCall() {
    const faults::Plan& plan = faults::CurrentPlan();
    if (plan.failing == 0 || plan.failing > plan.calls.size()) return nullptr;
    return &plan.calls[plan.failing - 1];
}

bool Failed(std::string_view name, std::string_view part) {
    const faults::CountedCall* call = FailedCall();
    return call != nullptr && call->name == name && call->detail.find(part) != std::string::npos;
}

bool Asked(std::string_view name, std::string_view part) {
    for (const faults::CountedCall& call : faults::CurrentPlan().calls) {
        if (call.name == name && call.detail.find(part) != std::string::npos) return true;
    }
    return false;
}

int Shown(const platform::FakePlatform& fake, std::string_view part) {
    int count = 0;
    for (const platform::RecordedMessage& message : fake.messages) {
        if (message.text.find(part) != std::string::npos) ++count;
    }
    return count;
}

bool SomethingReported(const platform::FakePlatform& fake) {
    constexpr int kIconBits = 0xF0;
    for (const platform::RecordedMessage& message : fake.messages) {
        if ((message.style & kIconBits) != platform::mb::IconQuestion) return true;
    }
    return Failed("ShowMessage");
}

int StartFailuresShown(const platform::FakePlatform& fake) {
    return Shown(fake, "konnte nicht gefunden werden") +
           Shown(fake, "konnte nicht gestartet werden");
}

}  // namespace fault_sweep
