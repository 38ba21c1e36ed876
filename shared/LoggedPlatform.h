// The platform with a record: every call goes on to the platform underneath
// unchanged, and those that change the machine or ask the user (registry
// writes, program starts, service requests, the folder picker) leave a line
// in the run's record when one is kept. Message boxes leave theirs where
// their kind is known, in shared/Messages.h.
#pragma once

#include "platform/Platform.h"

class LoggedPlatform final : public platform::Platform {
  public:
    explicit LoggedPlatform(platform::Platform& inner) : inner_(inner) {}

    platform::RegistryValue ReadRegistry(platform::RegistryRoot root, const std::string& subkey,
                                         const std::string& valueName) override;
    bool WriteRegistryString(platform::RegistryRoot root, const std::string& subkey,
                             const std::string& valueName, const std::string& data) override;
    std::optional<bool> DeleteRegistryValue(platform::RegistryRoot root, const std::string& subkey,
                                            const std::string& valueName,
                                            std::uint32_t accessMask) override;
    std::intptr_t ShellStart(const std::string& operation, const std::string& file,
                             const std::string& parameters, const std::string& workingFolder,
                             platform::WindowStyle style) override;
    platform::ShellStartResult ShellStartProgram(const std::string& operation,
                                                 const std::string& file,
                                                 const std::string& parameters,
                                                 const std::string& workingFolder,
                                                 platform::WindowStyle style) override;
    bool RunCommandLine(const std::string& commandLine, platform::WindowStyle style) override;
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
    platform::LocalTime Now() override;
    std::uint64_t TickMilliseconds() override;
    void WaitPumpingEvents(unsigned milliseconds) override;
    int ShowMessage(const std::string& text, const std::string& caption, int style) override;
    std::string BrowseForFolder(const std::string& title, std::intptr_t ownerWindow,
                                bool newStyle) override;
    void SetMousePointer(platform::MousePointer pointer) override;
    void PumpEvents() override;
    void ExitProgram(int exitCode) override;
    std::unique_ptr<platform::gui::PageWindow> CreatePageWindow(
        const platform::gui::WindowView& view, platform::gui::WindowEvents& events) override;
    platform::gui::Rect ScreenRect() override;
    bool HandleNextEvent() override;
    std::string FormatShortDate(int year, int month, int day) override;
    std::unique_ptr<platform::InstanceLock> LockMachineWide(const std::string& name) override;
    bool BringOtherInstanceToFront() override;

  private:
    platform::Platform& inner_;
};
