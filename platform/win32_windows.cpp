// Page windows, the screen and the user's date format.
#include <windows.h>

#include "platform/Win32Platform.h"
#include "platform/gui/Layout.h"
#include "platform/gui/Win32PageWindow.h"

namespace platform {

std::unique_ptr<gui::PageWindow> Win32Platform::CreatePageWindow(const gui::WindowView& view,
                                                                 gui::WindowEvents& events) {
    return gui::CreateWin32PageWindow(view, events);
}

gui::Rect Win32Platform::ScreenRect() {
    const int dpi = static_cast<int>(GetDpiForSystem());
    return {0, 0, gui::PixelsToTwips(GetSystemMetrics(SM_CXSCREEN), dpi),
            gui::PixelsToTwips(GetSystemMetrics(SM_CYSCREEN), dpi)};
}

std::string Win32Platform::FormatShortDate(int year, int month, int day) {
    SYSTEMTIME date{};
    date.wYear = static_cast<WORD>(year);
    date.wMonth = static_cast<WORD>(month);
    date.wDay = static_cast<WORD>(day);
    char buffer[80] = {};
    const int length =
        GetDateFormatA(LOCALE_USER_DEFAULT, DATE_SHORTDATE, &date, nullptr, buffer, sizeof(buffer));
    return length > 0 ? std::string(buffer) : std::string();
}

}  // namespace platform
