#include "wizard/base/ProgramEnd.h"

#include <exception>
#include <string>

#include "platform/Platform.h"
#include "shared/RunLog.h"
#include "wizard/base/ProgramRole.h"
#include "wizard/base/RunOutcome.h"
#include "wizard/base/SystemQueries.h"

namespace {
int exitDeferrals = 0;
bool exitRequested = false;
}  // namespace

ExitDeferral::ExitDeferral() {
    // A request recorded under an earlier guard was carried out or dropped
    // with its writer; it must not end this one.
    if (exitDeferrals++ == 0) exitRequested = false;
}
ExitDeferral::~ExitDeferral() { --exitDeferrals; }
bool ExitDeferral::Requested() { return exitRequested; }

void FinishSetup() {
    if (exitDeferrals > 0) {
        exitRequested = true;
        return;
    }
    exitRequested = false;
    RemoveRunEntry(kApplicationTitle);
    const int code = RunExitCode();
    run_log::Write("exit", {{"code", std::to_string(code)}});
    platform::Current().ExitProgram(code);
}

bool SkipOnFailure(const std::function<void()>& step) {
    try {
        step();
        return true;
    } catch (const std::exception&) {
        return false;
    }
}
