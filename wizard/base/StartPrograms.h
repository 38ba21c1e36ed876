// Starting documents and programs of the setup image, and waiting for them.
#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "platform/Platform.h"

inline constexpr bool kPreferServerCopy = true;  // installers and runtime packages
inline constexpr bool kDocument = false;         // help and notes documents

// What StartFile did.
struct StartedFile {
    bool started = false;
    // The program started, for installers and packages, when the system
    // tells which it is; its exit code is there once it has ended.
    std::unique_ptr<platform::StartedProgram> program;
};

// Resolves a file specification ("WSROOT\x.exe /s") against the setup image
// and opens or starts it through the shell; reports failures itself. An
// installer or package that cannot be started is a failure of the run.
StartedFile StartFile(const std::string& specification, bool preferServerCopy);
// After the wait for a started program: how it ended, in the run's record
// as `what`; nullopt when it did not start or the system cannot tell.
std::optional<long> RecordEnd(const StartedFile& started, std::string_view what);
// The command line up to its first space outside double quotes.
std::string CommandProgramPart(const std::string& commandLine);
// The command line after that space; empty when there is none.
std::string CommandArguments(const std::string& commandLine);
// Text up to and including the first ":"; empty without one.
std::string DriveOf(const std::string& path);
// Text up to and including the last "\" or ":"; empty without either.
std::string FolderOf(const std::string& path);
// True when the file can be opened for reading.
bool FileExists(const std::string& path);
// True when a running process's file name contains `name` (case-insensitive).
bool IsProcessRunning(const std::string& name);
// Returns when no such process runs any more, polling every 2000 ms while
// the windows keep answering.
void WaitForProcessEnd(const std::string& name);
// The wait for a program StartFile started, by the name it runs under, as
// above. A silent run never waits for a program that did not start, and
// its wait ends also when the program it started has ended.
void WaitForStartedProgram(const StartedFile& started, const std::string& name);
// The executable file name a started command line runs under.
std::string ProcessNameOf(const std::string& commandLine);
// Starts Dravik.exe and reads SetupType/TlDestination back from the registry.
int RunSetupTypeHelper();
// Work that may wait until the setup-type program runs next: done while
// the wizard waits for that program, not on the way to the next window.
// Failures of the work are left to the one who needs its result.
void WhileSetupTypeProgramRuns(std::function<void()> work);
// True when an installation folder of the trades line is known.
bool HasTradesInstallation();
// The setup image folder when it exists, else the folder the user picks.
std::string CheckSetupFolder(const std::string& path);
// True when the folder (or file) is there, or when the system cannot tell
// (no rights, the share gone): a step must not take for missing what may be
// there, and overwrite it unasked or leave it unedited without a word.
bool FolderMayExist(const std::string& path);
bool FileMayExist(const std::string& path);
