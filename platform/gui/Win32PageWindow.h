// The Win32 renderer of a form: one top-level window, one child window per
// control (or painted by the window itself), kept in step with the views.
#pragma once

#include <memory>

#include "platform/PageWindow.h"

namespace platform::gui {

// The window class of every page window; another process of the program
// finds the wizard's pages by it.
inline constexpr const wchar_t* kWindowClass = L"ZevrinPageWindow";

// nullptr when the window cannot be created.
std::unique_ptr<PageWindow> CreateWin32PageWindow(const WindowView& view, WindowEvents& events);

}  // namespace platform::gui
