#include "wizard/base/SingleWizard.h"

#include "platform/Platform.h"
#include "shared/RunLog.h"
#include "wizard/base/ProgramRole.h"
#include "wizard/base/RunOutcome.h"
#include "wizard/base/SetupSession.h"

namespace {

constexpr const char* kLockName = "ZEVRIN-Setup-Assistent";

}  // namespace

bool TakeTheWizardLock() {
    platform::Platform& system = platform::Current();
    SetupSession& session = Session();
    if (session.WizardLock) return true;  // this run holds it already
    session.WizardLock = system.LockMachineWide(kLockName);
    if (session.WizardLock) return true;
    run_log::Write("already-running");
    system.ShowMessage("Der Setup-Assistent wird bereits ausgeführt.", kApplicationTitle,
                       platform::mb::Ok | platform::mb::IconInformation);
    system.BringOtherInstanceToFront();
    session.ExitCode = exit_code::kAlreadyRunning;
    return false;
}

void ReleaseTheWizardLock() { Session().WizardLock.reset(); }
