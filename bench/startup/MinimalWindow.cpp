// The yardstick: the least a Win32 program does to show one window.
// As the floor, it first starts the programs that the wizard starts on its
// way to its first window, in the same order and with the same calls, and
// shows its window after that. The plan comes in the environment variable
// STARTUP_FLOOR, one program a line:
//   start|<program file>|<command line>  a console program as the wizard
//        starts taskkill: a console window of its own, minimised without
//        the focus, not waited for;
//   run|<folder>|<file name>             a program through the shell, hidden,
//        waited for (at most 10 s) with the thread's messages answered, as
//        the wizard runs the setup-type program.
// Without the variable it only shows the window.
#include <windows.h>
// shellapi.h builds on windows.h.
#include <shellapi.h>

#include <string>
#include <vector>

namespace {

LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_DESTROY) {
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

void AnswerMessages() {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

void StartConsoleProgram(const std::wstring& program, std::wstring commandLine) {
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = SW_SHOWMINNOACTIVE;
    PROCESS_INFORMATION process{};
    if (CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                       nullptr, &startup, &process)) {
        CloseHandle(process.hThread);
        CloseHandle(process.hProcess);
    }
}

void RunHidden(const std::wstring& folder, const std::wstring& name) {
    const std::wstring file = L"\"" + name + L"\"";
    SHELLEXECUTEINFOW info{};
    info.cbSize = sizeof(info);
    info.fMask = SEE_MASK_NOCLOSEPROCESS | SEE_MASK_FLAG_NO_UI;
    info.lpVerb = L"Open";
    info.lpFile = file.c_str();
    info.lpDirectory = folder.c_str();
    info.nShow = SW_HIDE;
    if (!ShellExecuteExW(&info) || info.hProcess == nullptr) return;
    const ULONGLONG deadline = GetTickCount64() + 10000;
    for (;;) {
        AnswerMessages();
        const ULONGLONG now = GetTickCount64();
        const DWORD left = now >= deadline ? 0 : static_cast<DWORD>(deadline - now);
        if (MsgWaitForMultipleObjects(1, &info.hProcess, FALSE, left, QS_ALLINPUT) !=
            WAIT_OBJECT_0 + 1) {
            break;  // it ended, the time is up, or the wait failed
        }
    }
    CloseHandle(info.hProcess);
}

std::vector<std::wstring> Split(const std::wstring& text, wchar_t separator, size_t most) {
    std::vector<std::wstring> parts;
    size_t from = 0;
    while (parts.size() + 1 < most) {
        const size_t at = text.find(separator, from);
        if (at == std::wstring::npos) break;
        parts.push_back(text.substr(from, at - from));
        from = at + 1;
    }
    parts.push_back(text.substr(from));
    return parts;
}

void StartThePlannedPrograms() {
    const DWORD size = GetEnvironmentVariableW(L"STARTUP_FLOOR", nullptr, 0);
    if (size == 0) return;
    std::wstring plan(size, L'\0');
    plan.resize(GetEnvironmentVariableW(L"STARTUP_FLOOR", plan.data(), size));
    for (const std::wstring& line : Split(plan, L'\n', std::wstring::npos)) {
        const std::vector<std::wstring> step = Split(line, L'|', 3);
        if (step.size() != 3) continue;
        if (step[0] == L"start") StartConsoleProgram(step[1], step[2]);
        if (step[0] == L"run") RunHidden(step[1], step[2]);
    }
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    StartThePlannedPrograms();
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = Procedure;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = "MinimalWindow";
    RegisterClassA(&windowClass);
    HWND window =
        CreateWindowExA(0, "MinimalWindow", "Minimal Window", WS_OVERLAPPEDWINDOW, CW_USEDEFAULT,
                        CW_USEDEFAULT, 560, 400, nullptr, nullptr, instance, nullptr);
    ShowWindow(window, SW_SHOW);
    UpdateWindow(window);
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return 0;
}
