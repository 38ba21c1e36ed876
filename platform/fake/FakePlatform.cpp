#include "platform/fake/FakePlatform.h"

#include <algorithm>
#include <cctype>
#include <cstdio>

#include "platform/fake/FaultPlan.h"

namespace platform {
namespace {

std::string Lower(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

std::string ValuePath(const std::string& subkey, const std::string& name) {
    return subkey + "\\" + name;
}

}  // namespace

FakePlatform::Key FakePlatform::MakeKey(RegistryRoot root, const std::string& subkey,
                                        const std::string& name) {
    // Registry names are case-insensitive.
    return {root, Lower(subkey), Lower(name)};
}

void FakePlatform::SetRegistry(RegistryRoot root, const std::string& subkey,
                               const std::string& name, RegistryValue value) {
    registry_[MakeKey(root, subkey, name)] = std::move(value);
}

std::optional<RegistryValue> FakePlatform::RegistryEntry(RegistryRoot root,
                                                         const std::string& subkey,
                                                         const std::string& name) const {
    auto found = registry_.find(MakeKey(root, subkey, name));
    if (found == registry_.end()) return std::nullopt;
    return found->second;
}

std::string FakePlatform::RegistryText(RegistryRoot root, const std::string& subkey,
                                       const std::string& name) const {
    auto entry = RegistryEntry(root, subkey, name);
    return entry ? entry->AsText() : std::string();
}

std::map<std::string, std::string> FakePlatform::RegistrySnapshot() const {
    std::map<std::string, std::string> values;
    for (const auto& [key, value] : registry_) {
        const auto& [root, subkey, name] = key;
        const char* rootName = root == RegistryRoot::LocalMachine ? "HKLM\\" : "HKCU\\";
        values[rootName + ValuePath(subkey, name)] = value.AsText();
    }
    return values;
}

RegistryValue FakePlatform::ReadRegistry(RegistryRoot root, const std::string& subkey,
                                         const std::string& valueName) {
    const faults::Call call("ReadRegistry", ValuePath(subkey, valueName), faults::kRegistryRead);
    if (call.Fails()) return {};
    return RegistryEntry(root, subkey, valueName).value_or(RegistryValue());
}

bool FakePlatform::WriteRegistryString(RegistryRoot root, const std::string& subkey,
                                       const std::string& valueName, const std::string& data) {
    const faults::Call call("WriteRegistryString", ValuePath(subkey, valueName),
                            faults::kRegistryWrite);
    if (failRegistryWrites || call.Fails()) return false;
    ++registryWrites;
    SetRegistry(root, subkey, valueName, RegistryValue::FromText(data));
    return true;
}

std::optional<bool> FakePlatform::DeleteRegistryValue(RegistryRoot root, const std::string& subkey,
                                                      const std::string& valueName, std::uint32_t) {
    // A key that cannot be opened, or a value that is not there to delete.
    const faults::Call call("DeleteRegistryValue", ValuePath(subkey, valueName),
                            faults::kRegistryRead);
    if (call.Fails()) {
        if (call.Code() == faults::code::kAccessDenied) return std::nullopt;
        return false;
    }
    return registry_.erase(MakeKey(root, subkey, valueName)) > 0;
}

std::intptr_t FakePlatform::ShellStart(const std::string& operation, const std::string& file,
                                       const std::string& parameters,
                                       const std::string& workingFolder, WindowStyle style) {
    // Nothing starts when the shell fails.
    const faults::Call call("ShellStart", file, faults::kShellStart);
    if (call.Fails()) return static_cast<std::intptr_t>(call.Code());
    starts.push_back({operation, file, parameters, workingFolder, style});
    if (onStart) onStart(starts.back());
    return shellResult;
}

namespace {

class FakeStartedProgram final : public StartedProgram {
  public:
    FakeStartedProgram(FakePlatform& fake, unsigned runsFor, std::string file)
        : fake_(fake), left_(runsFor), file_(std::move(file)) {}

    bool WaitForEnd(unsigned milliseconds) override {
        // A wait that fails returns at once, as if the time were up.
        const faults::Call call("StartedProgram::WaitForEnd", file_, faults::code::kInvalidHandle);
        if (call.Fails()) return false;
        const unsigned waited = std::min(milliseconds, left_);
        left_ -= waited;
        fake_.ticks += waited;
        fake_.programWaitedMilliseconds += waited;
        fake_.PumpEvents();
        return left_ == 0;
    }
    std::optional<long> ExitCode() override {
        const faults::Call call("StartedProgram::ExitCode", file_, faults::code::kAccessDenied);
        if (call.Fails() || left_ != 0) return std::nullopt;
        return fake_.programExitCode;
    }

  private:
    FakePlatform& fake_;
    unsigned left_;
    std::string file_;
};

// It may outlive its fake: the program keeps its lock for the whole run.
class FakeLock final : public InstanceLock {
  public:
    FakeLock(std::shared_ptr<std::set<std::string>> held, std::string name)
        : held_(std::move(held)), name_(std::move(name)) {
        held_->insert(name_);
    }
    ~FakeLock() override { held_->erase(name_); }

