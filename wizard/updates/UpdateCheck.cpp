#include "wizard/updates/UpdateCheck.h"

#include <cstddef>
#include <exception>
#include <optional>
#include <utility>

#include "platform/Files.h"
#include "platform/Platform.h"
#include "shared/Messages.h"
#include "shared/RunLog.h"
#include "shared/Text.h"
#include "shared/modRegistry.h"
#include "wizard/base/AnswerFile.h"
#include "wizard/base/ProgramRole.h"
#include "wizard/base/RunOutcome.h"
#include "wizard/base/SetupSession.h"
#include "wizard/base/StartPrograms.h"
#include "wizard/updates/CabFile.h"
#include "wizard/updates/PatchPackage.h"
#include "wizard/updates/PathHelpers.h"
#include "wizard/updates/UpdateMessages.h"

namespace {

constexpr const char* kAssistantCaption = "ZEVRIN Internet-Assistent";
constexpr const char* kToolProcess = "Ubrel.exe";

// The commercial line's installation folder, completed with a backslash;
// empty when none is registered.
std::string InstallationFolder() {
    const std::string folder =
        ReadRegistryValue(RegistryRoot::LocalMachine, kDestinationsKey, "QUENOR").AsText();
    if (text::Trim(folder).empty()) return {};
    return AddBackslash(folder);
}

std::string AssistantFolder(const std::string& installation) {
    return installation + "Internet-Assistent\\";
}

std::string DownloadFolder(const std::string& installation) {
    return AssistantFolder(installation) + "Download\\";
}

// False when the tool could not be started.
bool RunUpdateTool(const std::string& installation) {
    const std::string download = DownloadFolder(installation);
    for (const std::string& name : platform::files::ListAllFiles(download, "*.*").names) {
        platform::files::DeleteFileAt(download + name);
    }
    // Only the files it leaves behind tell how the tool did.
    platform::ShellStartResult started = platform::Current().ShellStartProgram(
        "Open", std::string("\"") + kToolProcess + "\"", "autodownloadex",
        AssistantFolder(installation), platform::WindowStyle::Hidden);
    // The shell reports failures as values up to 32.
    const bool running = started.code > 32;
    WaitForStartedProgram({running, std::move(started.program)}, kToolProcess);
    return running;
}

// An update check that could not be made must not read as "no updates".
bool ReportCheckImpossible(const std::string& why) {
    NoteFailure("update check: " + why);
    messages::Show(MessageKind::Failure, why + " Update-Prüfung nicht möglich!", kAssistantCaption,
                   platform::mb::Ok | platform::mb::IconExclamation);
    return false;
}

// The patch cabinets in the download folder; nullopt when it could not be
// listed (a folder that is not there holds none).
std::optional<std::size_t> CabinetsIn(const std::string& folder) {
    const platform::files::FileListing listing =
        platform::files::ListPlainFiles(AddBackslash(folder), "*.cab");
    if (listing.error != 0 && !listing.NothingThere()) return std::nullopt;
    return listing.names.size();
}

}  // namespace

bool CheckForUpdates(bool localUpdate) {
    const std::string installation = InstallationFolder();
    const bool found = !installation.empty() && FileExists(installation + "ZVTLM.exe") &&
                       FileExists(AssistantFolder(installation) + kToolProcess);
    if (!found) {
        NoteFailure("update assistant not found");
        messages::Show(MessageKind::Failure,
                       "Internet-Assisten nicht gefunden. Update-Prüfung nicht möglich!",
                       kAssistantCaption, platform::mb::Ok | platform::mb::IconExclamation);
        return false;
    }
    if (!localUpdate) {
        bool started = true;
        try {
            started = RunUpdateTool(installation);
        } catch (const std::exception&) {
            // The download is best effort; what arrived is counted below.
        }
        if (!started) return ReportCheckImpossible("Internet-Assistent konnte nicht gestartet werden.");
    }
    const std::optional<std::size_t> cabinets = CabinetsIn(DownloadFolder(installation));
    if (!cabinets) {
        return ReportCheckImpossible("Download-Ordner nicht lesbar (" +
                                     platform::files::ErrorDescription(platform::files::LastError()) +
                                     ").");
    }
    run_log::Write("update-check", {{"installation", installation},
                                    {"local", run_log::YesNo(localUpdate)},
                                    {"cabinets", std::to_string(*cabinets)}});
    if (*cabinets > 0) return true;
    messages::Show(MessageKind::Information, "Keine Updates vorhanden!", kAssistantCaption,
                   platform::mb::Ok | platform::mb::IconInformation);
    return false;
}

bool PrepareUpdate() {
    std::string tempSetup, download;
    try {
        const std::string installation = InstallationFolder();
        // Without it the folders below would be relative to the current
        // folder, and "TmpSetup" there would be deleted.
        if (installation.empty()) {
            ReportUpdateAbort(0, "Installationsverzeichnis nicht gefunden");
            return false;
        }
        download = DownloadFolder(installation);
        tempSetup = installation + "TmpSetup\\";
        Session().UpdateDownloadFolder = download;
        Session().UpdateSetupFolder = installation + "TmpSetup";
        RemoveFolderTree(tempSetup);
    } catch (const std::exception& error) {
        ReportUpdateAbort(0, error.what());
        return false;
    }
    platform::files::CreateOneFolder(tempSetup);
    return ApplyPatchPackage(tempSetup, download);
}

bool RemoveFolderTree(const std::string& folder) {
    std::string path = folder;
    if (!path.empty() && path.back() == '\\') path.pop_back();
    if (!platform::files::FolderExists(path)) return false;
    const bool deleted = platform::files::DeleteFolderTree(path);
    return deleted && !platform::files::FolderExists(path);
}

bool RunUpdateGate() {
    SetupSession& session = Session();
    session.InternetUpdate = false;
    if (CurrentRole() != ProgramRole::InternetUpdate) return true;
    if (!CheckForUpdates(session.LocalUpdate)) return false;
    const char* question = "Es ist ein Update vorhanden! Möchten Sie dieses Update installieren?";
    const int answer = answers::AnsweredQuestion("InternetUpdate", "InstallUpdate", question, [&] {
        return messages::Show(MessageKind::Question, question, kUpdateCaption,
                              platform::mb::YesNo | platform::mb::IconQuestion);
    });
    if (answer == platform::answer::Failed) {
        // No one declined: the question could not be asked.
        NoteFailure("the update question could not be shown");
        return false;
    }
    if (answer != platform::answer::Yes) {
        NoteUserEnded();
        return false;
    }
    session.InternetUpdate = PrepareUpdate();
    run_log::Write("update-applied", {{"applied", run_log::YesNo(session.InternetUpdate)}});
    if (!session.InternetUpdate) NoteFailure("update not applied");
    return session.InternetUpdate;
}
