// The seam between the programs' logic and Windows. Everything a test must
// control sits behind this interface; main() installs the Win32 implementation,
// a test installs FakePlatform with a ScopedPlatform guard.
// Files and the INI profile functions are not behind it: tests use them for real.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/PageWindow.h"
#include "platform/RegistryValue.h"

namespace platform {

enum class RegistryRoot { LocalMachine, CurrentUser };

// Window show states, numbered as ShowWindow's SW_* values.
enum class WindowStyle : int {
    Hidden = 0,
    Normal = 1,
    MinimizedFocus = 2,
    MinimizedNoFocus = 7,
};

// Message box style bits, numbered as MessageBox's MB_* values.
namespace mb {
constexpr int Ok = 0x0;
constexpr int YesNo = 0x4;
constexpr int IconError = 0x10;
constexpr int IconQuestion = 0x20;
constexpr int IconExclamation = 0x30;
constexpr int IconInformation = 0x40;
constexpr int DefaultButton2 = 0x100;
}  // namespace mb

// Message box answers, numbered as IDOK, IDYES, IDNO.
namespace answer {
constexpr int Failed = 0;
constexpr int Ok = 1;
constexpr int Yes = 6;
constexpr int No = 7;
}  // namespace answer

enum class MousePointer { Default = 0, Hourglass = 11 };

// A program the shell started, held so that the wizard can wait for its end.
class StartedProgram {
public:
    virtual ~StartedProgram() = default;
    // Waits until the program has ended or `milliseconds` have passed, the
    // windows answering meanwhile; true when it has ended.
    virtual bool WaitForEnd(unsigned milliseconds) = 0;
    // The code the program ended with; nullopt while it runs or when the
    // system cannot tell.
    virtual std::optional<long> ExitCode() = 0;
};

// A machine-wide lock, held until the object goes.
class InstanceLock {
public:
    virtual ~InstanceLock() = default;
};

struct ShellStartResult {
    std::intptr_t code = 0;                   // as ShellStart returns it
    std::unique_ptr<StartedProgram> program;  // none when no process was started
};

struct LocalTime {
    int year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0, millisecond = 0;
};

class Platform {
public:
    virtual ~Platform() = default;

    // --- Registry, always the 32-bit view ---------------------------------
    // Plain open with default access. An unopenable key, a missing value or a
    // value of another type than REG_SZ or REG_DWORD gives an empty value.
    virtual RegistryValue ReadRegistry(RegistryRoot root, const std::string& subkey,
                                       const std::string& valueName) = 0;
    // Creates the key when needed and stores `data` as REG_SZ.
    virtual bool WriteRegistryString(RegistryRoot root, const std::string& subkey,
                                     const std::string& valueName, const std::string& data) = 0;
    // Opens the key with the given access mask and deletes one value.
    // nullopt when the key could not be opened; otherwise whether the delete worked.
    virtual std::optional<bool> DeleteRegistryValue(RegistryRoot root, const std::string& subkey,
                                                    const std::string& valueName,
                                                    std::uint32_t accessMask) = 0;

    // --- Shell and processes ---------------------------------------------
    // ShellExecuteA with the given operation; returns its HINSTANCE value
    // (values of 32 and below are failures).
    virtual std::intptr_t ShellStart(const std::string& operation, const std::string& file,
                                       const std::string& parameters,
                                       const std::string& workingFolder, WindowStyle style) = 0;
    // ShellStart that keeps the started process, so that a wait can follow
    // its handle instead of the process list.
    virtual ShellStartResult ShellStartProgram(const std::string& operation,
                                               const std::string& file,
                                               const std::string& parameters,
                                               const std::string& workingFolder,
                                               WindowStyle style) = 0;
    // Starts a plain command line without waiting; false when it could not start.
    // A program named without a folder comes from the system folder only.
    virtual bool RunCommandLine(const std::string& commandLine, WindowStyle style) = 0;
    // Executable file names of all running processes; nullopt when no
    // snapshot could be taken.
    virtual std::optional<std::vector<std::string>> RunningProcessNames() = 0;
    virtual bool SetCurrentDrive(const std::string& drive) = 0;
    virtual bool SetCurrentFolder(const std::string& folder) = 0;
    // Creates a COM object by ProgID and calls a method without arguments.
    virtual bool CallComMethod(const std::string& progId, const std::string& method) = 0;

    // --- Service control manager ------------------------------------------
    // Current state 1..7 of the service, 0 when it cannot be read.
    virtual int QueryServiceState(const std::string& machine, const std::string& service) = 0;
    // The stop request, and the start without arguments: true when the
    // manager accepted it (the service may still be on its way there).
    virtual bool SendServiceStop(const std::string& machine, const std::string& service) = 0;
    virtual bool StartServiceNoArguments(const std::string& machine,
                                         const std::string& service) = 0;

    // --- System facts -------------------------------------------------------
    // SystemType of every Win32_ComputerSystem object, in query order; on a
    // WMI failure, those read before it (none when nothing was read).
    virtual std::vector<std::string> ComputerSystemTypes() = 0;
    virtual std::string WindowsFolder() = 0;
    // Full path of the running program file.
    virtual std::string ProgramFilePath() = 0;
    // The command line after the program name.
    virtual std::string CommandLineArguments() = 0;

    // --- Clock ------------------------------------------------------------------
    virtual LocalTime Now() = 0;
    virtual std::uint64_t TickMilliseconds() = 0;
    // Waits up to `milliseconds` while still answering window messages.
    virtual void WaitPumpingEvents(unsigned milliseconds) = 0;

    // --- UI services ----------------------------------------------------------
    // MessageBoxA with the style bits; returns the answer (answer::*).
    virtual int ShowMessage(const std::string& text, const std::string& caption, int style) = 0;
    // The shell's folder picker; empty when cancelled.
    virtual std::string BrowseForFolder(const std::string& title, std::intptr_t ownerWindow,
                                        bool newStyle) = 0;
    virtual void SetMousePointer(MousePointer pointer) = 0;
    // Lets pending window events run once (DoEvents).
    virtual void PumpEvents() = 0;
    // Ends the program at once with the given exit code.
    virtual void ExitProgram(int exitCode) = 0;

    // --- Page windows ---------------------------------------------------------
    // A hidden top-level window showing the view; user actions go to `events`.
    virtual std::unique_ptr<gui::PageWindow> CreatePageWindow(const gui::WindowView& view,
                                                              gui::WindowEvents& events) = 0;
    // The primary screen in twips.
    virtual gui::Rect ScreenRect() = 0;
    // Waits for the next window event and handles it; false when the program
    // is asked to quit.
    virtual bool HandleNextEvent() = 0;
    // A date in the user's short date format.
    virtual std::string FormatShortDate(int year, int month, int day) = 0;

    // --- One program at a time ------------------------------------------------
    // Takes the machine-wide lock of this name (a named mutex in the global
    // namespace, so that every session sees it); nullptr when another process
    // holds it.
    virtual std::unique_ptr<InstanceLock> LockMachineWide(const std::string& name) = 0;
    // Brings a page window of another process of this program, in this
    // session, to the front; false when there is none.
    virtual bool BringOtherInstanceToFront() = 0;
};

// The process-wide current platform.
Platform& Current();
void Install(Platform& platform);

// Installs a platform for the lifetime of the guard and restores the previous one.
class ScopedPlatform {
public:
    explicit ScopedPlatform(Platform& platform);
    ~ScopedPlatform();
    ScopedPlatform(const ScopedPlatform&) = delete;
    ScopedPlatform& operator=(const ScopedPlatform&) = delete;

private:
    Platform* previous_;
};

}  // namespace platform
