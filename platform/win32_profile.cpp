#include <windows.h>

#include <vector>

#include "platform/Profile.h"

namespace platform::profile {

std::string ReadString(const std::string& section, const std::string& key,
                       const std::string& defaultValue, const std::string& file,
                       unsigned bufferSize) {
    if (bufferSize == 0) return {};
    std::vector<char> buffer(bufferSize, ' ');
    DWORD copied = GetPrivateProfileStringA(section.c_str(), key.c_str(), defaultValue.c_str(),
                                            buffer.data(), bufferSize, file.c_str());
    if (copied >= bufferSize) copied = bufferSize - 1;
    return std::string(buffer.data(), copied);
}

bool WriteString(const std::string& section, const std::string& key,
                 const std::optional<std::string>& value, const std::string& file) {
    return WritePrivateProfileStringA(section.c_str(), key.c_str(),
                                      value ? value->c_str() : nullptr, file.c_str()) != 0;
}

bool DeleteSection(const std::string& section, const std::string& file) {
    return WritePrivateProfileStringA(section.c_str(), nullptr, nullptr, file.c_str()) != 0;
}

}  // namespace platform::profile
