// The four INI wrappers that carry every read and write of the patch
// package's INF files. The files are in the system's code page, as the
// suite's update programs read them, and an edit keeps every byte of the
// lines it does not change. The writes tell whether the platform did them:
// an edit that reports nothing must have been made.
#pragma once

#include <optional>
#include <string>

// Up to 2047 characters; the default when the key is missing; nullopt when
// the file cannot be read (the platform's last error tells why), which must
// not pass for a key that is not there.
std::optional<std::string> ReadIniEntry(const std::string& section, const std::string& key,
                                        const std::string& defaultValue, const std::string& file);
// A missing value (nullopt) removes the key, as the profile API does. The
// writes are true when done; the platform's last error then tells why not.
bool WriteIniEntry(const std::string& section, const std::string& key,
                   const std::optional<std::string>& value, const std::string& file);
bool DeleteIniEntry(const std::string& section, const std::string& key, const std::string& file);
bool DeleteIniSection(const std::string& section, const std::string& file);
