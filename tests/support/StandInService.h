// Registers the stand-in service program with the service control manager
// under a given name for one test, and removes it again (stopped first).
#pragma once

#include <string>

namespace testing_support {

class RegisteredStandInService {
public:
    explicit RegisteredStandInService(std::string name);
    ~RegisteredStandInService();
    RegisteredStandInService(const RegisteredStandInService&) = delete;
    RegisteredStandInService& operator=(const RegisteredStandInService&) = delete;

    bool registered() const { return registered_; }
    // Starts it and waits until it runs; false on failure or time-out.
    bool StartAndWait() const;
    // Waits up to `milliseconds` for the given state; returns the last state.
    int WaitForState(int state, unsigned milliseconds = 10000) const;
    int State() const;

private:
    std::string name_;
    bool registered_ = false;
};

}  // namespace testing_support
