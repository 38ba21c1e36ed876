// The event pump: the wizard's message loop and the waits that keep the
// windows answering.
#include <windows.h>

#include "platform/Win32Platform.h"
#include "platform/gui/KeyPreview.h"

namespace platform {
namespace {

void DispatchOne(MSG& message) {
    HWND root = message.hwnd != nullptr ? GetAncestor(message.hwnd, GA_ROOT) : nullptr;
    if (root != nullptr && gui::IsUserInput(message.message)) {
        SendMessageW(root, gui::UserInputMessage(), 0, 0);
    }
    if (message.message == WM_KEYDOWN && root != nullptr &&
        SendMessageW(root, gui::KeyPreviewMessage(), message.wParam,
                     reinterpret_cast<LPARAM>(message.hwnd)) != 0) {
        return;
    }
    // Tab, Enter and Esc work in every top-level window as in a dialog.
    if (root != nullptr && IsDialogMessageW(root, &message)) return;
    TranslateMessage(&message);
    DispatchMessageW(&message);
}

}  // namespace

void Win32Platform::PumpEvents() {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
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
    if (GetMessageW(&message, nullptr, 0, 0) <= 0) return false;
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
