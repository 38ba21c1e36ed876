// The Windows profile (INI) functions on narrow strings.
#pragma once

#include <optional>
#include <string>

namespace platform::profile {

// GetPrivateProfileStringA with a buffer of `bufferSize` characters; returns
// the characters the API reports as copied.
std::string ReadString(const std::string& section, const std::string& key,
                       const std::string& defaultValue, const std::string& file,
                       unsigned bufferSize = 2048);
// WritePrivateProfileStringA; a missing value removes the key.
bool WriteString(const std::string& section, const std::string& key,
                 const std::optional<std::string>& value, const std::string& file);
// Removes a whole section.
bool DeleteSection(const std::string& section, const std::string& file);

}  // namespace platform::profile
