#include "shared/LoggedPlatform.h"

#include <string>

#include "shared/RunLog.h"

using namespace platform;

namespace {

std::string RootName(RegistryRoot root) {
    return root == RegistryRoot::LocalMachine ? "HKLM" : "HKCU";
}

std::string Number(long long value) { return std::to_string(value); }

}  // namespace

RegistryValue LoggedPlatform::ReadRegistry(RegistryRoot root, const std::string& subkey,
                                           const std::string& valueName) {
    return inner_.ReadRegistry(root, subkey, valueName);
}

bool LoggedPlatform::WriteRegistryString(RegistryRoot root, const std::string& subkey,
                                         const std::string& valueName, const std::string& data) {
    const bool written = inner_.WriteRegistryString(root, subkey, valueName, data);
    run_log::Write("registry-write", {{"key", RootName(root) + "\\" + subkey},
                                      {"name", valueName},
                                      {"value", data},
                                      {"written", run_log::YesNo(written)}});
    return written;
}

std::optional<bool> LoggedPlatform::DeleteRegistryValue(RegistryRoot root,
                                                        const std::string& subkey,
                                                        const std::string& valueName,
                                                        std::uint32_t accessMask) {
    const std::optional<bool> deleted =
        inner_.DeleteRegistryValue(root, subkey, valueName, accessMask);
    run_log::Write("registry-delete", {{"key", RootName(root) + "\\" + subkey},
                                       {"name", valueName},
                                       {"deleted", run_log::YesNo(deleted.value_or(false))}});
    return deleted;
}

std::intptr_t LoggedPlatform::ShellStart(const std::string& operation, const std::string& file,
                                         const std::string& parameters,
                                         const std::string& workingFolder, WindowStyle style) {
    const std::intptr_t code = inner_.ShellStart(operation, file, parameters, workingFolder, style);
    run_log::Write("shell-start", {{"file", file},
                                   {"arguments", parameters},
                                   {"folder", workingFolder},
                                   {"result", Number(code)}});
    return code;
}

ShellStartResult LoggedPlatform::ShellStartProgram(const std::string& operation,
                                                   const std::string& file,
                                                   const std::string& parameters,
                                                   const std::string& workingFolder,
                                                   WindowStyle style) {
    ShellStartResult result =
        inner_.ShellStartProgram(operation, file, parameters, workingFolder, style);
    run_log::Write("shell-start", {{"file", file},
                                   {"arguments", parameters},
                                   {"folder", workingFolder},
                                   {"result", Number(result.code)}});
    return result;
}

bool LoggedPlatform::RunCommandLine(const std::string& commandLine, WindowStyle style) {
    const bool started = inner_.RunCommandLine(commandLine, style);
    run_log::Write("command", {{"line", commandLine}, {"started", run_log::YesNo(started)}});
    return started;
}

std::optional<std::vector<std::string>> LoggedPlatform::RunningProcessNames() {
    return inner_.RunningProcessNames();
}

bool LoggedPlatform::SetCurrentDrive(const std::string& drive) {
    return inner_.SetCurrentDrive(drive);
}

bool LoggedPlatform::SetCurrentFolder(const std::string& folder) {
    return inner_.SetCurrentFolder(folder);
}

bool LoggedPlatform::CallComMethod(const std::string& progId, const std::string& method) {
    const bool called = inner_.CallComMethod(progId, method);
    run_log::Write("com-call", {{"object", progId},
                                {"method", method},
                                {"called", run_log::YesNo(called)}});
    return called;
}

int LoggedPlatform::QueryServiceState(const std::string& machine, const std::string& service) {
    const int state = inner_.QueryServiceState(machine, service);
    run_log::Write("service-query", {{"service", service}, {"state", Number(state)}});
    return state;
}

bool LoggedPlatform::SendServiceStop(const std::string& machine, const std::string& service) {
    const bool accepted = inner_.SendServiceStop(machine, service);
    run_log::Write("service-stop", {{"service", service}, {"accepted", run_log::YesNo(accepted)}});
    return accepted;
}

bool LoggedPlatform::StartServiceNoArguments(const std::string& machine,
                                             const std::string& service) {
    const bool accepted = inner_.StartServiceNoArguments(machine, service);
    run_log::Write("service-start", {{"service", service}, {"accepted", run_log::YesNo(accepted)}});
    return accepted;
}

std::vector<std::string> LoggedPlatform::ComputerSystemTypes() {
    return inner_.ComputerSystemTypes();
}

std::string LoggedPlatform::WindowsFolder() { return inner_.WindowsFolder(); }

std::string LoggedPlatform::ProgramFilePath() { return inner_.ProgramFilePath(); }

std::string LoggedPlatform::CommandLineArguments() { return inner_.CommandLineArguments(); }

LocalTime LoggedPlatform::Now() { return inner_.Now(); }

std::uint64_t LoggedPlatform::TickMilliseconds() { return inner_.TickMilliseconds(); }

void LoggedPlatform::WaitPumpingEvents(unsigned milliseconds) {
    inner_.WaitPumpingEvents(milliseconds);
}

// Boxes are recorded with their kind where it is known (shared/Messages.h).
int LoggedPlatform::ShowMessage(const std::string& text, const std::string& caption, int style) {
    return inner_.ShowMessage(text, caption, style);
}

std::string LoggedPlatform::BrowseForFolder(const std::string& title, std::intptr_t ownerWindow,
                                            bool newStyle) {
    const std::string chosen = inner_.BrowseForFolder(title, ownerWindow, newStyle);
    run_log::Write("folder-picker", {{"title", title}, {"chosen", chosen}});
    return chosen;
}

void LoggedPlatform::SetMousePointer(MousePointer pointer) { inner_.SetMousePointer(pointer); }

void LoggedPlatform::PumpEvents() { inner_.PumpEvents(); }

void LoggedPlatform::ExitProgram(int exitCode) { inner_.ExitProgram(exitCode); }

std::unique_ptr<gui::PageWindow> LoggedPlatform::CreatePageWindow(const gui::WindowView& view,
                                                                  gui::WindowEvents& events) {
    return inner_.CreatePageWindow(view, events);
}

gui::Rect LoggedPlatform::ScreenRect() { return inner_.ScreenRect(); }

bool LoggedPlatform::HandleNextEvent() { return inner_.HandleNextEvent(); }

std::string LoggedPlatform::FormatShortDate(int year, int month, int day) {
    return inner_.FormatShortDate(year, month, day);
}

std::unique_ptr<InstanceLock> LoggedPlatform::LockMachineWide(const std::string& name) {
    return inner_.LockMachineWide(name);
}

bool LoggedPlatform::BringOtherInstanceToFront() { return inner_.BringOtherInstanceToFront(); }
