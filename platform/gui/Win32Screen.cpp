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

}  // namespace platform
