// Keys for the children whose classes would handle them unlike the rest of
// the page: Enter opens a focused link as Space does, and a read-only text
// leaves Tab, Enter and Esc to the page instead of keeping them.
#pragma once

#include <windows.h>

#include "platform/PageWindow.h"

namespace platform::gui {

bool HandlesItsOwnKeys(const ControlView& view);
// Our key handling runs before the child's class sees the keys, for the
// child's lifetime.
void TakeOverKeys(HWND child);

}  // namespace platform::gui
