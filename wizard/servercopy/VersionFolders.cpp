#include "wizard/servercopy/VersionFolders.h"

#include <optional>

#include "platform/Files.h"
#include "shared/Text.h"
#include "ui/BusyPointer.h"
#include "wizard/base/IniAccess.h"
#include "wizard/base/ServerCopyMark.h"
#include "wizard/base/SetupSession.h"

namespace {

constexpr std::string_view kVersionFolderMarker = "\\VERSION_";

std::string VersionOf(const std::string& versionIni) {
    return ReadIniValue(versionIni, "Common", "Version", "", kPromptForMedium);
}

std::string ImageVersionWithoutDots() {
    return text::ReplaceAll(VersionOf(Session().VersionIniPath), ".", "");
}

// The decimal text of the number that names a version folder, without
// leading zeros; nullopt when the name is no whole 32-bit number (a trailing
// backslash, "5_2_0", nothing at all).
std::optional<std::string> FolderNumber(const std::string& name) {
    const std::string digits = text::Trim(name);
    if (digits.empty() || digits.find_first_not_of("0123456789") != std::string::npos) {
        return std::nullopt;
    }
    const size_t first = digits.find_first_not_of('0');
    const std::string decimal = first == std::string::npos ? "0" : digits.substr(first);
    constexpr std::string_view kLargest = "2147483647";
    if (decimal.size() > kLargest.size() ||
        (decimal.size() == kLargest.size() && decimal > kLargest)) {
        return std::nullopt;
    }
    return decimal;
}

}  // namespace

std::string VersionSuffix() { return "\\Version_" + ImageVersionWithoutDots(); }

std::string StripVersionFolder(const std::string& path) {
    if (text::Trim(path).empty()) return {};
    return text::Trim(path.substr(0, text::Upper(path).find("\\VERSION")));
}

std::vector<std::string> ListVersionFolders(const std::string& serverFolder) {
    std::vector<std::string> found;
    const auto entries = platform::files::ListEntries(serverFolder, "*.*");
    if (!entries) return found;
    for (const platform::files::FolderEntry& entry : *entries) {
        // A new copy being made beside an earlier one is no version folder.
        if (!entry.folder || text::EqualsNoCase(entry.name, server_copy::kNewCopyFolder)) continue;
        const std::string folder = text::JoinPath(serverFolder, entry.name);
        const std::string version = VersionOf(folder + "\\Version.ini");
        if (text::Trim(version).empty()) continue;
        // Offered for deletion like the others, but not as a version to use.
        const char* state = server_copy::IsIncomplete(folder) ? " (unvollständig)" : "";
        found.push_back("Version " + version + state + ";" + folder);
    }
    return found;
}

bool FindOtherVersionFolders(const std::string& path) {
    ui::BusyPointer busy;
    SetupSession& session = Session();
    session.VersionFolders.clear();
    const std::string ownVersion = text::Trim(ImageVersionWithoutDots());
    const size_t marker = text::Upper(path).find(kVersionFolderMarker);
    if (marker == std::string::npos) return false;
    // A folder whose name is no number is not the image's own version
    // folder, so the folders beside it are listed.
    if (FolderNumber(path.substr(marker + kVersionFolderMarker.size())) == ownVersion) {
        return false;
    }
    session.VersionFolders = ListVersionFolders(StripVersionFolder(path));
    return !session.VersionFolders.empty();
}
