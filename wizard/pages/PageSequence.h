// Which page follows which: the one place that knows the wizard's page table,
// forward and back. Each choice is a small function of the session, so that
// the whole table can be tested apart from the pages; GoTo then acts on it.
#pragma once

#include <array>
#include <cstddef>
#include <string_view>

#include "wizard/base/StartPrograms.h"

struct SetupSession;
namespace ui {
class Form;
}

enum class WizardStep {
    Stay,  // no page follows: the current page stays (Back without a target)
    None,  // no page follows: the current page closes
    Welcome,
    SystemRequirements,
    InstallationType,
    TerminalServer,
    UpdateNote,
    ServerCopy,
    DatabaseTools,
    StartInstaller,         // start the product installer, then end the wizard
    StartInstallerAndWait,  // the commercial line: the page runs its installer to the end
    Count
};

inline constexpr std::array<std::string_view, static_cast<std::size_t>(WizardStep::Count)>
    kWizardStepNames{"Stay",    "None",           "Welcome",           "SystemPruefung",
                     "Install", "TerminalServer", "UpdateNote",        "CopyToServer",
                     "DBTools", "installer",      "installer and wait"};
static_assert(kWizardStepNames.size() == static_cast<std::size_t>(WizardStep::Count));

// Forward.
WizardStep AfterWelcome(const SetupSession& session);
WizardStep AfterSystemRequirements(const SetupSession& session);
WizardStep AfterInstallationType(const SetupSession& session);
WizardStep AfterUpdateNote(const SetupSession& session);
WizardStep AfterTerminalServer(const SetupSession& session);
WizardStep AfterServerCopy(const SetupSession& session);
WizardStep AfterDatabaseTools(const SetupSession& session);

// Back.
WizardStep BeforeSystemRequirements(const SetupSession& session);
WizardStep BeforeInstallationType(const SetupSession& session);
WizardStep BeforeUpdateNote(const SetupSession& session);
WizardStep BeforeTerminalServer(const SetupSession& session);
WizardStep BeforeServerCopy(const SetupSession& session);
WizardStep BeforeDatabaseTools(const SetupSession& session);

// Shows the page of the step (modeless, where the last page was left), or
// starts the product installer and ends the wizard. False for Stay, and when
// the page could not be shown, which tells the calling page to remain; every
// other step lets it close.
bool GoTo(WizardStep step);

// Says that the page could not be shown (its window could not be made), so
// that a person learns why Next or Back did nothing or a page never came;
// true when it was not shown.
bool SayIfNotShown(const ui::Form& page);

// Makes the Welcome page now, its window while the setup-type program runs
// next, so that ShowFirstPage only fills and shows it.
void PrepareFirstPage();
// Shows the Welcome page, the first of a run; when it cannot be shown, says so.
void ShowFirstPage();

// The product installer of Install.ini [Application] RUN, from the server
// copy when the setup goes on from there: the machine given up to it first.
StartedFile HandOverToTheInstaller();
// The same, then the wizard ends.
void StartProductInstaller();
