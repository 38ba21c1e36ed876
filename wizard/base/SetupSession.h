// The one record of a wizard run, shared by every page and procedure.
// It lives from program start to end and is never persisted except through
// registry values.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/Platform.h"
#include "wizard/base/Roles.h"

struct SetupSession {
    int PageLeft = 0, PageTop = 0;  // twips; 0 = not set
    std::string WizardTitle;
    std::string SetupRoot;
    std::string SetupSourceRoot;
    std::string InstallIniPath;
    std::string SavedInstallIniPath;
    std::string VersionIniPath;
    std::string RequirementsIniPath;
    std::string HelpFilePath;
    SetupMode InstallMode = SetupMode::NewInstallation;
    std::string InstallTypeText;  // "NEW", "UPDATE", "NEWUPDATE" or empty
    MachineRole MachineType = MachineRole::SinglePc;
    std::string ProgramName;  // empty: trades line; otherwise the commercial line
    bool IsWorkstationSetup = false;
    bool StartedFromServerImage = false;
    bool InternetUpdate = false;
    bool LocalUpdate = false;
    bool EditInfMode = false;
    std::string ServerSetupFolder;
    bool ContinueFromServerCopy = false;
    bool CopyCancelled = false;
    bool InstallPageShown = false;
    std::string PreviousBuild, NewBuild;
    std::string PreviousRelease, NewRelease;
    std::string PreviousUpdate, NewUpdate;
    // Which of Update/Release start-up replaced, so that an abandoned run
    // restores exactly that one.
    bool StartupReplacedUpdate = false;
    bool StartupReplacedRelease = false;
    int SetupTypeResult = 0;
    std::string TlDestination, QnDestination;
    bool MonitorWasStopped = false;
    std::string WaitProcessName;
    std::string WindowsDirectory;
    std::vector<std::string> VersionFolders;
    std::string UpdateDownloadFolder;
    // Where the accepted update was unpacked (without a trailing backslash);
    // the run goes on from there.
    std::string UpdateSetupFolder;
    bool VcRedist2InstalledNow = false;
    // Options for rolling the suite out: the run's record, and the file the
    // choices are written to or replayed from (empty: not asked for).
    std::string LogFile;
    std::string SaveAnswersFile;
    std::string AnswersFile;
    // The replay of AnswersFile has ended for good: the user took over, or
    // the file did not fit a page.
    bool ReplayStopped = false;
    // An answer could not be stored; the person recording was told.
    bool AnswersNotSaved = false;
    // The program's own file, once the system has told it (ProgramRole.h).
    std::string ProgramPath;
    // -SILENT: no one is at the screen (SilentRun.h).
    bool Silent = false;
    // How the run ends so far (RunOutcome.h): a failure it has not gone past,
    // and the exit code an event at its end decided.
    bool FailureToReport = false;
    std::optional<int> ExitCode;
    // The machine-wide lock of the one wizard at a time (SingleWizard.h).
    std::shared_ptr<platform::InstanceLock> WizardLock;
};

// The process-wide session.
SetupSession& Session();
// Starts a fresh run (tests): a run with windows and boxes; the program
// itself never resets it.
void ResetSession();
