#include "shared/basService.h"

#include "platform/Platform.h"

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
