// The fault sweep's hold on the test doubles. The fake platform and the
// native build's stand-ins for files, profile functions and cabinets count
// every call the programs make through them that can fail on Windows; an
// armed plan records those calls and makes the one it names fail the way
// Windows fails it. Disarmed, as in every ordinary test, nothing is counted.
#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace platform::faults {

struct CountedCall {
    std::string name;    // "ReadRegistry", "files::CopyFileReplacing", ...
    std::string detail;  // what it was asked for: a path, a value name, a text
};

struct Plan {
    bool armed = false;
    std::size_t failing = 0;  // the 1-based number of the call that fails; 0: none
    std::vector<CountedCall> calls;
    // A run that goes on past these has hung (a retry without end, a page
    // waiting for ever); onOverrun ends it. 0: no limit.
    std::size_t callLimit = 0;
    std::size_t stepLimit = 0;
    std::size_t steps = 0;
    std::function<void()> onOverrun;
    // Inside a counted call, or in a test's own action: not the program's call.
    int depth = 0;
    // Instead of a number: the next call of this name whose detail holds
    // failingPart fails (see FailingCall).
    std::string failingName, failingPart;
};

inline Plan& CurrentPlan() {
    static Plan plan;
    return plan;
}

// One call of a double, for the length of its scope: what the double does
// inside it (a copy reading and writing, a start that starts) is its own work.
class Call {
  public:
    explicit Call(const char* name, std::string_view detail = {}) {
        Plan& plan = CurrentPlan();
        if (plan.armed && plan.depth == 0) {
            plan.calls.push_back({name, std::string(detail)});
            fails_ = plan.calls.size() == plan.failing || Named(plan, name, detail);
            if (plan.callLimit != 0 && plan.calls.size() > plan.callLimit && plan.onOverrun) {
                plan.onOverrun();
            }
        }
        ++plan.depth;
    }
    ~Call() { --CurrentPlan().depth; }
    Call(const Call&) = delete;
    Call& operator=(const Call&) = delete;

    bool Fails() const { return fails_; }

  private:
    static bool Named(Plan& plan, std::string_view name, std::string_view detail) {
        if (plan.failingName.empty() || name != plan.failingName ||
            detail.find(plan.failingPart) == std::string_view::npos) {
            return false;
        }
        plan.failingName.clear();  // once
        return true;
    }

    bool fails_ = false;
};

// A test's failure: while it stands, the next call named `name` whose detail
// holds `part` fails as it fails on Windows; the calls before and after it work.
class FailingCall {
  public:
    explicit FailingCall(std::string name, std::string part = {}) {
        Plan& plan = CurrentPlan();
        plan.calls.clear();
        plan.failing = 0;
        plan.failingName = std::move(name);
        plan.failingPart = std::move(part);
        plan.armed = true;
    }
    ~FailingCall() {
        Plan& plan = CurrentPlan();
        plan.armed = false;
        plan.failingName.clear();
    }
    FailingCall(const FailingCall&) = delete;
    FailingCall& operator=(const FailingCall&) = delete;

    // True once the call has come and failed.
    bool Failed() const { return CurrentPlan().failingName.empty(); }
};

// A test's own action in the middle of a run, such as a stand-in program
// writing its files: the doubles it uses are not the program's calls.
class OffTheCount {
  public:
    OffTheCount() { ++CurrentPlan().depth; }
    ~OffTheCount() { --CurrentPlan().depth; }
    OffTheCount(const OffTheCount&) = delete;
    OffTheCount& operator=(const OffTheCount&) = delete;
};

// The program's own code, called back from inside a double (a cabinet's
// notifications): its calls count again.
class CalledBack {
  public:
    CalledBack() : saved_(CurrentPlan().depth) { CurrentPlan().depth = 0; }
    ~CalledBack() { CurrentPlan().depth = saved_; }
    CalledBack(const CalledBack&) = delete;
    CalledBack& operator=(const CalledBack&) = delete;

  private:
    int saved_;
};

// One step of a run: an event pump or a wait.
inline void Step() {
    Plan& plan = CurrentPlan();
    if (!plan.armed) return;
    ++plan.steps;
    if (plan.stepLimit != 0 && plan.steps > plan.stepLimit && plan.onOverrun) plan.onOverrun();
}

}  // namespace platform::faults
