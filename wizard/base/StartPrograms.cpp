#include "wizard/base/StartPrograms.h"

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <exception>
#include <utility>
#include <vector>

#include "platform/Files.h"
#include "platform/Platform.h"
#include "shared/Messages.h"
#include "shared/RunLog.h"
#include "shared/Text.h"
#include "shared/modRegistry.h"
#include "wizard/base/IniAccess.h"
#include "wizard/base/ProgramRole.h"
#include "wizard/base/RunOutcome.h"
#include "wizard/base/ServerCopyMark.h"
#include "wizard/base/SetupSession.h"
#include "wizard/base/SystemQueries.h"

namespace {

constexpr unsigned kProcessPollMilliseconds = 2000;

// Index of the first space outside double quotes, or npos.
size_t SplitPoint(const std::string& commandLine) {
    bool insideQuotes = false;
    for (size_t i = 0; i < commandLine.size(); ++i) {
        if (commandLine[i] == '"') insideQuotes = !insideQuotes;
        if (commandLine[i] == ' ' && !insideQuotes) return i;
    }
    return std::string::npos;
}

std::vector<std::function<void()>>& WorkWhileSetupTypeRuns() {
    static std::vector<std::function<void()>> work;
    return work;
}

void DoWorkWhileSetupTypeRuns() {
    for (const auto& work : std::exchange(WorkWhileSetupTypeRuns(), {})) {
        try {
            work();
        } catch (const std::exception&) {
        }
    }
}

std::string WithTrailingBackslash(std::string folder) {
    if (!text::EndsWith(folder, "\\")) folder += '\\';
    return folder;
}

std::string WithoutTrailingBackslash(std::string folder) {
    if (text::EndsWith(folder, "\\")) folder.pop_back();
    return folder;
}

void ReportFileNotFound(const std::string& fullPath) {
    messages::Show(MessageKind::Failure,
                   "Die Datei \"" + fullPath +
                       "\" konnte nicht gefunden werden.\r\n"
                       "Wechseln Sie gegebenenfalls die CD oder das Verzeichnis!",
                   Session().WizardTitle, platform::mb::Ok | platform::mb::IconExclamation);
}

void ReportStartFailure(const std::string& fullPath, const std::string& specification) {
    std::string message = "Das Programm \"" + fullPath + "\" konnte nicht gestartet werden!";
    if (text::Upper(specification).find(".PDF") != std::string::npos) {
        message += "\r\n\r\nFür PDF-Dateien installieren Sie bitte Acrobat-Reader oder "
                   "ähnliches PDF-Leseprogramm\r\n\r\n";
    }
    messages::Show(MessageKind::Failure, message, Session().WizardTitle,
                   platform::mb::Ok | platform::mb::IconError);
}

// Opens a document, or starts a program and keeps hold of it so that the
// caller can learn how it ended.
StartedFile ShellOpen(const std::string& fullPath, const std::string& specification,
                      const std::string& folder, bool program) {
    auto& shell = platform::Current();
    const std::string file = "\"" + fullPath + "\"";
    const std::string arguments = CommandArguments(specification);
    StartedFile outcome;
    std::intptr_t result = 0;
    if (program) {
        platform::ShellStartResult started =
            shell.ShellStartProgram("Open", file, arguments, folder, platform::WindowStyle::Normal);
        result = started.code;
        outcome.program = std::move(started.program);
    } else {
        result = shell.ShellStart("Open", file, arguments, folder, platform::WindowStyle::Normal);
    }
    // The shell reports failures as values up to 32.
    outcome.started = result > 32;
    return outcome;
}

// The start in the run's record; an installer or package that did not start
// is a failure of the run.
void RecordStart(const std::string& fullPath, const std::string& specification, bool program,
                 const char* result) {
    run_log::Write("start", {{"path", fullPath},
                             {"arguments", CommandArguments(specification)},
                             {"prefer-server-copy", run_log::YesNo(program)},
                             {"result", result}});
    if (program && std::string_view(result) != "started") NoteFailure("start " + fullPath);
}

// Nothing is started from a server copy that is not complete.
void ReportIncompleteCopy(const std::string& folder, const std::string& specification) {
    const std::string path = text::JoinPath(folder, CommandProgramPart(specification));
    RecordStart(path, specification, true, "incomplete-copy");
    messages::Show(MessageKind::Failure, server_copy::IncompleteMessage(folder),
                   Session().WizardTitle, platform::mb::Ok | platform::mb::IconError);
}

// The full path of the program part of a specification, resolved against
// the base folder. Spaces of the base must not end the program part, so they
// are masked while the specification is split.
std::string ResolveProgramPath(const std::string& base, const std::string& specification) {
    std::string full = text::ReplaceAll(base, " ", "%20") + specification;
    full = CommandProgramPart(full);
    return text::ReplaceAll(full, "%20", " ");
}

// SetupType as the setup-type program wrote it: a whole number, else 0.
int ParseSetupType(const std::string& value) {
    std::string trimmed = text::Trim(value);
    if (trimmed.empty()) return 0;
    char* end = nullptr;
    errno = 0;
    long number = std::strtol(trimmed.c_str(), &end, 10);
    // long is 32 bits on Windows: a number beyond it comes back as LONG_MAX
    // with ERANGE, which would pass the range test below.
    if (end == trimmed.c_str() || *end != '\0' || errno == ERANGE || number < INT_MIN ||
        number > INT_MAX) {
        return 0;
    }
    return static_cast<int>(number);
}

// The setup-type program answers through the registry; reading before it
// has written would hand the wizard a previous run's answer. Give it a short
// while to finish, waiting on the program itself with the windows answering.
constexpr unsigned kSetupTypeHelperMaximumMilliseconds = 10000;

}  // namespace

