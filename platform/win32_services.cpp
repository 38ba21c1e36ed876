// The service control manager: every call opens and closes its own handles.
#include "platform/ScopedHandle.h"
#include "platform/Win32Platform.h"

namespace platform {
namespace {

const char* MachineOrLocal(const std::string& machine) {
    return machine.empty() ? nullptr : machine.c_str();
}

ScopedServiceHandle OpenManager(const std::string& machine) {
    return ScopedServiceHandle(
        OpenSCManagerA(MachineOrLocal(machine), SERVICES_ACTIVE_DATABASEA, SC_MANAGER_ALL_ACCESS));
}

ScopedServiceHandle OpenNamedService(const ScopedServiceHandle& manager,
                                     const std::string& service) {
    return ScopedServiceHandle(OpenServiceA(manager.Get(), service.c_str(), SERVICE_ALL_ACCESS));
}

}  // namespace

int Win32Platform::QueryServiceState(const std::string& machine, const std::string& service) {
    ScopedServiceHandle manager = OpenManager(machine);
    if (!manager) return 0;
    ScopedServiceHandle handle = OpenNamedService(manager, service);
    if (!handle) return 0;
    SERVICE_STATUS status{};
    if (!QueryServiceStatus(handle.Get(), &status)) return 0;
    return static_cast<int>(status.dwCurrentState);
}

void Win32Platform::SendServiceStop(const std::string& machine, const std::string& service) {
    ScopedServiceHandle manager = OpenManager(machine);
    if (!manager) return;
    ScopedServiceHandle handle = OpenNamedService(manager, service);
    if (!handle) return;
    SERVICE_STATUS scratch{};
    ControlService(handle.Get(), SERVICE_CONTROL_STOP, &scratch);
}

void Win32Platform::StartServiceNoArguments(const std::string& machine,
                                            const std::string& service) {
    ScopedServiceHandle manager = OpenManager(machine);
    if (!manager) return;
    ScopedServiceHandle handle = OpenNamedService(manager, service);
    if (!handle) return;
    StartServiceA(handle.Get(), 0, nullptr);
}

}  // namespace platform
