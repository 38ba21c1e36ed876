#include "platform/fake/FakePlatform.h"

#include <algorithm>
#include <cctype>
#include <cstdio>

namespace platform {
namespace {

std::string Lower(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
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

RegistryValue FakePlatform::ReadRegistry(RegistryRoot root, const std::string& subkey,
                                         const std::string& valueName) {
    return RegistryEntry(root, subkey, valueName).value_or(RegistryValue());
}

bool FakePlatform::WriteRegistryString(RegistryRoot root, const std::string& subkey,
                                       const std::string& valueName, const std::string& data) {
    if (failRegistryWrites) return false;
    ++registryWrites;
    SetRegistry(root, subkey, valueName, RegistryValue::FromText(data));
    return true;
}

std::optional<bool> FakePlatform::DeleteRegistryValue(RegistryRoot root, const std::string& subkey,
                                                      const std::string& valueName, std::uint32_t) {
    return registry_.erase(MakeKey(root, subkey, valueName)) > 0;
}

std::intptr_t FakePlatform::ShellStart(const std::string& operation, const std::string& file,
                                       const std::string& parameters,
                                       const std::string& workingFolder, WindowStyle style) {
    starts.push_back({operation, file, parameters, workingFolder, style});
    if (onStart) onStart(starts.back());
    return shellResult;
}

namespace {

class FakeStartedProgram final : public StartedProgram {
  public:
    FakeStartedProgram(FakePlatform& fake, unsigned runsFor) : fake_(fake), left_(runsFor) {}

    bool WaitForEnd(unsigned milliseconds) override {
        const unsigned waited = std::min(milliseconds, left_);
        left_ -= waited;
        fake_.ticks += waited;
        fake_.programWaitedMilliseconds += waited;
        fake_.PumpEvents();
        return left_ == 0;
    }

  private:
    FakePlatform& fake_;
    unsigned left_;
};

}  // namespace

ShellStartResult FakePlatform::ShellStartProgram(const std::string& operation,
                                                 const std::string& file,
                                                 const std::string& parameters,
                                                 const std::string& workingFolder,
                                                 WindowStyle style) {
    ShellStartResult result;
    result.code = ShellStart(operation, file, parameters, workingFolder, style);
    if (result.code > 32) {
        result.program = std::make_unique<FakeStartedProgram>(*this, programRunMilliseconds);
    }
    return result;
}

bool FakePlatform::RunCommandLine(const std::string& line, WindowStyle style) {
    starts.push_back({"", line, "", "", style});
    if (onStart) onStart(starts.back());
    return true;
}

std::optional<std::vector<std::string>> FakePlatform::RunningProcessNames() { return processes; }

bool FakePlatform::SetCurrentDrive(const std::string& drive) {
    currentDrive = drive;
    return true;
}

bool FakePlatform::SetCurrentFolder(const std::string& folder) {
    currentFolder = folder;
    return true;
}

bool FakePlatform::CallComMethod(const std::string& progId, const std::string& method) {
    comCalls.push_back(progId + "." + method);
    return comAvailable;
}

int FakePlatform::QueryServiceState(const std::string&, const std::string& service) {
    auto found = serviceStates.find(service);
    return found == serviceStates.end() ? 0 : found->second;
}

void FakePlatform::SendServiceStop(const std::string&, const std::string& service) {
    serviceStops.push_back(service);
    auto found = serviceStates.find(service);
    if (found != serviceStates.end() && found->second == 4) found->second = 3;
}

void FakePlatform::StartServiceNoArguments(const std::string&, const std::string& service) {
    serviceStarts.push_back(service);
    auto found = serviceStates.find(service);
    if (found != serviceStates.end() && found->second == 1) found->second = 2;
}

std::vector<std::string> FakePlatform::ComputerSystemTypes() { return systemTypes; }
std::string FakePlatform::WindowsFolder() { return windowsFolder; }
std::string FakePlatform::ProgramFilePath() { return programFilePath; }
std::string FakePlatform::CommandLineArguments() { return commandLine; }
LocalTime FakePlatform::Now() { return now; }
std::uint64_t FakePlatform::TickMilliseconds() { return ticks; }

void FakePlatform::WaitPumpingEvents(unsigned milliseconds) {
    ticks += milliseconds;
    waitedMilliseconds += milliseconds;
    PumpEvents();
}

int FakePlatform::ShowMessage(const std::string& text, const std::string& caption, int style) {
    messages.push_back({text, caption, style});
    // A box with OK alone asks nothing; the script is for the questions.
    constexpr int kButtons = 0xF;
    if ((style & kButtons) == mb::Ok) return answer::Ok;
    if (messageAnswers.empty()) return defaultAnswer;
    int reply = messageAnswers.front();
    messageAnswers.pop_front();
    return reply;
}

std::string FakePlatform::BrowseForFolder(const std::string& title, std::intptr_t, bool) {
    folderPickerTitles.push_back(title);
    if (folderPickerAnswers.empty()) return {};
    std::string chosen = folderPickerAnswers.front();
    folderPickerAnswers.pop_front();
    return chosen;
}

void FakePlatform::SetMousePointer(MousePointer pointer) { pointers.push_back(pointer); }

void FakePlatform::PumpEvents() {
    ++pumps;
    if (onPump) onPump();
}

void FakePlatform::ExitProgram(int exitCode) { throw ProgramExit(exitCode); }

std::unique_ptr<gui::PageWindow> FakePlatform::CreatePageWindow(const gui::WindowView& view,
                                                                gui::WindowEvents&) {
    ++pageWindowsCreated;
    auto window = std::make_unique<FakePageWindow>(view);
    lastPageWindow = window.get();
    return window;
}

gui::Rect FakePlatform::ScreenRect() { return screen; }

bool FakePlatform::HandleNextEvent() {
    // No user sits at the fake: each event is the test acting through onPump,
    // and without it there is nothing to wait for.
    PumpEvents();
    return static_cast<bool>(onPump);
}

std::string FakePlatform::FormatShortDate(int year, int month, int day) {
    char text[32];
    std::snprintf(text, sizeof(text), "%02d.%02d.%04d", day, month, year);
    return text;
}

FakePageWindow::FakePageWindow(const gui::WindowView& initial) : view(initial) {}

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

}  // namespace platform
