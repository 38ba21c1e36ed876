#include "platform/host/HostPaths.h"

#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstdlib>
#include <string_view>
#include <vector>

namespace platform::host {
namespace {

std::string confinement;  // empty: the whole host is reachable
thread_local unsigned long lastError = 0;

std::string TemporaryRoot() {
    const char* folder = std::getenv("TMPDIR");
    std::string root = folder != nullptr && *folder != '\0' ? folder : "/tmp";
    while (root.size() > 1 && root.back() == '/') root.pop_back();
    return root;
}

std::string CurrentFolder() {
    std::vector<char> buffer(4096);
    if (getcwd(buffer.data(), buffer.size()) == nullptr) return "/";
    return buffer.data();
}

bool Exists(const std::string& path) {
    struct stat info {};
    return lstat(path.c_str(), &info) == 0;
}

bool SameIgnoringCase(std::string_view left, std::string_view right) {
    return std::equal(left.begin(), left.end(), right.begin(), right.end(), [](char a, char b) {
        return std::tolower(static_cast<unsigned char>(a)) ==
               std::tolower(static_cast<unsigned char>(b));
    });
}

// The parts of a path below its root with "." and ".." folded away; ".."
// at the root stays at the root.
std::vector<std::string> FoldedParts(std::string_view path) {
    std::vector<std::string> parts;
    size_t start = 0;
    while (start <= path.size()) {
        size_t end = path.find('/', start);
        if (end == std::string_view::npos) end = path.size();
        std::string_view part = path.substr(start, end - start);
        if (part == "..") {
            if (!parts.empty()) parts.pop_back();
        } else if (!part.empty() && part != ".") {
            parts.emplace_back(part);
        }
        start = end + 1;
    }
    return parts;
}

// The existing entry of `folder` whose name matches `name` ignoring case.
std::string NameInFolder(const std::string& folder, const std::string& name) {
    DIR* listing = opendir(folder.empty() ? "/" : folder.c_str());
    if (listing == nullptr) return {};
    std::string found;
    while (const dirent* entry = readdir(listing)) {
        if (SameIgnoringCase(entry->d_name, name)) {
            found = entry->d_name;
            break;
        }
    }
    closedir(listing);
    return found;
}

// Windows finds "Setup.INI" as "setup.ini"; so does the stand-in, part by part.
std::string ResolveCase(const std::string& root, const std::vector<std::string>& parts) {
    std::string resolved = root;
    for (size_t i = 0; i < parts.size(); ++i) {
        std::string next = resolved + "/" + parts[i];
        if (!Exists(next)) {
            const std::string other = NameInFolder(resolved, parts[i]);
            if (!other.empty()) next = resolved + "/" + other;
        }
        resolved = std::move(next);
    }
    return resolved.empty() ? "/" : resolved;
}

bool Inside(const std::string& path, const std::string& folder) {
    return path == folder ||
           (path.size() > folder.size() && path.compare(0, folder.size(), folder) == 0 &&
            path[folder.size()] == '/');
}

}  // namespace

std::string DriveFolder() {
    return confinement.empty() ? TemporaryRoot() + "/wizard-drives" : confinement + "/drives";
}

std::string HostPath(const std::string& windowsPath) {
    std::string path = windowsPath.substr(0, windowsPath.find('\0'));
    std::replace(path.begin(), path.end(), '\\', '/');
    if (path.empty()) return {};
    // No server shares on the host.
    if (path.size() >= 2 && path[0] == '/' && path[1] == '/') return {};

    std::string root;  // "" stands for the host's "/"
    std::string rest;
    if (path.size() >= 2 && std::isalpha(static_cast<unsigned char>(path[0])) && path[1] == ':') {
        root = DriveFolder() + "/" +
               static_cast<char>(std::tolower(static_cast<unsigned char>(path[0])));
        // Every drive exists, as on a machine that has it.
        mkdir(DriveFolder().c_str(), 0777);
        mkdir(root.c_str(), 0777);
        rest = path.substr(2);
    } else if (path[0] == '/') {
        rest = path;
    } else {
        rest = CurrentFolder() + "/" + path;
    }
    const std::vector<std::string> parts = FoldedParts(rest);
    std::string folded = root;
    for (const std::string& part : parts) folded += "/" + part;
    if (folded.empty()) folded = "/";
    if (!confinement.empty() && !Inside(folded, confinement)) return {};

    std::string resolved = ResolveCase(root, parts);
    if (path.back() == '/' && resolved.back() != '/') resolved += '/';
    return resolved;
}

void ConfineTo(const std::string& folder) {
    confinement = folder;
    while (confinement.size() > 1 && confinement.back() == '/') confinement.pop_back();
}

unsigned long Win32ErrorFor(int error, const std::string& hostPath) {
    switch (error) {
        case 0:
            return 0;
        case ENOENT: {
            // Windows tells a missing file from a missing folder on the way.
            std::string parent = hostPath;
            while (parent.size() > 1 && parent.back() == '/') parent.pop_back();
            parent = parent.substr(0, parent.find_last_of('/'));
            struct stat info {};
            const bool folderThere =
                stat(parent.empty() ? "/" : parent.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
            return folderThere ? 2 : 3;
        }
        case ENOTDIR:
            return 3;  // ERROR_PATH_NOT_FOUND
        case EACCES:
        case EPERM:
        case EISDIR:
            return 5;  // ERROR_ACCESS_DENIED
        case ENOMEM:
            return 8;
        case EROFS:
            return 19;  // ERROR_WRITE_PROTECT
        case EBUSY:
        case ETXTBSY:
            return 32;  // ERROR_SHARING_VIOLATION
        case EINVAL:
            return 87;  // ERROR_INVALID_PARAMETER
        case ENOSPC:
            return 112;  // ERROR_DISK_FULL
        case ENOTEMPTY:
            return 145;  // ERROR_DIR_NOT_EMPTY
        case EEXIST:
            return 183;  // ERROR_ALREADY_EXISTS
        case ENAMETOOLONG:
            return 206;  // ERROR_FILENAME_EXCED_RANGE
        default:
            return 31;  // ERROR_GEN_FAILURE
    }
}

void SetLastError(unsigned long code) { lastError = code; }

unsigned long LastError() { return lastError; }

}  // namespace platform::host
