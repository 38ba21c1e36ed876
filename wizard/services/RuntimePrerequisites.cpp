#include "wizard/services/RuntimePrerequisites.h"

#include <exception>
#include <optional>
#include <string>

#include "platform/Files.h"
#include "platform/Platform.h"
#include "shared/RunLog.h"
#include "shared/Text.h"
#include "shared/modRegistry.h"
#include "wizard/base/IniAccess.h"
#include "wizard/base/NoticeForm.h"
#include "wizard/base/RunOutcome.h"
#include "wizard/base/SetupSession.h"
#include "wizard/base/StartPrograms.h"
#include "wizard/base/SystemQueries.h"

namespace {

// Starts the package of one Install.ini section and waits for its process,
// with the hourglass showing.
// Returns the code the package ended with, when the system tells.
std::optional<long> RunRuntimePackage(const char* section) {
    SetupSession& session = Session();
    platform::Platform& ui = platform::Current();
    ui.SetMousePointer(platform::MousePointer::Hourglass);
    const auto command = [&] {
        return ReadIniValue(session.InstallIniPath, section, "RUN", "", kQuiet);
    };
    const StartedFile package = StartFile(command(), kPreferServerCopy);
    session.WaitProcessName = ProcessNameOf(command());
    WaitForStartedProgram(package, session.WaitProcessName);
    ui.SetMousePointer(platform::MousePointer::Hourglass);
    ui.PumpEvents();
    ui.SetMousePointer(platform::MousePointer::Default);
    return RecordEnd(package, section);
}

// A package reports success also when a newer runtime was there already.
bool PackageSucceeded(std::optional<long> code) {
    constexpr long kNewerVersionInstalled = 1638;  // ERROR_PRODUCT_VERSION
    return !code || IsSuccessCode(*code) || *code == kNewerVersionInstalled;
}

// Only presence counts, not the version recorded.
bool IsRuntimePresent(const char* version) {
    const std::string tail = std::string("\\Microsoft\\VisualStudio\\") + version +
                             "\\VC\\Runtimes\\x86";
    for (const std::string& key : {"SOFTWARE\\Wow6432Node" + tail, "SOFTWARE" + tail}) {
        if (!ReadRegistryValue(RegistryRoot::LocalMachine, key, "Version").AsText().empty()) {
            return true;
        }
    }
    return false;
}

// A member that fails ends quietly; the next one still runs.
void RunQuietly(void (*member)()) {
    try {
        member();
    } catch (const std::exception&) {
    }
}

void InstallVcRuntime(const char* version, const char* section) {
    if (IsRuntimePresent(version)) return;
    RunRuntimePackage(section);
    // Its runtime still missing, the package did not do its work.
    const bool present = IsRuntimePresent(version);
    run_log::Write("runtime", {{"version", version}, {"present", run_log::YesNo(present)}});
    if (!present) NoteFailure(std::string("runtime ") + version);
}

}  // namespace

void DisableMfc42Loc() {
    SetupSession& session = Session();
    session.WindowsDirectory = GetWindowsFolder();
    // On 32-bit Windows there is no SysWOW64 and neither file exists.
    const std::string stem = text::JoinPath(session.WindowsDirectory, "SysWOW64\\Mfc42loc");
    const std::string backup = stem + ".dl_";
    const std::string library = stem + ".dll";
    if (FileExists(backup)) platform::files::DeleteFileAt(backup);
    if (platform::files::FileExists(library)) platform::files::MoveFileTo(library, backup);
}

void InstallVcRuntime110x86() { InstallVcRuntime("11.0", "VCRedist110x86"); }
void InstallVcRuntime120x86() { InstallVcRuntime("12.0", "VCRedist120x86"); }
void InstallVcRuntime140x86() { InstallVcRuntime("14.0", "VCRedist140x86"); }
void InstallVcRuntime110x64() { InstallVcRuntime("11.0", "VCRedist110x64"); }
void InstallVcRuntime120x64() { InstallVcRuntime("12.0", "VCRedist120x64"); }

void InstallRuntimePrerequisites(NoticeForm& notice) {
    SetupSession& session = Session();
    session.StartedFromServerImage = false;
    notice.Show();
    RunQuietly([] {
        if (IsFlagSet(ReadRegistryValue(RegistryRoot::LocalMachine, kSuiteKey, "VCRedist2"))) {
            return;
        }
        RunQuietly([] {
            if (!PackageSucceeded(RunRuntimePackage("VCRedist2"))) NoteFailure("VCRedist2");
        });
        // Recorded whatever the package's outcome: it is not offered again.
        WriteSuiteValue("VCRedist2", "1");
        Session().VcRedist2InstalledNow = true;
    });
    RunQuietly(InstallVcRuntime110x86);
    RunQuietly(InstallVcRuntime120x86);
    RunQuietly(InstallVcRuntime140x86);
    // The x64 packages test the same keys as the x86 ones that just ran, so
    // they only have work when one of those is still missing; only then is
    // the answer of the WMI query, the slowest part of this step, needed.
    if ((!IsRuntimePresent("11.0") || !IsRuntimePresent("12.0")) && Is64BitSystem()) {
        RunQuietly(InstallVcRuntime110x64);
        RunQuietly(InstallVcRuntime120x64);
    }
    // Taken down in every case, also when a package failed.
    notice.Unload();
}
