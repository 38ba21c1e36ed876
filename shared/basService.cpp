#include "shared/basService.h"

#include "platform/Platform.h"

int GetServiceState(const std::string& machine, const std::string& service) {
    if (service.empty()) return kServiceNotAvailable;
    return platform::Current().QueryServiceState(machine, service);
}

bool StopServiceByName(const std::string& machine, const std::string& service) {
    return platform::Current().SendServiceStop(machine, service);
}

bool StartServiceByName(const std::string& machine, const std::string& service) {
    return platform::Current().StartServiceNoArguments(machine, service);
}
