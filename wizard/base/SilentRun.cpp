#include "wizard/base/SilentRun.h"

#include <vector>

#include "shared/Messages.h"
#include "shared/RunLog.h"
#include "shared/modRegistry.h"
#include "ui/Form.h"
#include "wizard/base/ProgramEnd.h"
#include "wizard/base/RunOutcome.h"
#include "wizard/base/SetupSession.h"

namespace {

// The page on the screen, or start-up before the first one.
std::string CurrentPlace() {
    const std::vector<ui::Form*> forms = ui::LoadedForms();
    for (auto form = forms.rbegin(); form != forms.rend(); ++form) {
        if (!(*form)->Name().empty()) return (*form)->Name();
    }
    return "start-up";
}

}  // namespace

void BeginSilentRun() {
    Session().Silent = true;
    ui::KeepWindowsHidden(true);
    messages::BeginUnattended(EndSilentRun);
}

void EndSilentRun(const std::string& reason) {
    run_log::Write("silent-end", {{"at", CurrentPlace()}, {"reason", reason}});
    NoteEndedOnFailure();
    FinishSetup();
}

void LeaveTheRecordToPostSetup() {
    if (Session().Silent) WriteSuiteValue(kSilentSetupRecordValue, run_log::Path());
}

void TakeTheRecordBack() {
    if (Session().Silent) DeleteSuiteValue(kSilentSetupRecordValue);
}
