// Page windows and the screen.
#include <windows.h>

#include "platform/Win32Platform.h"
#include "platform/gui/Layout.h"
#include "platform/gui/Win32DpiFonts.h"
#include "platform/gui/Win32PageWindow.h"

namespace platform {

std::unique_ptr<gui::PageWindow> Win32Platform::CreatePageWindow(const gui::WindowView& view,
                                                                 gui::WindowEvents& events) {
    return gui::CreateWin32PageWindow(view, events);
}

gui::Rect Win32Platform::ScreenRect() {
    const int dpi = gui::SystemDpi();
    return {0, 0, gui::PixelsToTwips(GetSystemMetrics(SM_CXSCREEN), dpi),
            gui::PixelsToTwips(GetSystemMetrics(SM_CYSCREEN), dpi)};
}

bool Win32Platform::BringOtherInstanceToFront() {
    struct Search {
        DWORD self;
        HWND found = nullptr;
    } search{GetCurrentProcessId()};
    // Only the windows of this session's desktop are listed.
    EnumWindows(
        [](HWND window, LPARAM data) -> BOOL {
            auto* s = reinterpret_cast<Search*>(data);
            wchar_t className[64] = {};
            DWORD owner = 0;
            GetWindowThreadProcessId(window, &owner);
            GetClassNameW(window, className, 64);
            if (owner == s->self || !IsWindowVisible(window) ||
                lstrcmpW(className, gui::kWindowClass) != 0) {
                return TRUE;
            }
            s->found = window;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&search));
    if (search.found == nullptr) return false;
    if (IsIconic(search.found)) ShowWindow(search.found, SW_RESTORE);
    // A program the user just started may hand the foreground on.
    return SetForegroundWindow(search.found) != 0;
}

}  // namespace platform