std::string CheckSetupFolder(const std::string& path) {
    if (platform::files::FolderExists(path)) return path;
    std::string chosen = text::Trim(BrowseForFolder(
        "Setup-Dateien unter  '" + path + "'  nicht gefunden", 0, /*newStyle=*/false));
    return chosen.empty() ? path : chosen;
}

namespace {

// After a file test that said no: the system could not tell.
bool TestFailed() {
    const unsigned long error = platform::files::LastError();
    return error != 0 && !platform::files::FileIsMissing(error);
}

}  // namespace

bool FolderMayExist(const std::string& path) {
    return platform::files::FolderExists(path) || TestFailed();
}

bool FileMayExist(const std::string& path) { return platform::files::FileExists(path) || TestFailed(); }

StartedFile StartFile(const std::string& specification, bool preferServerCopy) {
    SetupSession& session = Session();
    std::string base = WithTrailingBackslash(text::Trim(CheckSetupFolder(session.SetupRoot)));
    bool keepServerPath = false;
    if (preferServerCopy && session.ContinueFromServerCopy) {
        // Another copy into the folder may have begun since it was chosen.
        if (server_copy::IsIncomplete(session.ServerSetupFolder)) {
            ReportIncompleteCopy(session.ServerSetupFolder, specification);
            return {};
        }
        base = WithTrailingBackslash(session.ServerSetupFolder);
        keepServerPath = true;
    }
    if (session.StartedFromServerImage) keepServerPath = true;

    const std::string fullPath =
        CanonicalizePath(ResolveProgramPath(base, specification), keepServerPath);
    StartedFile outcome;
    if (!FileExists(fullPath)) {
        RecordStart(fullPath, specification, preferServerCopy, "not-found");
        ReportFileNotFound(fullPath);
        return outcome;
    }
    auto& shell = platform::Current();
    shell.SetCurrentDrive(DriveOf(fullPath));
    shell.SetCurrentFolder(FolderOf(fullPath));
    outcome = ShellOpen(fullPath, specification, WithoutTrailingBackslash(base), preferServerCopy);
    RecordStart(fullPath, specification, preferServerCopy,
                outcome.started ? "started" : "not-started");
    if (!outcome.started) ReportStartFailure(fullPath, specification);
    return outcome;
}

std::optional<long> RecordEnd(const StartedFile& started, std::string_view what) {
    const std::optional<long> code =
        started.program ? started.program->ExitCode() : std::optional<long>();
    run_log::Write("program-ended", {{"what", std::string(what)},
                                     {"code", code ? std::to_string(*code) : "unknown"}});
    return code;
}

