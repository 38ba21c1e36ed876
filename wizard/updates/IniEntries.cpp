#include "wizard/updates/IniEntries.h"

#include "platform/Profile.h"

std::optional<std::string> ReadIniEntry(const std::string& section, const std::string& key,
                                        const std::string& defaultValue, const std::string& file) {
    return platform::profile::ReadValueIfReadable(section, key, defaultValue, file,
                                                  platform::files::TextEncoding::AnsiCodePage, 2048);
}

bool WriteIniEntry(const std::string& section, const std::string& key,
                   const std::optional<std::string>& value, const std::string& file) {
    return platform::profile::EditKeepingBytes(section, key, value, file);
}

bool DeleteIniEntry(const std::string& section, const std::string& key, const std::string& file) {
    return platform::profile::EditKeepingBytes(section, key, std::nullopt, file);
}

bool DeleteIniSection(const std::string& section, const std::string& file) {
    return platform::profile::DeleteSectionKeepingBytes(section, file);
}
