// The one table that maps a control kind to its window class and styles.
#pragma once

#include <windows.h>

#include "platform/PageWindow.h"

namespace platform::gui {

struct ControlClass {
    const wchar_t* windowClass;  // nullptr: painted by the page window itself
    DWORD style;
    DWORD exStyle;
};

const ControlClass& ClassOf(ControlKind kind);
// Drawn by the page window itself, without a child window.
bool IsPainted(ControlKind kind);
// The class's style completed by the view's flags (default button, word wrap,
// option group start, visibility, enabled state).
DWORD StyleOf(const ControlView& view);

}  // namespace platform::gui
