#include "wizard/servercopy/CopyLayout.h"

#include "shared/Text.h"
#include "wizard/base/SetupSession.h"
#include "wizard/base/SystemQueries.h"

namespace {

std::string NormalisedEntry(const std::string& entry) {
    return CanonicalizePath(entry, Session().StartedFromServerImage);
}

}  // namespace

std::string SourceFolderOf(const std::string& imageRoot, const std::string& entry) {
    return NormalisedEntry(text::JoinPath(text::Trim(imageRoot), entry));
}

std::optional<std::string> TargetFolderOf(const std::string& target, const std::string& entry) {
    // Only the entry the copy adds itself, or one written exactly like it;
    // "wsroot" is an ordinary folder.
    if (text::Trim(entry) == "WSROOT") return target;
    return PreparedFolderOf(target, entry);
}

std::optional<std::string> PreparedFolderOf(const std::string& target, const std::string& entry) {
    const std::optional<std::string> normalised =
        CanonicalizeAccepted(entry, Session().StartedFromServerImage);
    if (!normalised) return std::nullopt;
    return text::JoinPath(target, *normalised);
}
