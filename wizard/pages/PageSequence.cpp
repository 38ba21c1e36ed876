#include "wizard/pages/PageSequence.h"

#include "platform/Platform.h"
#include "shared/Messages.h"
#include "shared/Text.h"
#include "ui/Form.h"
#include "wizard/base/IniAccess.h"
#include "wizard/base/RunOutcome.h"
#include "wizard/base/SetupSession.h"
#include "wizard/base/SilentRun.h"
#include "wizard/base/SingleWizard.h"
#include "wizard/base/StartPrograms.h"
#include "wizard/pages/AnswerReplay.h"
#include "wizard/pages/CopyToServer.h"
#include "wizard/pages/DBTools.h"
#include "wizard/pages/Install.h"
#include "wizard/pages/PageFrame.h"
#include "wizard/pages/SystemPruefung.h"
#include "wizard/pages/TerminalServer.h"
#include "wizard/pages/UpdateNote.h"
#include "wizard/pages/Welcome.h"

namespace {

constexpr const char* kPageNotShown = "Der Setup-Assistent konnte nicht angezeigt werden.";

bool UpdatePrescribed(const SetupSession& session) {
    return text::Upper(session.InstallTypeText) == "UPDATE";
}

// The installer ends the wizard, but only once the installation type page
// has settled what is installed.
WizardStep InstallerOnceDecided(const SetupSession& session) {
    return session.InstallPageShown ? WizardStep::StartInstaller : WizardStep::None;
}

// A new installation or an update; the undecided "new, then update" leads
// nowhere until the installation type page has decided.
bool IsDecided(SetupMode mode) {
    return mode == SetupMode::NewInstallation || mode == SetupMode::Update;
}

// A page on the screen takes its part in recording or replaying answers.
// One that cannot be shown leaves the user on the page he was on, told why
// Next or Back did nothing.
bool Shown(WizardPage& page) {
    SayIfNotShown(page);
    if (!page.IsLoaded()) return false;
    TakeAnswersOn(page);
    return true;
}

}  // namespace

bool SayIfNotShown(const ui::Form& page) {
    if (!page.WindowFailed()) return false;
    messages::Show(MessageKind::Failure, kPageNotShown, Session().WizardTitle,
                   platform::mb::Ok | platform::mb::IconError);
    return true;
}

WizardStep AfterWelcome(const SetupSession& session) {
    return UpdatePrescribed(session) ? WizardStep::InstallationType
                                     : WizardStep::SystemRequirements;
}

WizardStep AfterSystemRequirements(const SetupSession& session) {
    return text::Trim(session.ProgramName).empty() ? WizardStep::InstallationType
                                                   : WizardStep::StartInstallerAndWait;
}


WizardStep AfterInstallationType(const SetupSession& session) {
    if (session.InstallMode == SetupMode::Update) return WizardStep::UpdateNote;
    if (session.InstallMode != SetupMode::NewInstallation) return WizardStep::None;
    switch (session.MachineType) {
        case MachineRole::SinglePc:
            return WizardStep::DatabaseTools;
        case MachineRole::NetworkWorkstation:
            return InstallerOnceDecided(session);
        case MachineRole::DatabaseServer:
            return WizardStep::ServerCopy;
        case MachineRole::TerminalServerWithDatabase:
        case MachineRole::TerminalServerOnly:
            return WizardStep::TerminalServer;
    }
    return WizardStep::None;
}

WizardStep AfterUpdateNote(const SetupSession& session) {
    switch (session.MachineType) {
        case MachineRole::SinglePc:
            return UpdatePrescribed(session) ? WizardStep::StartInstaller
                                             : WizardStep::DatabaseTools;
        case MachineRole::NetworkWorkstation:
            return WizardStep::StartInstaller;
        case MachineRole::DatabaseServer:
            return WizardStep::ServerCopy;
        case MachineRole::TerminalServerWithDatabase:
        case MachineRole::TerminalServerOnly:
            return WizardStep::TerminalServer;
    }
    return WizardStep::None;
}

WizardStep AfterTerminalServer(const SetupSession& session) {
    if (!IsDecided(session.InstallMode)) return WizardStep::None;
    if (session.MachineType == MachineRole::TerminalServerWithDatabase) {
        return WizardStep::ServerCopy;
    }
    if (session.MachineType == MachineRole::TerminalServerOnly) {
        return InstallerOnceDecided(session);
    }
    return WizardStep::None;
}