  private:
    std::shared_ptr<std::set<std::string>> held_;
    std::string name_;
};

}  // namespace

ShellStartResult FakePlatform::ShellStartProgram(const std::string& operation,
                                                 const std::string& file,
                                                 const std::string& parameters,
                                                 const std::string& workingFolder,
                                                 WindowStyle style) {
    const faults::Call call("ShellStartProgram", file, faults::kShellStart);
    if (call.Fails()) return {static_cast<std::intptr_t>(call.Code()), nullptr};
    ShellStartResult result;
    result.code = ShellStart(operation, file, parameters, workingFolder, style);
    if (result.code > 32) {
        result.program = std::make_unique<FakeStartedProgram>(*this, programRunMilliseconds, file);
    }
    return result;
}

bool FakePlatform::RunCommandLine(const std::string& line, WindowStyle style) {
    const faults::Call call("RunCommandLine", line,
                            {faults::code::kFileNotFound, faults::code::kAccessDenied});
    if (call.Fails()) return false;
    starts.push_back({"", line, "", "", style});
    if (onStart) onStart(starts.back());
    return true;
}

std::optional<std::vector<std::string>> FakePlatform::RunningProcessNames() {
    const faults::Call call("RunningProcessNames", "", faults::code::kNotEnoughMemory);
    if (call.Fails()) return std::nullopt;
    return processes;
}

bool FakePlatform::SetCurrentDrive(const std::string& drive) {
    const faults::Call call("SetCurrentDrive", drive, faults::code::kInvalidDrive);
    if (call.Fails()) return false;
    currentDrive = drive;
    return true;
}

bool FakePlatform::SetCurrentFolder(const std::string& folder) {
    const faults::Call call("SetCurrentFolder", folder,
                            {faults::code::kPathNotFound, faults::code::kAccessDenied});
    if (call.Fails()) return false;
    currentFolder = folder;
    return true;
}

bool FakePlatform::CallComMethod(const std::string& progId, const std::string& method) {
    const faults::Call call("CallComMethod", progId, faults::code::kClassNotRegistered);
    if (call.Fails()) return false;
    comCalls.push_back(progId + "." + method);
    return comAvailable;
}

int FakePlatform::QueryServiceState(const std::string&, const std::string& service) {
    const faults::Call call("QueryServiceState", service,
                            {faults::code::kAccessDenied, faults::code::kServiceDoesNotExist});
    if (call.Fails()) return 0;
    auto found = serviceStates.find(service);
    return found == serviceStates.end() ? 0 : found->second;
}

bool FakePlatform::SendServiceStop(const std::string&, const std::string& service) {
    const faults::Call call("SendServiceStop", service,
                            {faults::code::kAccessDenied, faults::code::kServiceCannotAcceptControl});
    if (call.Fails()) return false;
    serviceStops.push_back(service);
    auto found = serviceStates.find(service);
    if (found != serviceStates.end() && found->second == 4) found->second = 3;
    return true;
}

bool FakePlatform::StartServiceNoArguments(const std::string&, const std::string& service) {
    const faults::Call call("StartServiceNoArguments", service,
                            {faults::code::kAccessDenied, faults::code::kServiceDisabled});
    if (call.Fails()) return false;
    serviceStarts.push_back(service);
    auto found = serviceStates.find(service);
    if (found != serviceStates.end() && found->second == 1) found->second = 2;
    return true;
}

std::vector<std::string> FakePlatform::ComputerSystemTypes() {
    // WMI that cannot be reached reads nothing.
    const faults::Call call("ComputerSystemTypes", "", faults::code::kWmiAccessDenied);
    if (call.Fails()) return {};
    return systemTypes;
}

std::string FakePlatform::WindowsFolder() {
    const faults::Call call("WindowsFolder", "", faults::code::kNotEnoughMemory);
    if (call.Fails()) return {};
    return windowsFolder;
}

std::string FakePlatform::ProgramFilePath() {
    const faults::Call call("ProgramFilePath", "", faults::code::kInsufficientBuffer);
    if (call.Fails()) return {};
    return programFilePath;
}
std::string FakePlatform::CommandLineArguments() { return commandLine; }
LocalTime FakePlatform::Now() { return now; }
std::uint64_t FakePlatform::TickMilliseconds() { return ticks += tickStep; }

void FakePlatform::WaitPumpingEvents(unsigned milliseconds) {
    ticks += milliseconds;
    waitedMilliseconds += milliseconds;
    PumpEvents();
}

int FakePlatform::ShowMessage(const std::string& text, const std::string& caption, int style) {
    // A box that could not be shown was still the program's report; the
    // user's scripted answer waits for the next box.
    const faults::Call call("ShowMessage", text, faults::code::kInvalidWindowHandle);
    messages.push_back({text, caption, style});
    if (call.Fails()) return answer::Failed;
    // A box with OK alone asks nothing; the script is for the questions.
    constexpr int kButtons = 0xF;
    if ((style & kButtons) == mb::Ok) return answer::Ok;
    if (messageAnswers.empty()) return defaultAnswer;
    int reply = messageAnswers.front();
    messageAnswers.pop_front();
    return reply;
}

std::string FakePlatform::BrowseForFolder(const std::string& title, std::intptr_t, bool) {
    const faults::Call call("BrowseForFolder", title, faults::code::kNoSystemResources);
    folderPickerTitles.push_back(title);
    if (call.Fails()) return {};
    if (folderPickerAnswers.empty()) return {};
    std::string chosen = folderPickerAnswers.front();
    folderPickerAnswers.pop_front();
    return chosen;
}

void FakePlatform::SetMousePointer(MousePointer pointer) { pointers.push_back(pointer); }

void FakePlatform::PumpEvents() {
    faults::Step();
    ++pumps;
    if (onPump) onPump();
}

void FakePlatform::ExitProgram(int exitCode) { throw ProgramExit(exitCode); }

std::unique_ptr<gui::PageWindow> FakePlatform::CreatePageWindow(const gui::WindowView& view,
                                                                gui::WindowEvents& events) {
    const faults::Call call("CreatePageWindow", view.caption, faults::code::kNoSystemResources);
    if (call.Fails()) return nullptr;
    ++pageWindowsCreated;
    auto window = std::make_unique<FakePageWindow>(view, events, windows_);
    lastPageWindow = window.get();
    return window;
}

gui::Rect FakePlatform::ScreenRect() {
    const faults::Call call("ScreenRect", "", faults::code::kInvalidWindowHandle);
    if (call.Fails()) return {};
    return screen;
}

bool FakePlatform::HandleNextEvent() {
    // No user sits at the fake: each event is the test acting through onPump,
    // or a window's timer, and without them there is nothing to wait for.
    PumpEvents();
    if (timersFire && FireNextTimer()) return true;
    if (onIdle) return onIdle();
    return static_cast<bool>(onPump);
}

bool FakePlatform::FireNextTimer() {
    FakePageWindow* window = nullptr;
    int id = 0;
    unsigned period = 0;
    for (FakePageWindow* candidate : *windows_) {
        for (const auto& [timer, milliseconds] : candidate->timers) {
            if (window == nullptr || milliseconds < period) {
                window = candidate;
                id = timer;
                period = milliseconds;
            }
        }
    }
    if (window == nullptr) return false;
    ticks += period;
    window->events.OnTimer(id);
    return true;
}

std::string FakePlatform::FormatShortDate(int year, int month, int day) {
    const faults::Call call("FormatShortDate", "", faults::code::kInvalidParameter);
    if (call.Fails()) return {};
    char text[32];
    std::snprintf(text, sizeof(text), "%02d.%02d.%04d", day, month, year);
    return text;
}

FakePageWindow::FakePageWindow(const gui::WindowView& initial, gui::WindowEvents& windowEvents,
                               std::shared_ptr<Registry> live)
    : view(initial), events(windowEvents), live_(std::move(live)) {
    live_->push_back(this);
}

FakePageWindow::~FakePageWindow() { std::erase(*live_, this); }

void FakePageWindow::UpdateControl(std::size_t index, const gui::ControlView& control) {
    if (index < view.controls.size()) view.controls[index] = control;
}

void FakePageWindow::SetCaption(const std::string& caption) { view.caption = caption; }

void FakePageWindow::MoveTo(int left, int top) {
    view.left = left;
    view.top = top;
}

gui::Rect FakePageWindow::OuterRect() const {
    // The fake has no frame: outer and client size are the same.
    return {view.left, view.top, view.clientWidth, view.clientHeight};
}

void FakePageWindow::Show() { shown = true; }

void FakePageWindow::SetEnabled(bool on) { enabled = on; }

void FakePageWindow::Destroy() {
    destroyed = true;
    timers.clear();
}

void FakePageWindow::SetTimer(int timerId, unsigned milliseconds) {
    if (milliseconds == 0) {
        timers.erase(timerId);
    } else {
        timers[timerId] = milliseconds;
    }
}

void FakePageWindow::FocusControl(std::size_t index) { focusedControl = index; }

std::unique_ptr<InstanceLock> FakePlatform::LockMachineWide(const std::string& name) {
    const faults::Call call("LockMachineWide", name, faults::code::kAccessDenied);
    if (call.Fails() || heldLocks->count(name) != 0) return nullptr;
    return std::make_unique<FakeLock>(heldLocks, name);
}

bool FakePlatform::BringOtherInstanceToFront() {
    const faults::Call call("BringOtherInstanceToFront", "", faults::code::kInvalidWindowHandle);
    if (call.Fails()) return false;
    ++otherInstanceBroughtToFront;
    return true;
}

}  // namespace platform
