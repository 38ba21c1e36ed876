// The encodings that stored files use, converted to and from the UTF-8 that
// the programs carry inside. Portable: both builds compile it.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace platform::encoding {

// One code point read from UTF-8. An invalid or cut sequence yields its
// first byte alone (valid false), so that a caller can keep it as it is.
struct CodePoint {
    char32_t value = 0;
    std::size_t length = 1;
    bool valid = false;
};
CodePoint DecodeUtf8At(std::string_view text, std::size_t at);
void AppendUtf8(char32_t value, std::string& out);

// Windows-1252, the code page of the image's files; the five bytes it
// leaves undefined stand for the control characters of the same number,
// as Windows maps them.
std::string Utf8FromWindows1252(std::string_view bytes);
// Back to Windows-1252; a character the code page lacks becomes "?".
std::string Windows1252FromUtf8(std::string_view text);

// UTF-16 in little or big endian byte order; an odd last byte is dropped
// and a lone surrogate becomes U+FFFD.
std::string Utf8FromUtf16(std::string_view bytes, bool bigEndian);
std::string Utf16LeFromUtf8(std::string_view text);
std::string Utf16BeFromUtf8(std::string_view text);

// The length of a UTF-8 text in UTF-16 units, as the W entry points count.
std::size_t Utf16Length(std::string_view text);

inline constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";
inline constexpr std::string_view kUtf16LeMark = "\xFF\xFE";
inline constexpr std::string_view kUtf16BeMark = "\xFE\xFF";

}  // namespace platform::encoding