WizardStep AfterServerCopy(const SetupSession& session) {
    if (session.MachineType == MachineRole::NetworkWorkstation) {
        return InstallerOnceDecided(session);
    }
    return UpdatePrescribed(session) ? WizardStep::StartInstaller : WizardStep::DatabaseTools;
}

WizardStep AfterDatabaseTools(const SetupSession& session) {
    if (!IsKnownRole(session.MachineType)) return WizardStep::None;
    return InstallerOnceDecided(session);
}

WizardStep BeforeSystemRequirements(const SetupSession&) { return WizardStep::Welcome; }

WizardStep BeforeInstallationType(const SetupSession& session) {
    return UpdatePrescribed(session) ? WizardStep::Welcome : WizardStep::SystemRequirements;
}

WizardStep BeforeUpdateNote(const SetupSession&) { return WizardStep::InstallationType; }

WizardStep BeforeTerminalServer(const SetupSession& session) {
    if (!IsTerminalServer(session.MachineType)) return WizardStep::Stay;
    if (session.InstallMode == SetupMode::NewInstallation) return WizardStep::InstallationType;
    if (session.InstallMode == SetupMode::Update) return WizardStep::UpdateNote;
    return WizardStep::Stay;
}

WizardStep BeforeServerCopy(const SetupSession& session) {
    if (!IsDecided(session.InstallMode)) return WizardStep::Stay;
    if (IsTerminalServer(session.MachineType)) return WizardStep::TerminalServer;
    if (session.MachineType != MachineRole::DatabaseServer) return WizardStep::Stay;
    return session.InstallMode == SetupMode::NewInstallation ? WizardStep::InstallationType
                                                             : WizardStep::UpdateNote;
}

WizardStep BeforeDatabaseTools(const SetupSession& session) {
    if (!IsDecided(session.InstallMode)) return WizardStep::Stay;
    if (session.MachineType == MachineRole::SinglePc) {
        return session.InstallMode == SetupMode::NewInstallation ? WizardStep::InstallationType
                                                                 : WizardStep::UpdateNote;
    }
    // The database server and the terminal server that holds the database
    // came here from the server copy page.
    if (HoldsTheDatabase(session.MachineType)) return WizardStep::ServerCopy;
    return WizardStep::Stay;
}

StartedFile HandOverToTheInstaller() {
    // The installer may start a wizard of its own, also while this one
    // waits for it to end.
    ReleaseTheWizardLock();
    LeaveTheRecordToPostSetup();
    StartedFile installer = StartFile(
        ReadIniValue(Session().InstallIniPath, "Application", "RUN", "", kPromptForMedium),
        kPreferServerCopy);
    if (installer.started) {
        NoteInstallerStarted();
    } else {
        TakeTheRecordBack();
    }
    return installer;
}

void StartProductInstaller() {
    HandOverToTheInstaller();
    FinishSetup();
}

bool GoTo(WizardStep step) {
    // A page that cannot be shown (no window to be had) leaves the user on
    // the page he was on: the wizard never runs out of pages while stepping.
    switch (step) {
        case WizardStep::Stay:
            return false;
        case WizardStep::Welcome:
            return Shown(ShowWelcomePage());
        case WizardStep::SystemRequirements:
            return Shown(ShowSystemPruefungPage());
        case WizardStep::InstallationType:
            return Shown(ShowInstallPage());
        case WizardStep::TerminalServer:
            return Shown(ShowTerminalServerPage());
        case WizardStep::UpdateNote:
            return Shown(ShowUpdateNotePage());
        case WizardStep::ServerCopy:
            return Shown(ShowCopyToServerPage());
        case WizardStep::DatabaseTools:
            return Shown(ShowDBToolsPage());
        case WizardStep::StartInstaller:
            StartProductInstaller();
            break;
        // The commercial line's page runs and waits for its installer itself.
        case WizardStep::StartInstallerAndWait:
        case WizardStep::Count:
            break;
        case WizardStep::None:
            // The page closes and the run ends without an installer.
            NoteFailure("no page follows");
            break;
    }
    return true;
}

void PrepareFirstPage() {
    PrepareWelcomePage();
    WhileSetupTypeProgramRuns(ui::MakeWindowsAhead);
}

void ShowFirstPage() {
    // Without a page the program ends at once; it must not just vanish,
    // nor end as if it had done its work.
    if (!Shown(ShowWelcomePage())) NoteFailure("first page");
}
