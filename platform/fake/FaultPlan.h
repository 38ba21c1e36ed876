// The fault sweep's hold on the test doubles. The fake platform and the
// native build's stand-ins for files, profile functions and cabinets count
// every call the programs make through them that can fail on Windows; an
// armed plan records those calls and makes the one it names fail the way
// Windows fails it, with one of the error codes Windows gives that call.
// Disarmed, as in every ordinary test, nothing is counted.
#pragma once

#include <cstddef>
#include <functional>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

namespace platform::faults {

// The Win32 error codes a call fails with, the most common first.
using Codes = std::vector<unsigned long>;
namespace code {
inline constexpr unsigned long kFileNotFound = 2;
inline constexpr unsigned long kPathNotFound = 3;
inline constexpr unsigned long kAccessDenied = 5;
inline constexpr unsigned long kInvalidHandle = 6;
inline constexpr unsigned long kNotEnoughMemory = 8;
inline constexpr unsigned long kInvalidDrive = 15;
inline constexpr unsigned long kSharingViolation = 32;
inline constexpr unsigned long kHandleDiskFull = 39;
inline constexpr unsigned long kNetworkNameGone = 64;  // ERROR_NETNAME_DELETED
inline constexpr unsigned long kInvalidParameter = 87;
inline constexpr unsigned long kDiskFull = 112;
inline constexpr unsigned long kInsufficientBuffer = 122;
inline constexpr unsigned long kPathTooLong = 206;  // ERROR_FILENAME_EXCED_RANGE
inline constexpr unsigned long kShellNoAssociation = 31;  // SE_ERR_NOASSOC
inline constexpr unsigned long kServiceCannotAcceptControl = 1061;
inline constexpr unsigned long kServiceDisabled = 1058;
inline constexpr unsigned long kServiceDoesNotExist = 1060;
inline constexpr unsigned long kInvalidWindowHandle = 1400;
inline constexpr unsigned long kNoSystemResources = 1450;
inline constexpr unsigned long kWmiAccessDenied = 0x80041003;
inline constexpr unsigned long kClassNotRegistered = 0x80040154;
}  // namespace code

// The codes of each kind of call, as Windows gives them.
// A query of a path's attributes that cannot be answered: no rights, the
// share gone, a path too long for the system. ("Not found" is an answer.)
inline const Codes kFileQuery{code::kAccessDenied, code::kNetworkNameGone, code::kPathTooLong};
// Opening and reading a file: also another program holding it.
inline const Codes kFileRead{code::kAccessDenied, code::kSharingViolation, code::kPathNotFound,
                             code::kNetworkNameGone};
// Writing a file: also a full disk.
inline const Codes kFileWrite{code::kAccessDenied, code::kSharingViolation, code::kDiskFull,
                              code::kNetworkNameGone};
// Copying a file: the target's disk full as CopyFileEx reports it.
inline const Codes kFileCopy{code::kAccessDenied, code::kSharingViolation,
                             code::kHandleDiskFull, code::kNetworkNameGone, code::kPathNotFound};
// Deleting, moving, removing.
inline const Codes kFileChange{code::kAccessDenied, code::kSharingViolation,
                               code::kPathNotFound, code::kNetworkNameGone};
// Making a folder (a folder already there is no failure).
inline const Codes kFolderMake{code::kAccessDenied, code::kPathNotFound,
                               code::kNetworkNameGone, code::kPathTooLong};
// Listing a folder that cannot be read. ("Path not found" is the answer
// that nothing is there.)
inline const Codes kFolderList{code::kAccessDenied, code::kNetworkNameGone};
// The registry: no rights, or the key or value not there.
inline const Codes kRegistryRead{code::kAccessDenied, code::kFileNotFound};
inline const Codes kRegistryWrite{code::kAccessDenied};
// The shell's start: the SE_ERR_* values it answers with.
inline const Codes kShellStart{code::kFileNotFound, code::kPathNotFound, code::kAccessDenied,
                               code::kShellNoAssociation};

struct CountedCall {
    std::string name;    // "ReadRegistry", "files::CopyFileReplacing", ...
    std::string detail;  // what it was asked for: a path, a value name, a text
    Codes codes;         // the codes it can fail with
};

struct Plan {
    bool armed = false;
    std::size_t failing = 0;  // the 1-based number of the call that fails; 0: none
    unsigned long failingCode = 0;  // the code it fails with; 0: its first
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
    // A call with one way to fail; `failure` is the code it fails with.
    Call(const char* name, std::string_view detail, unsigned long failure)
        : Call(name, detail, Codes{failure}) {}
    Call(const char* name, std::string_view detail, const Codes& codes) {
        Plan& plan = CurrentPlan();
        if (plan.armed && plan.depth == 0) {
            plan.calls.push_back({name, std::string(detail), codes});
            fails_ = plan.calls.size() == plan.failing || Named(plan, name, detail);
            code_ = plan.failingCode != 0 && fails_ ? plan.failingCode : codes.front();
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
    // The Win32 code of the failure.
    unsigned long Code() const { return code_; }

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
    unsigned long code_ = 0;
};

// A test's failure: while it stands, the next call named `name` whose detail
// holds `part` fails as it fails on Windows; the calls before and after it work.
class FailingCall {
  public:
    explicit FailingCall(std::string name, std::string part = {}, unsigned long code = 0) {
        Plan& plan = CurrentPlan();
        plan.calls.clear();
        plan.failing = 0;
        plan.failingCode = code;
        plan.failingName = std::move(name);
        plan.failingPart = std::move(part);
        plan.armed = true;
    }
    ~FailingCall() {
        Plan& plan = CurrentPlan();
        plan.armed = false;
        plan.failingName.clear();
        plan.failingCode = 0;
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
