// The test double of the platform: an in-memory registry, a scripted UI that
// records every message box, recorded program starts, a settable process
// list, services and clock. Files and INI functions stay real.
#pragma once

#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <set>
#include <stdexcept>
#include <tuple>
#include <vector>

#include "platform/Platform.h"

namespace platform {

struct RecordedMessage {
    std::string text;
    std::string caption;
    int style = 0;
};

struct RecordedStart {
    std::string operation;  // "Open" for shell starts, empty for plain command lines
    std::string file;       // the shell's file, or the whole command line
    std::string parameters;
    std::string workingFolder;
    WindowStyle style = WindowStyle::Normal;
};

// Thrown by ExitProgram so that a test sees the program end without ending
// itself. Not a std::exception: as the program's end on Windows, it passes
// every step that skips its failures and every handler of the program.
struct ProgramExit {
    explicit ProgramExit(int code) : exitCode(code) {}
    int exitCode;
};

// A page window that never reaches the screen: it keeps what the renderer
// would show, so a test can look at it.
class FakePageWindow : public gui::PageWindow {
public:
    using Registry = std::vector<FakePageWindow*>;
    FakePageWindow(const gui::WindowView& view, gui::WindowEvents& events,
                   std::shared_ptr<Registry> live);
    ~FakePageWindow() override;
    void UpdateControl(std::size_t index, const gui::ControlView& view) override;
    void SetCaption(const std::string& caption) override;
    void MoveTo(int left, int top) override;
    gui::Rect OuterRect() const override;
    void Show() override;
    void SetEnabled(bool enabled) override;
    void Destroy() override;
    void SetTimer(int timerId, unsigned milliseconds) override;
    void FocusControl(std::size_t index) override;

    gui::WindowView view;
    std::optional<std::size_t> focusedControl;
    bool shown = false, destroyed = false, enabled = true;
    std::map<int, unsigned> timers;  // running timers by id
    gui::WindowEvents& events;

private:
    // The fake's list of windows, which this one leaves as it goes; it may
    // outlive the fake.
    std::shared_ptr<Registry> live_;
};

class FakePlatform : public Platform {
public:
    // --- what a test arranges and inspects -----------------------------------
    void SetRegistry(RegistryRoot root, const std::string& subkey, const std::string& name,
                     RegistryValue value);
    // nullopt when the value does not exist.
    std::optional<RegistryValue> RegistryEntry(RegistryRoot root, const std::string& subkey,
                                               const std::string& name) const;
    std::string RegistryText(RegistryRoot root, const std::string& subkey,
                             const std::string& name) const;
    // Every value as text, by HKLM\subkey\name (subkey and name in lower case).
    std::map<std::string, std::string> RegistrySnapshot() const;
    int registryWrites = 0;
    bool failRegistryWrites = false;

    // Answers to the questions in order, then defaultAnswer; a box with OK
    // alone answers OK.
    std::deque<int> messageAnswers;
    int defaultAnswer = answer::Ok;
    std::vector<RecordedMessage> messages;

    std::deque<std::string> folderPickerAnswers;  // then empty (cancelled)
    std::vector<std::string> folderPickerTitles;

    std::vector<RecordedStart> starts;
    std::intptr_t shellResult = 42;  // > 32 means started
    // How long a program started with ShellStartProgram runs, in the fake's
    // clock; its wait advances the clock and lets the test act.
    unsigned programRunMilliseconds = 0;
    std::uint64_t programWaitedMilliseconds = 0;
    long programExitCode = 0;  // what a started program ends with

    // Machine-wide locks held now, by this or (as a test says) another run.
    std::shared_ptr<std::set<std::string>> heldLocks =
        std::make_shared<std::set<std::string>>();
    int otherInstanceBroughtToFront = 0;
    // Called for every shell start and command line, after it was recorded.
    std::function<void(const RecordedStart&)> onStart;

    std::optional<std::vector<std::string>> processes = std::vector<std::string>{};

    std::map<std::string, int> serviceStates;  // by service name; missing = 0
    std::vector<std::string> serviceStops, serviceStarts;

    std::vector<std::string> comCalls;  // "ProgId.Method"
    bool comAvailable = false;

    std::vector<std::string> systemTypes{"x64-based PC"};
    std::string windowsFolder = "C:\\windows";
    std::string programFilePath = "C:\\Setup\\Paldrix.exe";
    std::string commandLine;
    std::string currentDrive, currentFolder;

    LocalTime now{2026, 12, 7, 11, 2, 0};
    std::uint64_t ticks = 0;
    // Each look at the clock moves it on by this much: the time that work
    // takes which waits for nothing.
    std::uint64_t tickStep = 0;
    std::uint64_t waitedMilliseconds = 0;
    int pumps = 0;
    // Called at every event pump and wait, so a test can act mid-operation.
    std::function<void()> onPump;
    // Called when the program waits for the user's next action (the message
    // loop's next event), after the timers: a scripted user acts here, and
    // answers false once it has nothing left to do (the loop ends as on a quit).
    std::function<bool()> onIdle;
    // With it set, the event the program waits for next (HandleNextEvent)
    // is the tick of the page windows' running timer with the shortest
    // period, the clock moved on by that period: a replay runs by itself.
    bool timersFire = false;

    std::vector<MousePointer> pointers;

    gui::Rect screen{0, 0, 19200, 14400};  // 1280 x 960 pixels at 96 DPI
    int pageWindowsCreated = 0;
    FakePageWindow* lastPageWindow = nullptr;  // valid while its form lives

    // --- Platform -------------------------------------------------------------
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
    bool FireNextTimer();

    std::shared_ptr<FakePageWindow::Registry> windows_ =
        std::make_shared<FakePageWindow::Registry>();
    using Key = std::tuple<RegistryRoot, std::string, std::string>;
    static Key MakeKey(RegistryRoot root, const std::string& subkey, const std::string& name);
    std::map<Key, RegistryValue> registry_;
};

}  // namespace platform
