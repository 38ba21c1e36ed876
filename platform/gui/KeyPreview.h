// Keys go to a page window before the control that has the focus, as a
// form with key preview sees them: the event pump asks the page with this
// message (wParam the key, lParam the focused window); a non-zero answer
// means the page handled the key. The pump also tells the page of every
// key and mouse button the user presses on it.
#pragma once

#include <windows.h>

namespace platform::gui {

inline UINT KeyPreviewMessage() {
    static const UINT message = RegisterWindowMessageW(L"ZevrinKeyPreview");
    return message;
}

// The event pump tells a page window with this message that the user pressed
// a key or a mouse button on it or one of its controls; other windows ignore it.
inline UINT UserInputMessage() {
    static const UINT message = RegisterWindowMessageW(L"ZevrinUserInput");
    return message;
}

// A key or a mouse button pressed: what a person does, unlike moving the pointer.
inline bool IsUserInput(UINT message) {
    switch (message) {
        case WM_KEYDOWN:
        case WM_SYSKEYDOWN:
        case WM_LBUTTONDOWN:
        case WM_RBUTTONDOWN:
        case WM_MBUTTONDOWN:
        case WM_NCLBUTTONDOWN:
        case WM_NCRBUTTONDOWN:
            return true;
        default:
            return false;
    }
}

}  // namespace platform::gui
