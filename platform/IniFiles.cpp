// The INI files read and edited without the profile functions, the same in
// both builds.
#include "platform/IniDocument.h"
#include "platform/Profile.h"

#include <utility>

namespace platform::profile {
namespace {

using files::TextEncoding;

struct LoadedFile {
    std::string bytes;
    ini::Document document;
};

std::optional<LoadedFile> Load(const std::string& file, TextEncoding encoding) {
    std::optional<std::string> bytes = files::ReadWholeFile(file);
    if (!bytes) return std::nullopt;
    ini::Document document(*bytes, encoding);
    return LoadedFile{std::move(*bytes), std::move(document)};
}

// An edit that changed nothing leaves the file alone.
bool Store(const std::string& file, const LoadedFile& loaded) {
    const std::string bytes = loaded.document.Bytes();
    return bytes == loaded.bytes || files::WriteWholeFile(file, bytes);
}

}  // namespace

std::string ReadImageString(const std::string& section, const std::string& key,
                            const std::string& defaultValue, const std::string& file,
                            unsigned bufferSize) {
    return ReadValueIfReadable(section, key, defaultValue, file, TextEncoding::Windows1252,
                               bufferSize)
        .value_or(ini::AsProfileResult(std::nullopt, defaultValue, bufferSize));
}

std::optional<std::string> ReadValueIfReadable(const std::string& section, const std::string& key,
                                               const std::string& defaultValue,
                                               const std::string& file, TextEncoding encoding,
                                               unsigned bufferSize) {
    const std::optional<LoadedFile> loaded = Load(file, encoding);
    if (!loaded) return std::nullopt;
    return ini::AsProfileResult(loaded->document.Value(section, key), defaultValue, bufferSize);
}

bool EditKeepingBytes(const std::string& section, const std::string& key,
                      const std::optional<std::string>& value, const std::string& file) {
    // As WritePrivateProfileString: a missing file is made, unless there is
    // nothing to write.
    std::optional<LoadedFile> loaded = Load(file, TextEncoding::AnsiCodePage);
    if (!loaded) {
        // There (or maybe there) but not to be read: the read's error stays
        // the caller's to tell.
        if (!files::FileIsMissing(files::LastError()) || files::FileExists(file)) return false;
        if (!value) return true;                    // nothing to remove
        loaded.emplace(LoadedFile{"", ini::Document("", TextEncoding::AnsiCodePage)});
    }
    loaded->document.Set(section, key, value);
    return Store(file, *loaded);
}

bool DeleteSectionKeepingBytes(const std::string& section, const std::string& file) {
    std::optional<LoadedFile> loaded = Load(file, TextEncoding::AnsiCodePage);
    if (!loaded) return false;
    loaded->document.RemoveSection(section);
    return Store(file, *loaded);
}

}  // namespace platform::profile
