#include <windows.h>

#include <vector>

#include "platform/Profile.h"
#include "platform/TextConversion.h"

namespace platform::profile {
namespace {

// An absent name or value: the profile functions take NULL for "all" or "remove".
const wchar_t* OrNull(const std::optional<std::wstring>& text) {
    return text ? text->c_str() : nullptr;
}

}  // namespace

std::string ReadString(const std::string& section, const std::string& key,
                       const std::string& defaultValue, const std::string& file,
                       unsigned bufferSize) {
    if (bufferSize == 0) return {};
    std::vector<wchar_t> buffer(bufferSize, L' ');
    DWORD copied = GetPrivateProfileStringW(ToWide(section).c_str(), ToWide(key).c_str(),
                                            ToWide(defaultValue).c_str(), buffer.data(),
                                            bufferSize, ToWide(file).c_str());
    if (copied >= bufferSize) copied = bufferSize - 1;
    // A cut between the two halves of a character leaves the character out.
    if (copied > 0 && IS_HIGH_SURROGATE(buffer[copied - 1])) --copied;
    return FromWide(std::wstring_view(buffer.data(), copied));
}

bool WriteString(const std::string& section, const std::string& key,
                 const std::optional<std::string>& value, const std::string& file) {
    const std::optional<std::wstring> wideValue =
        value ? std::optional<std::wstring>(ToWide(*value)) : std::nullopt;
    return WritePrivateProfileStringW(ToWide(section).c_str(), ToWide(key).c_str(),
                                      OrNull(wideValue), ToWide(file).c_str()) != 0;
}

bool DeleteSection(const std::string& section, const std::string& file) {
    return WritePrivateProfileStringW(ToWide(section).c_str(), nullptr, nullptr,
                                      ToWide(file).c_str()) != 0;
}

}  // namespace platform::profile
