// Keys go to a page window before the control that has the focus, as a
// form with key preview sees them: the event pump asks the page with this
// message (wParam the key, lParam the focused window); a non-zero answer
// means the page handled the key.
#pragma once

#include <windows.h>

namespace platform::gui {

inline UINT KeyPreviewMessage() {
    static const UINT message = RegisterWindowMessageA("ZevrinKeyPreview");
    return message;
}

}  // namespace platform::gui
