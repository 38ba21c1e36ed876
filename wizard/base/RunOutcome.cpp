#include "wizard/base/RunOutcome.h"

#include <string>

#include "shared/RunLog.h"
#include "wizard/base/SetupSession.h"

void NoteFailure(std::string_view what) {
    Session().FailureToReport = true;
    run_log::Write("failure", {{"what", std::string(what)}});
}

void NoteEndedOnFailure() {
    Session().FailureToReport = true;
    Session().ExitCode = exit_code::kFailed;
}

void NoteInvalidCommandLine(std::string_view reason) {
    Session().ExitCode = exit_code::kInvalidCommandLine;
    run_log::Write("invalid-command-line", {{"reason", std::string(reason)}});
}

bool CommandLineRejected() { return Session().ExitCode == exit_code::kInvalidCommandLine; }

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
    // Its own success codes and its user's exit are passed on as they came.
    if (code && (IsSuccessCode(*code) || *code == exit_code::kUserEnded)) {
        session.ExitCode = static_cast<int>(*code);
    } else {
        session.ExitCode = exit_code::kFailed;
    }
    run_log::Write("installer-ended",
                   {{"code", code ? std::to_string(*code) : std::string("unknown")}});
}

bool IsSuccessCode(long code) {
    return code == exit_code::kSuccess || code == exit_code::kRestartNeeded ||
           code == exit_code::kRestartStarted;
}

int RunExitCode() {
    const SetupSession& session = Session();
    if (session.ExitCode) return *session.ExitCode;
    return session.FailureToReport ? exit_code::kFailed : exit_code::kSuccess;
}