std::string CommandProgramPart(const std::string& commandLine) {
    return commandLine.substr(0, SplitPoint(commandLine));
}

std::string CommandArguments(const std::string& commandLine) {
    size_t split = SplitPoint(commandLine);
    return split == std::string::npos ? std::string() : commandLine.substr(split + 1);
}

std::string DriveOf(const std::string& path) {
    size_t colon = path.find(':');
    return colon == std::string::npos ? std::string() : path.substr(0, colon + 1);
}

std::string FolderOf(const std::string& path) {
    size_t last = path.find_last_of("\\:");
    return last == std::string::npos ? std::string() : path.substr(0, last + 1);
}

bool FileExists(const std::string& path) { return platform::files::CanOpenForReading(path); }

bool IsProcessRunning(const std::string& name) {
    // An empty name would match every process and make a wait endless.
    if (name.empty()) return false;
    const auto processes = platform::Current().RunningProcessNames();
    if (!processes) return false;
    const std::string wanted = text::Lower(name);
    // The snapshot holds at most 260 characters of each name.
    for (const std::string& process : *processes) {
        if (text::Lower(process).find(wanted) != std::string::npos) return true;
    }
    return false;
}

void WaitForProcessEnd(const std::string& name) {
    auto& ui = platform::Current();
    while (IsProcessRunning(name)) ui.WaitPumpingEvents(kProcessPollMilliseconds);
    ui.SetMousePointer(platform::MousePointer::Default);
}

void WaitForStartedProgram(const StartedFile& started, const std::string& name) {
    if (!Session().Silent) {
        WaitForProcessEnd(name);
        return;
    }
    // No one can end a wait of a silent run: the name alone may match
    // another program for ever, so the end of the one started ends it too.
    auto& ui = platform::Current();
    while (started.started && IsProcessRunning(name)) {
        if (!started.program) {
            ui.WaitPumpingEvents(kProcessPollMilliseconds);
        } else if (started.program->WaitForEnd(kProcessPollMilliseconds)) {
            break;
        }
    }
    ui.SetMousePointer(platform::MousePointer::Default);
}

std::string ProcessNameOf(const std::string& commandLine) {
    // The process runs under the executable's own file name; a dot in a
    // folder name must not decide it.
    std::string program = CommandProgramPart(text::ReplaceAll(commandLine, "..\\", ""));
    program = text::ReplaceAll(program, "\"", "");
    return program.substr(program.find_last_of("\\/:") + 1);
}

int RunSetupTypeHelper() {
    SetupSession& session = Session();
    const platform::ShellStartResult started = platform::Current().ShellStartProgram(
        "Open", "\"Dravik.exe\"", "", ProgramFolder(), platform::WindowStyle::Hidden);
    if (started.program) {
        DoWorkWhileSetupTypeRuns();
        started.program->WaitForEnd(kSetupTypeHelperMaximumMilliseconds);
    }
    session.TlDestination = ReadSuiteValue("TlDestination");
    return ParseSetupType(ReadSuiteValue("SetupType"));
}

void WhileSetupTypeProgramRuns(std::function<void()> work) {
    WorkWhileSetupTypeRuns().push_back(std::move(work));
}

bool HasTradesInstallation() {
    SetupSession& session = Session();
    session.SetupTypeResult = RunSetupTypeHelper();
    std::string folder;
    switch (session.SetupTypeResult) {
        case 0:
            folder = ReadIniValue("KVIR32.INI", "DESTINATIONS", "TOLVANE", "", kPromptForMedium);
            break;
        case 1:
            folder = ReadIniValue("KVIR32_OLD.INI", "DESTINATIONS", "TOLVANE", "", kPromptForMedium);
            break;
        case 2:
            folder = session.TlDestination;
            if (folder.empty()) {
                folder = ReadIniValue("KVIR32_OLD.INI", "DESTINATIONS", "TOLVANE", "",
                                      kPromptForMedium);
            }
            break;
        default:
            return false;
    }
    return !folder.empty();
}
