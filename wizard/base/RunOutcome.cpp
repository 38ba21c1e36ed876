#include "wizard/base/RunOutcome.h"

#include <string>

#include "shared/RunLog.h"
#include "wizard/base/SetupSession.h"

namespace {

constexpr long kRebootRequired = 3010;   // ERROR_SUCCESS_REBOOT_REQUIRED
constexpr long kRebootInitiated = 1641;  // ERROR_SUCCESS_REBOOT_INITIATED

}  // namespace

void NoteFailure(std::string_view what) {
    Session().FailureToReport = true;
    run_log::Write("failure", {{"what", std::string(what)}});
}

void NoteUserEnded() {
    SetupSession& session = Session();
    // Ending after a failure that the run did not go past is ending on it.
    session.ExitCode = session.FailureToReport ? exit_code::kFailed : exit_code::kUserEnded;
    run_log::Write("user-ended");
}

void NoteInstallerStarted() {
    SetupSession& session = Session();
    session.FailureToReport = false;
    session.ExitCode = exit_code::kSuccess;
}

void NoteInstallerEnded(std::optional<long> code) {
    SetupSession& session = Session();
    if (!code || IsSuccessCode(*code)) {
        session.ExitCode = exit_code::kSuccess;
    } else {
        session.ExitCode = *code == exit_code::kUserEnded ? exit_code::kUserEnded : exit_code::kFailed;
    }
    run_log::Write("installer-ended",
                   {{"code", code ? std::to_string(*code) : std::string("unknown")}});
}

bool IsSuccessCode(long code) {
    return code == 0 || code == kRebootRequired || code == kRebootInitiated;
}

int RunExitCode() {
    const SetupSession& session = Session();
    if (session.ExitCode) return *session.ExitCode;
    return session.FailureToReport ? exit_code::kFailed : exit_code::kSuccess;
}
