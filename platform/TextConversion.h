// Text crosses into Windows here: UTF-8 inside the programs, UTF-16 at the
// W entry points. Only the platform's Win32 units include this.
#pragma once

#include <string>
#include <string_view>

namespace platform {

// UTF-8 to UTF-16 for a W call; an invalid byte becomes U+FFFD.
std::wstring ToWide(std::string_view utf8);
// UTF-16 from a W call to UTF-8; a lone surrogate becomes U+FFFD.
std::string FromWide(std::wstring_view wide);
// A NUL-terminated UTF-16 text, as many W calls fill their buffers.
std::string FromWide(const wchar_t* wide);

// The same between UTF-16 and the bytes of another code page (CP_ACP for
// the texts the suite's ANSI programs write).
std::wstring WideFromCodePage(std::string_view bytes, unsigned codePage);
std::string CodePageFromWide(std::wstring_view wide, unsigned codePage);

}  // namespace platform
