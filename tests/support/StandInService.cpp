#include "tests/support/StandInService.h"

#include <windows.h>

#include "tests/support/WaitUntil.h"

namespace testing_support {
namespace {

struct Handles {
    SC_HANDLE manager = OpenSCManagerA(nullptr, nullptr, SC_MANAGER_ALL_ACCESS);
    SC_HANDLE service = nullptr;
    Handles() = default;
    Handles(const Handles&) = delete;
    Handles& operator=(const Handles&) = delete;
    ~Handles() {
        if (service) CloseServiceHandle(service);
        if (manager) CloseServiceHandle(manager);
    }
    bool Open(const std::string& name) {
        if (manager) service = OpenServiceA(manager, name.c_str(), SERVICE_ALL_ACCESS);
        return service != nullptr;
    }
};

void StopAndDelete(const std::string& name) {
    Handles h;
    if (!h.Open(name)) return;
    SERVICE_STATUS status{};
    ControlService(h.service, SERVICE_CONTROL_STOP, &status);
    WaitUntil(
        [&] {
            return !QueryServiceStatus(h.service, &status) ||
                   status.dwCurrentState == SERVICE_STOPPED;
        },
        5000);
    DeleteService(h.service);
}

}  // namespace

RegisteredStandInService::RegisteredStandInService(std::string name) : name_(std::move(name)) {
    StopAndDelete(name_);  // left over from an interrupted run
    Handles h;
    if (!h.manager) return;
    const std::string command = std::string("\"") + FIXTURE_DIR + "\\StandInService.exe\" \"" + name_ + "\"";
    SC_HANDLE created = CreateServiceA(h.manager, name_.c_str(), name_.c_str(), SERVICE_ALL_ACCESS,
                                       SERVICE_WIN32_OWN_PROCESS, SERVICE_DEMAND_START,
                                       SERVICE_ERROR_IGNORE, command.c_str(), nullptr, nullptr,
                                       nullptr, nullptr, nullptr);
    if (created) {
        registered_ = true;
        CloseServiceHandle(created);
    }
}

RegisteredStandInService::~RegisteredStandInService() { StopAndDelete(name_); }

int RegisteredStandInService::State() const {
    Handles h;
    SERVICE_STATUS status{};
    if (!h.Open(name_) || !QueryServiceStatus(h.service, &status)) return 0;
    return static_cast<int>(status.dwCurrentState);
}

int RegisteredStandInService::WaitForState(int state, unsigned milliseconds) const {
    int current = 0;
    WaitUntil([&] { return (current = State()) == state; }, milliseconds);
    return current;
}

bool RegisteredStandInService::StartAndWait() const {
    {
        Handles h;
        if (!h.Open(name_) || !StartServiceA(h.service, 0, nullptr)) return false;
    }
    return WaitForState(SERVICE_RUNNING) == SERVICE_RUNNING;
}

}  // namespace testing_support
