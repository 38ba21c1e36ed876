// The screen-wide mouse pointer override (hourglass while the wizard works).
// Window procedures consult it on WM_SETCURSOR.
#pragma once

#include "platform/Platform.h"

namespace platform::gui {

MousePointer ScreenPointer();
// Sets the cursor for WM_SETCURSOR; false when the window's own cursor applies.
bool ApplyScreenPointer();

}  // namespace platform::gui
