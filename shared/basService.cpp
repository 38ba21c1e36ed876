#include "shared/basService.h"

#include <array>

#include "platform/Platform.h"

namespace {

constexpr std::array<const char*, 8> kStateTexts = {
    "Dienst nicht installiert...", "Dienst beendet",       "Dienst wird gestartet...",
    "Dienst wird beendet...",      "Dienst gestartet",     "Dienst fortsetzen...",
    "Dienst wird angehalten...",   "Dienst angehalten",
};
static_assert(kStateTexts.size() == 8, "one text for state 0 and each of the states 1..7");

}  // namespace

int GetServiceState(const std::string& machine, const std::string& service) {
    if (service.empty()) return kServiceNotAvailable;
    return platform::Current().QueryServiceState(machine, service);
}

void StopServiceByName(const std::string& machine, const std::string& service) {
    platform::Current().SendServiceStop(machine, service);
}

void StartServiceByName(const std::string& machine, const std::string& service) {
    platform::Current().StartServiceNoArguments(machine, service);
}

const char* ServiceStateText(int state) {
    if (state < 0 || state >= static_cast<int>(kStateTexts.size())) return kStateTexts[0];
    return kStateTexts[static_cast<size_t>(state)];
}
