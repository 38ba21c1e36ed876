// UI services: message boxes, the folder picker, the mouse pointer, the event pump.
#include <windows.h>
// after windows.h, which it needs
#include <shlobj.h>

#include "platform/ComScope.h"
#include "platform/Win32Platform.h"
#include "platform/gui/KeyPreview.h"
#include "platform/gui/ScreenPointer.h"

namespace platform {
namespace {

MousePointer screenPointer = MousePointer::Default;

void DispatchOne(MSG& message) {
    HWND root = message.hwnd != nullptr ? GetAncestor(message.hwnd, GA_ROOT) : nullptr;
    if (message.message == WM_KEYDOWN && root != nullptr &&
        SendMessageA(root, gui::KeyPreviewMessage(), message.wParam,
                     reinterpret_cast<LPARAM>(message.hwnd)) != 0) {
        return;
    }
    // Tab, Enter and Esc work in every top-level window as in a dialog.
    if (root != nullptr && IsDialogMessageA(root, &message)) return;
    TranslateMessage(&message);
    DispatchMessageA(&message);
}

}  // namespace

MousePointer gui::ScreenPointer() { return screenPointer; }

bool gui::ApplyScreenPointer() {
    if (screenPointer != MousePointer::Hourglass) return false;
    SetCursor(LoadCursorA(nullptr, IDC_WAIT));
    return true;
}

int Win32Platform::ShowMessage(const std::string& text, const std::string& caption, int style) {
    return MessageBoxA(GetActiveWindow(), text.c_str(), caption.c_str(),
                       static_cast<UINT>(style) | MB_SETFOREGROUND);
}

std::string Win32Platform::BrowseForFolder(const std::string& title, std::intptr_t ownerWindow,
                                           bool newStyle) {
    ComScope com;
    BROWSEINFOA info{};
    info.hwndOwner = reinterpret_cast<HWND>(ownerWindow);
    info.lpszTitle = title.c_str();
    info.ulFlags = BIF_RETURNONLYFSDIRS | (newStyle ? BIF_NEWDIALOGSTYLE : 0);
    PIDLIST_ABSOLUTE chosen = SHBrowseForFolderA(&info);
    if (chosen == nullptr) return {};
    char path[MAX_PATH] = {};
    SHGetPathFromIDListA(chosen, path);
    CoTaskMemFree(chosen);
    return std::string(path, strnlen(path, MAX_PATH));
}

void Win32Platform::SetMousePointer(MousePointer pointer) {
    screenPointer = pointer;
    SetCursor(LoadCursorA(nullptr, pointer == MousePointer::Hourglass ? IDC_WAIT : IDC_ARROW));
}

void Win32Platform::PumpEvents() {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT) {
            // Leave the quit request for the main loop to see.
            PostQuitMessage(static_cast<int>(message.wParam));
            return;
        }
        DispatchOne(message);
    }
}

bool Win32Platform::HandleNextEvent() {
    MSG message;
    if (GetMessageA(&message, nullptr, 0, 0) <= 0) return false;
    DispatchOne(message);
    return true;
}

void Win32Platform::WaitPumpingEvents(unsigned milliseconds) {
    const ULONGLONG deadline = GetTickCount64() + milliseconds;
    for (;;) {
        PumpEvents();
        ULONGLONG now = GetTickCount64();
        if (now >= deadline) return;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, static_cast<DWORD>(deadline - now),
                                  QS_ALLINPUT);
    }
}

}  // namespace platform
