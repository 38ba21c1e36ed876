// INI files: the Windows profile functions for the files they read and write
// alone, and the same rules without them where the file's code page or its
// bytes matter (IniDocument.h).
#pragma once

#include <optional>
#include <string>

#include "platform/Files.h"

namespace platform::profile {

// GetPrivateProfileStringW with a buffer of `bufferSize` characters; returns
// the characters the API reports as copied. A file without a byte-order
// mark is read in the system's ANSI code page: for the INI files of the
// suite's ANSI programs (KVIR32.INI, the update's INF files) and the answer
// file.
std::string ReadString(const std::string& section, const std::string& key,
                       const std::string& defaultValue, const std::string& file,
                       unsigned bufferSize = 2048);
// WritePrivateProfileStringW; a missing value removes the key.
bool WriteString(const std::string& section, const std::string& key,
                 const std::optional<std::string>& value, const std::string& file);
// Removes a whole section.
bool DeleteSection(const std::string& section, const std::string& file);

// A value of one of the image's INI files (Install.ini, Version.ini,
// Mindestvoraussetzungen.ini, ...), with the rules of ReadString but read in
// Windows-1252 on every machine: the suite's maker writes them on a German
// system. A byte-order mark wins.
std::string ReadImageString(const std::string& section, const std::string& key,
                            const std::string& defaultValue, const std::string& file,
                            unsigned bufferSize = 2048);
// The same in the given encoding, telling a file that cannot be read from a
// missing key: nullopt then, and files::LastError() says why.
std::optional<std::string> ReadValueIfReadable(const std::string& section, const std::string& key,
                                               const std::string& defaultValue,
                                               const std::string& file,
                                               files::TextEncoding encoding,
                                               unsigned bufferSize = 2048);
// Sets (or, with nullopt, removes) a key of an INI file of the suite's ANSI
// programs as WriteString does, keeping every byte of the lines it does not
// change, for the programs that read the file after us.
bool EditKeepingBytes(const std::string& section, const std::string& key,
                      const std::optional<std::string>& value, const std::string& file);
// Removes a section so.
bool DeleteSectionKeepingBytes(const std::string& section, const std::string& file);

}  // namespace platform::profile
