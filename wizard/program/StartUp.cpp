#include "wizard/program/StartUp.h"

#include <functional>
#include <optional>

#include "platform/Files.h"
#include "platform/Platform.h"
#include "shared/Messages.h"
#include "shared/RunLog.h"
#include "shared/Text.h"
#include "shared/modRegistry.h"
#include "wizard/base/AnswerFile.h"
#include "wizard/base/IniAccess.h"
#include "wizard/base/NoticeForm.h"
#include "wizard/base/ProgramEnd.h"
#include "wizard/base/ProgramRole.h"
#include "wizard/base/RunOutcome.h"
#include "wizard/base/ServerCopyMark.h"
#include "wizard/base/SetupSession.h"
#include "wizard/base/SingleWizard.h"
#include "wizard/base/StartPrograms.h"
#include "wizard/base/SystemQueries.h"
#include "wizard/pages/PageSequence.h"
#include "wizard/program/CommandLine.h"
#include "wizard/services/BackgroundServices.h"
#include "wizard/services/RuntimePrerequisites.h"
#include "wizard/updates/UpdateCheck.h"

namespace {

constexpr const char* kTradesTitle = "ZEVRIN Tolvane Setup-Assistent";
constexpr const char* kCommercialTitle = "ZEVRIN Morvalis Setup-Assistent";

std::string ReadApplicationValue(const std::string& key) {
    return text::Upper(ReadIniValue(Session().InstallIniPath, "Application", key, "",
                                    kPromptForMedium));
}

bool IsCommercialLine() { return !text::Trim(Session().ProgramName).empty(); }

// The update was unpacked below the installation folder, which is the
// program's own folder when the assistant runs from there as installed.
std::string UnpackedUpdateFolder() {
    const SetupSession& session = Session();
    return session.UpdateSetupFolder.empty() ? ProgramFolder() + "\\TmpSetup"
                                             : session.UpdateSetupFolder;
}

// The root named by the AppPath file beside the program. nullopt when there
// is none or it names nothing (empty, or a blank first line): an empty root
// would make every image path relative, so that falls back as a missing
// file does.
std::optional<std::string> RootFromAppPath() {
    const std::string file = ProgramFolder() + "\\AppPath";
    if (!platform::files::FileExists(file)) return std::nullopt;
    // The suite's installers write it in the system's code page.
    const std::optional<std::string> line =
        platform::files::ReadFirstLine(file, platform::files::TextEncoding::AnsiCodePage);
    // An unreadable file leaves the root empty rather than guessing.
    if (!line) return std::string();
    if (text::Trim(*line).empty()) return std::nullopt;
    return line;
}

void DetermineSetupRoot() {
    SetupSession& session = Session();
    session.SetupRoot = RootFromAppPath().value_or(session.InternetUpdate ? UnpackedUpdateFolder()
                                                                          : ProgramFolder());
    session.SetupSourceRoot = session.SetupRoot;
}

// A workstation setup started in a server copy that was never completed
// would install from half an image: it says so and ends before it changes
// anything on the machine.
bool StartedInIncompleteCopy() {
    if (CurrentRole() != ProgramRole::WorkstationSetup) return false;
    DetermineSetupRoot();
    const SetupSession& session = Session();
    std::string incomplete;
    for (const std::string& folder : {ProgramFolder(), session.SetupRoot}) {
        if (incomplete.empty() && server_copy::IsIncomplete(folder)) incomplete = folder;
    }
    if (incomplete.empty()) return false;
    messages::Show(MessageKind::Failure, server_copy::IncompleteMessage(incomplete),
                   session.WizardTitle, platform::mb::Ok | platform::mb::IconError);
    NoteFailure("incomplete server copy " + incomplete);
    return true;
}

void TestForServerImage() {
    SetupSession& session = Session();
    if (CurrentRole() != ProgramRole::MediumSetup) {
        session.StartedFromServerImage = false;
        return;
    }
    const auto& root = session.SetupRoot;
    if (platform::files::FolderExists(root + "\\Shared_Files") &&
        platform::files::FolderExists(root + "\\Setups") &&
        platform::files::FolderExists(root + "\\WSROOT")) {
        session.StartedFromServerImage = true;
    }
}

void StopAppointmentReminder() {
    // The reminder belongs to another program; when it is not installed the
    // calls simply find nothing.
    auto& system = platform::Current();
    system.CallComMethod("ZvTerRemind.ZvTerRemMgr", "KillTask");
    system.RunCommandLine("taskkill /f /t /im ZvTerRemind.exe",
                          platform::WindowStyle::MinimizedNoFocus);
}

void SetImagePaths(const std::string& folderInRoot) {
    SetupSession& session = Session();
    const std::string folder = text::JoinPath(session.SetupRoot, folderInRoot);
    const auto inFolder = [&](const char* name) {
        return folderInRoot.empty() ? text::JoinPath(session.SetupRoot, name)
                                    : text::JoinPath(folder, name);
    };
    session.InstallIniPath = inFolder("Install.ini");
    session.VersionIniPath = inFolder("Version.ini");
    session.RequirementsIniPath = inFolder("Mindestvoraussetzungen.ini");
    // The help document is named relative to the root, not to WSROOT.
    session.HelpFilePath = CanonicalizePath(
        text::JoinPath(session.SetupRoot,
                       ReadIniValue(session.InstallIniPath, "Checklisten", "PaldrixHelp", "",
                                    kPromptForMedium)),
        false);
}

void ReadMachineRole() {
    SetupSession& session = Session();
    const std::string machineText = ReadSuiteValue("SetupMachineType");
    session.MachineType = MachineRoleFromNumber(text::LeadingNumber(machineText));
    session.IsWorkstationSetup = CurrentRole() == ProgramRole::WorkstationSetup;
    if (session.IsWorkstationSetup) {
        // A workstation copy serves single PCs and network workstations only.
        const bool keepsRole = session.MachineType <= MachineRole::NetworkWorkstation &&
                               !text::Trim(machineText).empty();
        if (!keepsRole) session.MachineType = MachineRole::NetworkWorkstation;
        WriteSuiteValue("SelvorLocation", session.SetupRoot);
        WriteSuiteValue("SelvorDestination", "");
        SetImagePaths("");
    } else {
        SetImagePaths("WSROOT");
    }
    session.SavedInstallIniPath = session.InstallIniPath;
}

void RecordBuild() {
    SetupSession& session = Session();
    session.PreviousBuild = ReadSuiteValue("Build");
    session.NewBuild = text::Upper(
        ReadIniValue(session.VersionIniPath, "Common", "Build", "", kPromptForMedium));
    WriteSuiteValue("Build", session.NewBuild);
}

void RecordVersion() {
    SetupSession& session = Session();
    if (IsCommercialLine()) return;
    const std::string version = text::Upper(
        ReadIniValue(session.VersionIniPath, "Common", "Version", "", kPromptForMedium));
    if (session.InstallTypeText == "UPDATE") {
        session.PreviousUpdate = ReadSuiteValue("Update");
        session.NewUpdate = version;
        WriteSuiteValue("Update", version);
        session.StartupReplacedUpdate = true;
    } else {
        session.PreviousRelease = ReadSuiteValue("Release");
        session.NewRelease = version;
        WriteSuiteValue("Release", version);
        session.StartupReplacedRelease = true;
    }
}

void DecideInstallMode() {
    SetupSession& session = Session();
    if (session.InstallTypeText == "NEW") {
        session.InstallMode = SetupMode::NewInstallation;
    } else if (session.InstallTypeText == "UPDATE") {
        session.InstallMode = SetupMode::Update;
    } else if (session.InstallTypeText == "NEWUPDATE") {
        session.InstallMode = SetupMode::NewThenUpdate;
    } else {
        session.InstallTypeText.clear();
    }
}

void DetermineServerSetupFolder() {
    SetupSession& session = Session();
    session.ServerSetupFolder = ReadSuiteValue("SelvorDestination");
    if (session.MachineType == MachineRole::NetworkWorkstation &&
        text::Trim(session.ServerSetupFolder).empty()) {
        session.ServerSetupFolder = text::Trim(ReadSuiteValue("SelvorLocation"));
    }
}

// One step of the sequence, with its outcome in the run's record.
void Step(const char* name, const std::function<void()>& step) {
    const bool done = SkipOnFailure(step);
    run_log::Write("step", {{"name", name}, {"outcome", done ? "done" : "failed"}});
}

// What start-up decided, for whoever reads the record later.
void RecordTheSession() {
    const SetupSession& session = Session();
    run_log::Write("session", {{"setup-root", session.SetupRoot},
                               {"install-type", session.InstallTypeText},
                               {"install-mode", std::to_string(OptionOf(session.InstallMode))},
                               {"machine-type", StoredText(session.MachineType)},
                               {"program", session.ProgramName},
                               {"server-folder", session.ServerSetupFolder}});
}

// A wizard that cannot learn its own file knows neither its role nor its
// image: it says so and ends rather than run as something it is not.
bool ProgramFileUnknown(bool known) {
    if (known) return false;
    NoteFailure("program file");
    messages::Show(MessageKind::Failure,
                   "Der Setup-Assistent konnte seine eigene Programmdatei nicht ermitteln.",
                   kApplicationTitle, platform::mb::Ok | platform::mb::IconError);
    return true;
}

}  // namespace

