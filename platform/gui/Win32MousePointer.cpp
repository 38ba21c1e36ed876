// The mouse pointer the program sets for the whole screen (the hourglass while
// the wizard works), which page windows keep on WM_SETCURSOR.
#include <windows.h>

#include "platform/Win32Platform.h"
#include "platform/gui/ScreenPointer.h"

namespace platform {
namespace {

MousePointer screenPointer = MousePointer::Default;

}  // namespace

MousePointer gui::ScreenPointer() { return screenPointer; }

bool gui::ApplyScreenPointer() {
    if (screenPointer != MousePointer::Hourglass) return false;
    SetCursor(LoadCursorW(nullptr, IDC_WAIT));
    return true;
}

void Win32Platform::SetMousePointer(MousePointer pointer) {
    screenPointer = pointer;
    SetCursor(LoadCursorW(nullptr, pointer == MousePointer::Hourglass ? IDC_WAIT : IDC_ARROW));
}

}  // namespace platform
