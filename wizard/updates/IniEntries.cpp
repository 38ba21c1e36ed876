#include "wizard/updates/IniEntries.h"

#include "platform/Profile.h"

std::string ReadIniEntry(const std::string& section, const std::string& key,
                         const std::string& defaultValue, const std::string& file) {
    return platform::profile::ReadString(section, key, defaultValue, file, 2048);
}

void WriteIniEntry(const std::string& section, const std::string& key,
                   const std::optional<std::string>& value, const std::string& file) {
    platform::profile::WriteString(section, key, value, file);
}

void DeleteIniEntry(const std::string& section, const std::string& key, const std::string& file) {
    platform::profile::WriteString(section, key, std::nullopt, file);
}

void DeleteIniSection(const std::string& section, const std::string& file) {
    platform::profile::DeleteSection(section, file);
}
