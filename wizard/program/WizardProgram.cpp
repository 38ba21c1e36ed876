#include "wizard/program/WizardProgram.h"

#include <exception>
#include <string>

#include "shared/LoggedPlatform.h"
#include "shared/RunLog.h"
#include "ui/Form.h"
#include "wizard/base/RunOutcome.h"
#include "wizard/program/StartWizard.h"

int RunWizardProgram() {
    // Every call of the run through the platform can leave a line in its
    // record; without -LOG nothing is written.
    LoggedPlatform logged(platform::Current());
    platform::ScopedPlatform withRecord(logged);
    int code = exit_code::kSuccess;
    try {
        // Start-up reads the command line first; an INF edit ends the program
        // there without a page.
        StartWizard();
        ui::RunMessageLoop();
        ui::DiscardAllForms();
        code = RunExitCode();
    } catch (const std::exception&) {
        // Nothing may escape as a crash; every step reports what the user
        // must see on its own.
        code = exit_code::kFailed;
    }
    run_log::Write("exit", {{"code", std::to_string(code)}});
    return code;
}
