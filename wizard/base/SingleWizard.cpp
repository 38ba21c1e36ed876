#include "wizard/base/SingleWizard.h"

#include "platform/Platform.h"
#include "shared/Messages.h"
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
    // The run ends here with its own code, once the box has been read.
    messages::Show(MessageKind::Information, "Der Setup-Assistent wird bereits ausgeführt.",
                   kApplicationTitle, platform::mb::Ok | platform::mb::IconInformation);
    // An unattended run leaves the screen as it is.
    if (!messages::Unattended()) system.BringOtherInstanceToFront();
    session.ExitCode = exit_code::kAlreadyRunning;
    return false;
}

void ReleaseTheWizardLock() { Session().WizardLock.reset(); }
