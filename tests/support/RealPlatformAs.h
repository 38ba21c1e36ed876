// The real platform in every respect but the program's own file path and
// command line, so that a test program can run logic in the role another
// program file name selects.
#pragma once

#include <string>

#include "platform/Win32Platform.h"

namespace testing_support {

class RealPlatformAs final : public platform::Platform {
public:
    RealPlatformAs(std::string programFilePath, std::string commandLine)
        : programFilePath_(std::move(programFilePath)), commandLine_(std::move(commandLine)) {}

    std::string ProgramFilePath() override { return programFilePath_; }
    std::string CommandLineArguments() override { return commandLine_; }

    platform::RegistryValue ReadRegistry(platform::RegistryRoot root, const std::string& subkey,
                                         const std::string& name) override {
        return real_.ReadRegistry(root, subkey, name);
    }
    bool WriteRegistryString(platform::RegistryRoot root, const std::string& subkey,
                             const std::string& name, const std::string& data) override {
        return real_.WriteRegistryString(root, subkey, name, data);
    }
    std::optional<bool> DeleteRegistryValue(platform::RegistryRoot root, const std::string& subkey,
                                            const std::string& name,
                                            std::uint32_t accessMask) override {
        return real_.DeleteRegistryValue(root, subkey, name, accessMask);
    }
    std::intptr_t ShellStart(const std::string& operation, const std::string& file,
                             const std::string& parameters, const std::string& workingFolder,
                             platform::WindowStyle style) override {
        return real_.ShellStart(operation, file, parameters, workingFolder, style);
    }
    bool RunCommandLine(const std::string& commandLine, platform::WindowStyle style) override {
        return real_.RunCommandLine(commandLine, style);
    }
    std::optional<std::vector<std::string>> RunningProcessNames() override {
        return real_.RunningProcessNames();
    }
    bool SetCurrentDrive(const std::string& drive) override { return real_.SetCurrentDrive(drive); }
    bool SetCurrentFolder(const std::string& folder) override {
        return real_.SetCurrentFolder(folder);
    }
    bool CallComMethod(const std::string& progId, const std::string& method) override {
        return real_.CallComMethod(progId, method);
    }
    int QueryServiceState(const std::string& machine, const std::string& service) override {
        return real_.QueryServiceState(machine, service);
    }
    void SendServiceStop(const std::string& machine, const std::string& service) override {
        real_.SendServiceStop(machine, service);
    }
    void StartServiceNoArguments(const std::string& machine, const std::string& service) override {
        real_.StartServiceNoArguments(machine, service);
    }
    std::vector<std::string> ComputerSystemTypes() override { return real_.ComputerSystemTypes(); }
    std::string WindowsFolder() override { return real_.WindowsFolder(); }
    platform::LocalTime Now() override { return real_.Now(); }
    std::uint64_t TickMilliseconds() override { return real_.TickMilliseconds(); }
    void WaitPumpingEvents(unsigned milliseconds) override {
        real_.WaitPumpingEvents(milliseconds);
    }
    int ShowMessage(const std::string& text, const std::string& caption, int style) override {
        return real_.ShowMessage(text, caption, style);
    }
    std::string BrowseForFolder(const std::string& title, std::intptr_t owner,
                                bool newStyle) override {
        return real_.BrowseForFolder(title, owner, newStyle);
    }
    void SetMousePointer(platform::MousePointer pointer) override {
        real_.SetMousePointer(pointer);
    }
    void PumpEvents() override { real_.PumpEvents(); }
    void ExitProgram(int exitCode) override { real_.ExitProgram(exitCode); }

private:
    platform::Win32Platform real_;
    std::string programFilePath_;
    std::string commandLine_;
};

}  // namespace testing_support
