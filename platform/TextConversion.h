// ANSI (the system code page) to UTF-16 and back, for the few APIs that only
// speak UTF-16 (COM, WMI).
#pragma once

#include <string>

namespace platform {

std::wstring WideFromAnsi(const std::string& text);
std::string AnsiFromWide(const wchar_t* text);

}  // namespace platform
