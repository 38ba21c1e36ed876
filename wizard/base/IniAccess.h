// Reading the setup image's INI files, with the prompt for a missing medium.
#pragma once

#include <string>

inline constexpr bool kPromptForMedium = false;  // the `quiet` argument
inline constexpr bool kQuiet = true;

// Values longer than 2047 characters are cut. A missing file gives empty
// text (not the default), after a prompt unless `quiet`; so does a file that
// is there (or may be) but cannot be read, after a failure box unless
// `quiet`. The section "DESTINATIONS" is read without any file test.
std::string ReadIniValue(const std::string& file, const std::string& section,
                         const std::string& key, const std::string& defaultValue, bool quiet);
