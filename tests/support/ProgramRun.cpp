#include "tests/support/ProgramRun.h"

#include <tlhelp32.h>

#include "platform/TextConversion.h"
#include "tests/support/WaitUntil.h"

namespace testing_support {

using platform::FromWide;
using platform::ToWide;

ProgramRun::ProgramRun(const std::string& program, const std::string& arguments,
                       const std::string& workingFolder) {
    std::wstring commandLine = ToWide("\"" + program + "\" " + arguments);
    const std::wstring folder = ToWide(workingFolder);
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION info{};
    if (CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                       workingFolder.empty() ? nullptr : folder.c_str(), &startup, &info)) {
        CloseHandle(info.hThread);
        process_ = info.hProcess;
        processId_ = info.dwProcessId;
    }
}

ProgramRun::~ProgramRun() {
    if (process_ == nullptr) return;
    if (Running()) {
        TerminateProcess(process_, 99);
        WaitForSingleObject(process_, 5000);
    }
    CloseHandle(process_);
}

bool ProgramRun::Running() const {
    return process_ != nullptr && WaitForSingleObject(process_, 0) == WAIT_TIMEOUT;
}

long ProgramRun::WaitForExit(unsigned milliseconds) {
    if (process_ == nullptr || WaitForSingleObject(process_, milliseconds) != WAIT_OBJECT_0) {
        return -1;
    }
    DWORD code = 0;
    GetExitCodeProcess(process_, &code);
    return static_cast<long>(code);
}

HWND ProgramRun::WaitForWindow(const std::string& caption, const char* windowClass,
                               unsigned milliseconds) const {
    HWND found = nullptr;
    WaitUntil(
        [&] {
            for (HWND window : VisibleWindowsOf(processId_)) {
                if (!caption.empty() && WindowText(window) != caption) continue;
                if (windowClass != nullptr && !HasWindowClass(window, windowClass)) continue;
                found = window;
                return true;
            }
            return false;
        },
        milliseconds);
    return found;
}

std::vector<HWND> VisibleWindowsOf(DWORD processId) {
    struct Listing {
        DWORD processId;
        std::vector<HWND> windows;
    } listing{processId, {}};
    EnumWindows(
        [](HWND window, LPARAM parameter) -> BOOL {
            auto* l = reinterpret_cast<Listing*>(parameter);
            DWORD owner = 0;
            GetWindowThreadProcessId(window, &owner);
            if (owner == l->processId && IsWindowVisible(window)) l->windows.push_back(window);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&listing));
    return listing.windows;
}

VisibleWindowWatch::VisibleWindowWatch(DWORD processId)
    : processId_(processId), watcher_([this] {
          while (!stop_) {
              for (HWND window : VisibleWindowsOf(processId_)) seen_.insert(WindowText(window));
              Sleep(5);
          }
      }) {}

VisibleWindowWatch::~VisibleWindowWatch() { Seen(); }

std::string VisibleWindowWatch::Seen() {
    stop_ = true;
    if (watcher_.joinable()) watcher_.join();
    std::string captions;
    for (const std::string& caption : seen_) captions += "\"" + caption + "\" ";
    return captions;
}

bool ProcessRuns(const std::string& fileName) {
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    if (snapshot == INVALID_HANDLE_VALUE) return false;
    PROCESSENTRY32W entry{};
    entry.dwSize = sizeof(entry);
    bool found = false;
    const std::wstring wanted = ToWide(fileName);
    for (BOOL more = Process32FirstW(snapshot, &entry); more && !found;
         more = Process32NextW(snapshot, &entry)) {
        found = lstrcmpiW(entry.szExeFile, wanted.c_str()) == 0;
    }
    CloseHandle(snapshot);
    return found;
}

bool HasWindowClass(HWND window, const std::string& windowClass) {
    wchar_t name[256] = {};
    return GetClassNameW(window, name, 256) > 0 &&
           lstrcmpiW(name, ToWide(windowClass).c_str()) == 0;
}

std::string WindowText(HWND window) {
    // Asked with the W message: the A one would give the text in this
    // machine's code page, not as the program gave it. GetWindowText would
    // not ask a window of another process at all, and an edit control's text
    // lives with the control.
    DWORD_PTR length = 0;
    if (!SendMessageTimeoutW(window, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, 5000, &length)) {
        return {};
    }
    std::vector<wchar_t> text(length + 1, L'\0');
    DWORD_PTR copied = 0;
    SendMessageTimeoutW(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()),
                        SMTO_ABORTIFHUNG, 5000, &copied);
    return FromWide(text.data());
}

std::string MessageBoxText(HWND box) {
    std::vector<wchar_t> text(8192, L'\0');
    // The message box keeps its text in the static control 0xFFFF.
    GetDlgItemTextW(box, 0xFFFF, text.data(), static_cast<int>(text.size()));
    return FromWide(text.data());
}

void AnswerMessageBox(HWND box, int button) {
    PostMessageW(box, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED), 0);
    WaitUntil([&] { return !IsWindow(box); }, 5000);
}

}  // namespace testing_support
