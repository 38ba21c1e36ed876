#include "tests/support/StandInServices.h"

#include <windows.h>

#include <cstdio>

namespace testing_support {
namespace {

struct ServiceHandle {
    SC_HANDLE handle = nullptr;
    explicit ServiceHandle(SC_HANDLE h) : handle(h) {}
    ~ServiceHandle() {
        if (handle != nullptr) CloseServiceHandle(handle);
    }
    ServiceHandle(const ServiceHandle&) = delete;
    ServiceHandle& operator=(const ServiceHandle&) = delete;
    explicit operator bool() const { return handle != nullptr; }
};

ServiceHandle OpenManager() { return ServiceHandle(OpenSCManagerA(nullptr, nullptr, SC_MANAGER_ALL_ACCESS)); }

unsigned long QueryState(SC_HANDLE service) {
    SERVICE_STATUS status{};
    if (!QueryServiceStatus(service, &status)) return 0;
    return status.dwCurrentState;
}

bool WaitUntil(SC_HANDLE service, unsigned long state, unsigned timeoutMs) {
    for (unsigned waited = 0;; waited += 100) {
        if (QueryState(service) == state) return true;
        if (waited >= timeoutMs) return false;
        Sleep(100);
    }
}

void StopAndDelete(SC_HANDLE service) {
    SERVICE_STATUS status{};
    if (QueryState(service) != SERVICE_STOPPED) {
        ControlService(service, SERVICE_CONTROL_STOP, &status);
        WaitUntil(service, SERVICE_STOPPED, 10000);
    }
    DeleteService(service);
}

}  // namespace

void RemoveServiceIfPresent(const std::string& name) {
    ServiceHandle manager = OpenManager();
    if (!manager) return;
    ServiceHandle service(OpenServiceA(manager.handle, name.c_str(), SERVICE_ALL_ACCESS));
    if (service) StopAndDelete(service.handle);
}

ScopedStandInService::ScopedStandInService(std::string name) : name_(std::move(name)) {
    RemoveServiceIfPresent(name_);
    ServiceHandle manager = OpenManager();
    if (!manager) return;
    // The name travels quoted: some suite names contain spaces.
    const std::string binary =
        std::string("\"") + FIXTURE_DIR + "\\StandInService.exe\" \"" + name_ + "\"";
    ServiceHandle service(CreateServiceA(manager.handle, name_.c_str(), name_.c_str(),
                                         SERVICE_ALL_ACCESS, SERVICE_WIN32_OWN_PROCESS,
                                         SERVICE_DEMAND_START, SERVICE_ERROR_IGNORE,
                                         binary.c_str(), nullptr, nullptr, nullptr, nullptr,
                                         nullptr));
    registered_ = static_cast<bool>(service);
    if (!registered_) fprintf(stderr, "CreateService %s: error %lu\n", name_.c_str(), GetLastError());
}

ScopedStandInService::~ScopedStandInService() { RemoveServiceIfPresent(name_); }

bool ScopedStandInService::StartAndWait() {
    ServiceHandle manager = OpenManager();
    if (!manager) return false;
    ServiceHandle service(OpenServiceA(manager.handle, name_.c_str(), SERVICE_ALL_ACCESS));
    if (!service) return false;
    StartServiceA(service.handle, 0, nullptr);
    return WaitUntil(service.handle, SERVICE_RUNNING, 10000);
}

bool ScopedStandInService::StopAndWait() {
    ServiceHandle manager = OpenManager();
    if (!manager) return false;
    ServiceHandle service(OpenServiceA(manager.handle, name_.c_str(), SERVICE_ALL_ACCESS));
    if (!service) return false;
    SERVICE_STATUS status{};
    ControlService(service.handle, SERVICE_CONTROL_STOP, &status);
    return WaitUntil(service.handle, SERVICE_STOPPED, 10000);
}

bool ScopedStandInService::WaitForState(unsigned long state, unsigned timeoutMs) const {
    ServiceHandle manager = OpenManager();
    if (!manager) return false;
    ServiceHandle service(OpenServiceA(manager.handle, name_.c_str(), SERVICE_ALL_ACCESS));
    if (!service) return false;
    return WaitUntil(service.handle, state, timeoutMs);
}

unsigned long ScopedStandInService::State() const {
    ServiceHandle manager = OpenManager();
    if (!manager) return 0;
    ServiceHandle service(OpenServiceA(manager.handle, name_.c_str(), SERVICE_ALL_ACCESS));
    return service ? QueryState(service.handle) : 0;
}

}  // namespace testing_support
