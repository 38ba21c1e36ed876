// The service control manager. Each call opens and closes the service it
// works on; the connection to the manager of a machine is kept.
#include <map>

#include "platform/ScopedHandle.h"
#include "platform/TextConversion.h"
#include "platform/Win32Platform.h"

namespace platform {
namespace {


// Connecting is a round trip to the service process, and start-up asks
// about four services in a row: one connection per machine serves them all,
// for the program's life. nullptr when it cannot be opened (asked again next
// time).
SC_HANDLE Manager(const std::string& machine) {
    static std::map<std::string, ScopedServiceHandle> connections;
    ScopedServiceHandle& connection = connections[machine];
    if (!connection) {
        const std::wstring name = ToWide(machine);
        connection.Reset(OpenSCManagerW(machine.empty() ? nullptr : name.c_str(),
                                        SERVICES_ACTIVE_DATABASEW, SC_MANAGER_ALL_ACCESS));
    }
    return connection.Get();
}

ScopedServiceHandle OpenNamedService(SC_HANDLE manager, const std::string& service) {
    return ScopedServiceHandle(OpenServiceW(manager, ToWide(service).c_str(), SERVICE_ALL_ACCESS));
}

}  // namespace

int Win32Platform::QueryServiceState(const std::string& machine, const std::string& service) {
    SC_HANDLE manager = Manager(machine);
    if (!manager) return 0;
    ScopedServiceHandle handle = OpenNamedService(manager, service);
    if (!handle) return 0;
    SERVICE_STATUS status{};
    if (!QueryServiceStatus(handle.Get(), &status)) return 0;
    return static_cast<int>(status.dwCurrentState);
}

bool Win32Platform::SendServiceStop(const std::string& machine, const std::string& service) {
    SC_HANDLE manager = Manager(machine);
    if (!manager) return false;
    ScopedServiceHandle handle = OpenNamedService(manager, service);
    if (!handle) return false;
    SERVICE_STATUS scratch{};
    return ControlService(handle.Get(), SERVICE_CONTROL_STOP, &scratch) != 0;
}

bool Win32Platform::StartServiceNoArguments(const std::string& machine,
                                            const std::string& service) {
    SC_HANDLE manager = Manager(machine);
    if (!manager) return false;
    ScopedServiceHandle handle = OpenNamedService(manager, service);
    if (!handle) return false;
    return StartServiceW(handle.Get(), 0, nullptr) != 0;
}

}  // namespace platform
