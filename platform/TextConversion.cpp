#include "platform/TextConversion.h"

#include <windows.h>

namespace platform {

std::wstring WideFromCodePage(std::string_view bytes, unsigned codePage) {
    if (bytes.empty()) return {};
    const int size = static_cast<int>(bytes.size());
    const int length = MultiByteToWideChar(codePage, 0, bytes.data(), size, nullptr, 0);
    std::wstring wide(static_cast<size_t>(length), L'\0');
    MultiByteToWideChar(codePage, 0, bytes.data(), size, wide.data(), length);
    return wide;
}

std::string CodePageFromWide(std::wstring_view wide, unsigned codePage) {
    if (wide.empty()) return {};
    const int size = static_cast<int>(wide.size());
    const int length =
        WideCharToMultiByte(codePage, 0, wide.data(), size, nullptr, 0, nullptr, nullptr);
    std::string bytes(static_cast<size_t>(length), '\0');
    WideCharToMultiByte(codePage, 0, wide.data(), size, bytes.data(), length, nullptr, nullptr);
    return bytes;
}

std::wstring ToWide(std::string_view utf8) { return WideFromCodePage(utf8, CP_UTF8); }

std::string FromWide(std::wstring_view wide) { return CodePageFromWide(wide, CP_UTF8); }

std::string FromWide(const wchar_t* wide) {
    return wide == nullptr ? std::string() : FromWide(std::wstring_view(wide));
}

}  // namespace platform
