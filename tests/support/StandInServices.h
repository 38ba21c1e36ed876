// Registers the stand-in service with Wine's service control manager under a
// suite service name for the lifetime of one test, and removes it again
// (stopped first) even when the test fails.
#pragma once

#include <string>

namespace testing_support {

class ScopedStandInService {
public:
    explicit ScopedStandInService(std::string name);
    ~ScopedStandInService();
    ScopedStandInService(const ScopedStandInService&) = delete;
    ScopedStandInService& operator=(const ScopedStandInService&) = delete;

    bool registered() const { return registered_; }
    const std::string& name() const { return name_; }
    // Starts the service and waits until it reports running.
    bool StartAndWait();
    // Stops the service and waits until it reports stopped.
    bool StopAndWait();
    // Waits until the service reports `state`; false after the timeout.
    bool WaitForState(unsigned long state, unsigned timeoutMs = 10000) const;
    unsigned long State() const;

private:
    std::string name_;
    bool registered_ = false;
};

// Removes a service of that name left behind by an earlier, aborted run.
void RemoveServiceIfPresent(const std::string& name);

}  // namespace testing_support