bool RunStartUpSequence(NoticeForm& notice) {
    SetupSession& session = Session();
    const bool programKnown = !ProgramFile().empty();
    Step("command-line", [] { ParseCommandLine(); });
    if (CommandLineRejected()) return false;  // a silent run without its answers
    if (ProgramFileUnknown(programKnown)) return false;
    if (session.EditInfMode) return false;  // the INF edit has run; no page
    if (!TakeTheWizardLock()) return false;   // another wizard runs
    answers::BeginRun();
    session.WizardTitle = kTradesTitle;
    if (StartedInIncompleteCopy()) return false;
    Step("back-up-dialogs", BackUpNewDialogsIni);
    bool goOn = false;
    Step("update-gate", [&goOn] { goOn = RunUpdateGate(); });
    if (!goOn) return false;  // no update, declined, or not applied
    Step("mfc42loc", DisableMfc42Loc);
    Step("setup-root", DetermineSetupRoot);
    session.ProgramName.clear();
    session.InstallIniPath = text::JoinPath(
        session.SetupRoot,
        CurrentRole() == ProgramRole::WorkstationSetup ? "Install.ini" : "WSROOT\\Install.ini");
    Step("server-image", TestForServerImage);
    Step("program", [] { Session().ProgramName = ReadApplicationValue("Program"); });
    Step("appointment-reminder", StopAppointmentReminder);
    Step("emergency-order-monitor", StopEmergencyOrderMonitor);
    if (!IsCommercialLine()) {
        Step("backup-service", StopBackupService);
        Step("exchange-sync", StopExchangeSyncService);
    }
    session.TlDestination.clear();
    session.QnDestination.clear();
    session.ProgramName.clear();
    // The setup-type program runs twice before the first page; while it
    // runs, the notice and then the first page are made.
    notice.Prepare();
    Step("setup-type", [] { Session().SetupTypeResult = RunSetupTypeHelper(); });
    Step("machine-role", ReadMachineRole);
    Step("product-line", [] {
        Session().ProgramName = ReadApplicationValue("Program");
        if (IsCommercialLine()) Session().WizardTitle = kCommercialTitle;
    });
    Step("install-type", [] { Session().InstallTypeText = ReadApplicationValue("InstallType"); });
    if (session.InstallTypeText != "UPDATE") {
        Step("runtime-packages", [&notice] { InstallRuntimePrerequisites(notice); });
    }
    PrepareFirstPage();
    Step("trades-installation", [] {
        if (HasTradesInstallation()) Session().InstallMode = SetupMode::Update;
    });
    Step("build", RecordBuild);
    Step("install-type", [] { Session().InstallTypeText = ReadApplicationValue("InstallType"); });
    Step("version", RecordVersion);
    DecideInstallMode();
    Step("server-folder", DetermineServerSetupFolder);
    Step("run-entry", [] { RemoveRunEntry(kApplicationTitle); });
    RecordTheSession();
    return true;
}
