#include "wizard/updates/PathHelpers.h"

#include <vector>

#include "platform/Files.h"

namespace {

enum class MakeOutcome { Created, Exists, ParentMissing, Failed };

constexpr unsigned long kErrorFileNotFound = 2;
constexpr unsigned long kErrorPathNotFound = 3;
constexpr unsigned long kErrorAccessDenied = 5;
constexpr unsigned long kErrorFileExists = 80;
constexpr unsigned long kErrorAlreadyExists = 183;

MakeOutcome MakeFolder(const std::string& path) {
    switch (platform::files::CreateOneFolder(path)) {
        case 0:
            return MakeOutcome::Created;
        // A drive root answers "access denied" rather than "exists".
        case kErrorAlreadyExists:
        case kErrorFileExists:
        case kErrorAccessDenied:
            return MakeOutcome::Exists;
        case kErrorPathNotFound:
        case kErrorFileNotFound:
            return MakeOutcome::ParentMissing;
        default:
            return MakeOutcome::Failed;
    }
}

std::vector<std::string> SplitAtBackslashes(const std::string& path) {
    std::vector<std::string> parts;
    size_t start = 0;
    for (;;) {
        size_t slash = path.find('\\', start);
        parts.push_back(path.substr(start, slash - start));
        if (slash == std::string::npos) return parts;
        start = slash + 1;
    }
}

std::string JoinParts(const std::vector<std::string>& parts, size_t count) {
    std::string joined;
    for (size_t i = 0; i < count; ++i) {
        if (i > 0) joined += '\\';
        joined += parts[i];
    }
    return joined;
}

}  // namespace

std::string AddBackslash(const std::string& path) {
    if (!path.empty() && path.back() == '\\') return path;
    return path + '\\';
}

SplitPathResult SplitPath(const std::string& path) {
    size_t slash = path.rfind('\\');
    if (slash == std::string::npos) return {"", path};
    return {path.substr(0, slash + 1), path.substr(slash + 1)};
}

bool CreateFolderPath(const std::string& folder) {
    if (folder.empty()) return false;
    std::string path = folder;
    if (path.back() == '\\') path.pop_back();
    if (path.empty()) return false;

    switch (MakeFolder(path)) {
        case MakeOutcome::Created:
            return true;
        case MakeOutcome::Exists:
            // "Exists" also covers a plain file of that name; only a folder helps.
            return platform::files::FolderExists(path);
        case MakeOutcome::Failed:
            return false;
        case MakeOutcome::ParentMissing:
            break;
    }

    // Walk up to the longest prefix that exists, then create downwards.
    const std::vector<std::string> parts = SplitAtBackslashes(path);
    size_t existing = 0;
    for (size_t count = parts.size() - 1; count > 0; --count) {
        MakeOutcome outcome = MakeFolder(JoinParts(parts, count));
        if (outcome == MakeOutcome::Created || outcome == MakeOutcome::Exists) {
            existing = count;
            break;
        }
        if (outcome == MakeOutcome::Failed) return false;
    }
    if (existing == 0) return false;

    std::string prefix = JoinParts(parts, existing);
    for (size_t i = existing; i < parts.size(); ++i) {
        prefix += '\\';
        prefix += parts[i];
        MakeOutcome outcome = MakeFolder(prefix);
        if (outcome == MakeOutcome::Exists && platform::files::FolderExists(prefix)) continue;
        if (outcome != MakeOutcome::Created) return false;
    }
    return true;
}
