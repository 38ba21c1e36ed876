#include "wizard/pages/PageFrame.h"

#include "platform/Platform.h"
#include "shared/Messages.h"
#include "shared/Text.h"
#include "shared/modRegistry.h"
#include "ui/Form.h"
#include "wizard/base/IniAccess.h"
#include "wizard/base/ProgramRole.h"
#include "wizard/base/RunOutcome.h"
#include "wizard/base/SetupSession.h"
#include "wizard/base/StartPrograms.h"
#include "wizard/base/SystemQueries.h"

void PlaceForm(ui::Form& form) {
    const SetupSession& session = Session();
    const platform::gui::Rect screen = platform::Current().ScreenRect();
    const int left = session.PageLeft != 0 ? session.PageLeft : (screen.width - form.Width()) / 2;
    const int top = session.PageTop != 0 ? session.PageTop : (screen.height - form.Height()) / 2;
    form.Move(left, top);
}

bool ConfirmExit() {
    const int reply = messages::Show(
        MessageKind::Question,
        "Die Installation wurde noch nicht vollständig durchgeführt. Möchten Sie den "
        "Setup-Assistenten trotzdem beenden?",
        "Setup-Assistent",
        platform::mb::YesNo | platform::mb::IconQuestion | platform::mb::DefaultButton2);
    if (reply != platform::answer::Yes) return false;
    NoteUserEnded();

    SetupSession& session = Session();
    // A run of the commercial line leaves the registry as start-up wrote it.
    if (!text::Trim(session.ProgramName).empty()) return true;
    session.NewBuild = session.PreviousBuild;
    WriteSuiteValue("Build", session.PreviousBuild);
    if (session.StartupReplacedUpdate) {
        session.NewUpdate = session.PreviousUpdate;
        WriteSuiteValue("Update", session.PreviousUpdate);
    }
    if (session.StartupReplacedRelease) {
        session.NewRelease = session.PreviousRelease;
        WriteSuiteValue("Release", session.PreviousRelease);
    }
    return true;
}

void StorePagePosition(const ui::Form& page) {
    Session().PageLeft = page.Left();
    Session().PageTop = page.Top();
}

void CancelWizard() {
    if (ConfirmExit()) FinishSetup();
}

void ShowWizardHelp() {
    StartFile(
        ReadIniValue(Session().InstallIniPath, "Checklisten", "PaldrixHelp", "", kPromptForMedium),
        kDocument);
}
