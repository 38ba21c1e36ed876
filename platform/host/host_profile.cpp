// The INI profile functions for the native test build, with the Windows
// semantics the logic relies on (IniDocument.h): sections and keys found
// ignoring case and surrounding blanks, values trimmed and unquoted, the
// read cut to the buffer, the default for what is missing, a missing value
// removing the key. A file without a byte-order mark is in the ANSI code
// page, which is Windows-1252 here. Lines that are not touched keep their
// bytes and line ends.
#include "platform/IniDocument.h"
#include "platform/Profile.h"
#include "platform/fake/FaultPlan.h"
#include "platform/host/HostPaths.h"

namespace platform::profile {
namespace {

// A file named without a folder lives in the Windows folder.
std::string ProfilePath(const std::string& file) {
    const bool bare =
        file.find_first_of("\\/") == std::string::npos && !(file.size() >= 2 && file[1] == ':');
    return bare ? "C:\\windows\\" + file : file;
}

struct ProfileFile {
    explicit ProfileFile(const std::string& file)
        : path(ProfilePath(file)),
          bytes(files::ReadWholeFile(path)),
          document(bytes.value_or(std::string()), files::TextEncoding::AnsiCodePage) {}
    bool Save() const { return files::WriteWholeFile(path, document.Bytes()); }

    std::string path;
    std::optional<std::string> bytes;
    ini::Document document;
};

// A write the sweep makes fail: refused, as for a file another program
// holds, or a disk that is full.
const faults::Codes kProfileWrite{faults::code::kAccessDenied, faults::code::kSharingViolation,
                                  faults::code::kDiskFull};

bool Refused(unsigned long code) {
    host::SetLastError(code);
    return false;
}

}  // namespace

std::string ReadString(const std::string& section, const std::string& key,
                       const std::string& defaultValue, const std::string& file,
                       unsigned bufferSize) {
    // A file that cannot be read gives the default, as a missing key does.
    const faults::Call call("profile::ReadString", file + " [" + section + "] " + key,
                            {faults::code::kAccessDenied, faults::code::kSharingViolation});
    if (call.Fails()) return ini::AsProfileResult(std::nullopt, defaultValue, bufferSize);
    const ProfileFile profile(file);
    return ini::AsProfileResult(profile.document.Value(section, key), defaultValue, bufferSize);
}

bool WriteString(const std::string& section, const std::string& key,
                 const std::optional<std::string>& value, const std::string& file) {
    const faults::Call call("profile::WriteString", file + " [" + section + "] " + key,
                            kProfileWrite);
    if (call.Fails()) return Refused(call.Code());
    ProfileFile profile(file);
    if (!profile.bytes && !value) return true;  // nothing to remove
    profile.document.Set(section, key, value);
    return profile.Save();
}

bool DeleteSection(const std::string& section, const std::string& file) {
    const faults::Call call("profile::DeleteSection", file + " [" + section + "]",
                            kProfileWrite);
    if (call.Fails()) return Refused(call.Code());
    ProfileFile profile(file);
    if (!profile.document.RemoveSection(section)) return profile.bytes.has_value();
    return profile.Save();
}

}  // namespace platform::profile
