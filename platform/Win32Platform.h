// The real platform: thin wrappers over Win32, one source file per area; those
// of windows, dialogs, the mouse pointer and the event pump are in platform/gui/.
#pragma once

#include "platform/Platform.h"

namespace platform {

class Win32Platform : public Platform {
  public:
    // Keeps COM initialised (single-threaded apartment) on the creating
    // thread while the platform lives: the shell, the late-bound call and
    // WMI all need it, and each setting it up anew cost a new apartment.
    Win32Platform();
    ~Win32Platform() override;
    Win32Platform(const Win32Platform&) = delete;
    Win32Platform& operator=(const Win32Platform&) = delete;

    RegistryValue ReadRegistry(RegistryRoot root, const std::string& subkey,
                               const std::string& valueName) override;
    bool WriteRegistryString(RegistryRoot root, const std::string& subkey,
                             const std::string& valueName, const std::string& data) override;
    std::optional<bool> DeleteRegistryValue(RegistryRoot root, const std::string& subkey,
                                            const std::string& valueName,
                                            std::uint32_t accessMask) override;

    std::intptr_t ShellStart(const std::string& operation, const std::string& file,
                             const std::string& parameters, const std::string& workingFolder,
                             WindowStyle style) override;
    ShellStartResult ShellStartProgram(const std::string& operation, const std::string& file,
                                       const std::string& parameters,
                                       const std::string& workingFolder,
                                       WindowStyle style) override;
    bool RunCommandLine(const std::string& commandLine, WindowStyle style) override;
    std::optional<std::vector<std::string>> RunningProcessNames() override;
    bool SetCurrentDrive(const std::string& drive) override;
    bool SetCurrentFolder(const std::string& folder) override;
    bool CallComMethod(const std::string& progId, const std::string& method) override;

    int QueryServiceState(const std::string& machine, const std::string& service) override;
    bool SendServiceStop(const std::string& machine, const std::string& service) override;
    bool StartServiceNoArguments(const std::string& machine, const std::string& service) override;

    std::vector<std::string> ComputerSystemTypes() override;
    std::string WindowsFolder() override;
    std::string ProgramFilePath() override;
    std::string CommandLineArguments() override;

    LocalTime Now() override;
    std::uint64_t TickMilliseconds() override;
    void WaitPumpingEvents(unsigned milliseconds) override;

    int ShowMessage(const std::string& text, const std::string& caption, int style) override;
    std::string BrowseForFolder(const std::string& title, std::intptr_t ownerWindow,
                                bool newStyle) override;
    void SetMousePointer(MousePointer pointer) override;
    void PumpEvents() override;
    void ExitProgram(int exitCode) override;

    std::unique_ptr<gui::PageWindow> CreatePageWindow(const gui::WindowView& view,
                                                      gui::WindowEvents& events) override;
    gui::Rect ScreenRect() override;
    bool HandleNextEvent() override;
    std::string FormatShortDate(int year, int month, int day) override;
    std::unique_ptr<InstanceLock> LockMachineWide(const std::string& name) override;
    bool BringOtherInstanceToFront() override;

  private:
    bool comInitialised_ = false;
};

}  // namespace platform
