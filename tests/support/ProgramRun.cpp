#include "tests/support/ProgramRun.h"

#include <vector>

#include "tests/support/WaitUntil.h"

namespace testing_support {
namespace {

struct Search {
    DWORD processId;
    const std::string* caption;
    const char* windowClass;
    HWND found;
};

BOOL CALLBACK MatchWindow(HWND window, LPARAM parameter) {
    auto* search = reinterpret_cast<Search*>(parameter);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner != search->processId || !IsWindowVisible(window)) return TRUE;
    if (!search->caption->empty() && WindowCaption(window) != *search->caption) return TRUE;
    if (search->windowClass != nullptr) {
        char name[64] = {};
        GetClassNameA(window, name, sizeof(name));
        if (std::string(name) != search->windowClass) return TRUE;
    }
    search->found = window;
    return FALSE;
}

}  // namespace

ProgramRun::ProgramRun(const std::string& program, const std::string& arguments,
                       const std::string& workingFolder) {
    std::string commandLine = "\"" + program + "\" " + arguments;
    STARTUPINFOA startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION info{};
    if (CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                       workingFolder.empty() ? nullptr : workingFolder.c_str(), &startup, &info)) {
        CloseHandle(info.hThread);
        process_ = info.hProcess;
        processId_ = info.dwProcessId;
    }
}

ProgramRun::~ProgramRun() {
    if (process_ == nullptr) return;
    if (WaitForSingleObject(process_, 0) == WAIT_TIMEOUT) {
        TerminateProcess(process_, 99);
        WaitForSingleObject(process_, 5000);
    }
    CloseHandle(process_);
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
    Search search{processId_, &caption, windowClass, nullptr};
    WaitUntil(
        [&] {
            EnumWindows(MatchWindow, reinterpret_cast<LPARAM>(&search));
            return search.found != nullptr;
        },
        milliseconds);
    return search.found;
}

std::string WindowCaption(HWND window) {
    char text[512] = {};
    GetWindowTextA(window, text, sizeof(text));
    return text;
}

std::string MessageBoxText(HWND box) {
    std::vector<char> text(8192, '\0');
    // The message box keeps its text in the static control 0xFFFF.
    GetDlgItemTextA(box, 0xFFFF, text.data(), static_cast<int>(text.size()));
    return text.data();
}

void AnswerMessageBox(HWND box, int button) {
    PostMessageA(box, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED), 0);
    WaitUntil([&] { return !IsWindow(box); }, 5000);
}

}  // namespace testing_support
