// How the run ends, in the exit codes that software-distribution tools read
// from installers. A run that does not end on one of the events below ends
// with 0.
#pragma once

#include <optional>
#include <string_view>

namespace exit_code {
inline constexpr int kSuccess = 0;
inline constexpr int kUserEnded = 1602;      // ERROR_INSTALL_USEREXIT
inline constexpr int kFailed = 1603;         // ERROR_INSTALL_FAILURE
inline constexpr int kAlreadyRunning = 1618;  // ERROR_INSTALL_ALREADY_RUNNING
inline constexpr int kInvalidCommandLine = 1639;  // ERROR_INVALID_COMMAND_LINE
// An installer's own success with a restart still to come, passed on as it
// came so that a distribution tool can schedule the restart.
inline constexpr int kRestartNeeded = 3010;   // ERROR_SUCCESS_REBOOT_REQUIRED
inline constexpr int kRestartStarted = 1641;  // ERROR_SUCCESS_REBOOT_INITIATED
}  // namespace exit_code

// A failure the run met: a program that could not be started or failed, a
// refused or failed update, a failed copy. It decides the end unless the
// run goes past it and starts the product installer after all.
void NoteFailure(std::string_view what);
// The run ends here on a failure, whatever it did before (a silent run
// that met what only a person could have decided); its caller records why.
void NoteEndedOnFailure();
// The command line cannot be run as it stands (-SILENT without its answers).
void NoteInvalidCommandLine(std::string_view reason);
bool CommandLineRejected();
// The user ended the wizard (the exit question answered Yes).
void NoteUserEnded();
// The product installer was started.
void NoteInstallerStarted();
// The product installer the wizard waited for has ended with `code` (none
// when it could not be told, which is no success).
void NoteInstallerEnded(std::optional<long> code);
// True for the codes with which installers report success.
bool IsSuccessCode(long code);
// The exit code the run ends with now.
int RunExitCode();
