// The file wrappers for the native test build, with the Windows behaviour the
// logic relies on: a folder is no file, deleting removes links as links,
// moving replaces only when asked to, searches match "*" and "?" ignoring case.
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cctype>
#include <cerrno>
#include <cstdlib>
#include <string>

#include "platform/Files.h"
#include "platform/TextEncoding.h"
#include "platform/fake/FaultPlan.h"
#include "platform/host/HostPaths.h"

namespace platform::files {
namespace {

using host::HostPath;

constexpr size_t kMaxPath = 260;
constexpr unsigned long kErrorPathNotFound = 3;
constexpr unsigned long kErrorAccessDenied = 5;
constexpr unsigned long kErrorFileNotFound = 2;
constexpr unsigned long kErrorAlreadyExists = 183;

using faults::Call;

// Records the Win32 code for the current errno on `hostPath`; always false.
bool Fail(const std::string& hostPath) {
    host::SetLastError(host::Win32ErrorFor(errno, hostPath));
    return false;
}

bool FailWith(unsigned long code) {
    host::SetLastError(code);
    return false;
}

enum class Kind { Missing, File, Folder };

// What the path is, following links as Windows' attribute query does.
Kind KindOf(const std::string& hostPath) {
    struct stat info {};
    if (hostPath.empty() || stat(hostPath.c_str(), &info) != 0) return Kind::Missing;
    return S_ISDIR(info.st_mode) ? Kind::Folder : Kind::File;
}

class Descriptor {
  public:
    explicit Descriptor(int fd) : fd_(fd) {}
    ~Descriptor() {
        if (fd_ >= 0) close(fd_);
    }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    int Get() const { return fd_; }
    bool IsOpen() const { return fd_ >= 0; }

  private:
    int fd_;
};

bool WriteAll(int fd, const char* data, size_t size) {
    while (size > 0) {
        ssize_t written = write(fd, data, size);
        if (written < 0 && errno == EINTR) continue;
        if (written <= 0) return false;
        data += written;
        size -= static_cast<size_t>(written);
    }
    return true;
}

char Folded(char c) { return static_cast<char>(std::tolower(static_cast<unsigned char>(c))); }

// "*" any run of characters, "?" one character, case ignored.
bool Matches(const char* pattern, const char* name) {
    for (; *pattern != '\0'; ++pattern, ++name) {
        if (*pattern == '*') {
            while (pattern[1] == '*') ++pattern;
            for (const char* rest = name;; ++rest) {
                if (Matches(pattern + 1, rest)) return true;
                if (*rest == '\0') return false;
            }
        }
        if (*name == '\0') return false;
        if (*pattern != '?' && Folded(*pattern) != Folded(*name)) return false;
    }
    return *name == '\0';
}

// FindFirstFile's reading of a pattern: "*.*" is everything, and "x.*"
// also finds "x" without an extension.
bool MatchesPattern(const std::string& pattern, const std::string& name) {
    if (pattern == "*.*") return true;
    if (Matches(pattern.c_str(), name.c_str())) return true;
    return pattern.size() >= 2 && pattern.compare(pattern.size() - 2, 2, ".*") == 0 &&
           Matches(pattern.substr(0, pattern.size() - 2).c_str(), name.c_str());
}

struct Entry {
    std::string name;
    Kind kind;
};

// The entries of folder matching the pattern, "." and ".." included as
// FindFirstFile lists them; nullopt when the search finds nothing at all.
std::optional<std::vector<Entry>> Search(const std::string& folder, const std::string& pattern) {
    std::string joined = folder;
    if (!joined.empty() && joined.back() != '\\' && joined.back() != '/') joined += '\\';
    joined += pattern;
    const size_t separator = joined.find_last_of("\\/");
    const std::string hostFolder = HostPath(joined.substr(0, separator + 1));
    const std::string filePattern = joined.substr(separator + 1);
    DIR* listing = hostFolder.empty() ? nullptr : opendir(hostFolder.c_str());
    if (listing == nullptr) {
        Fail(hostFolder);
        return std::nullopt;
    }
    std::vector<Entry> entries;
    while (const dirent* entry = readdir(listing)) {
        const std::string name = entry->d_name;
        if (!MatchesPattern(filePattern, name)) continue;
        entries.push_back({name, KindOf(hostFolder + "/" + name)});
    }
    closedir(listing);
    if (entries.empty()) {
        FailWith(kErrorFileNotFound);
        return std::nullopt;
    }
    return entries;
}

bool IsDotEntry(const std::string& name) { return name == "." || name == ".."; }

bool RemoveTree(const std::string& hostPath) {
    DIR* listing = opendir(hostPath.c_str());
    if (listing == nullptr) return Fail(hostPath);
    bool complete = true;
    std::vector<std::string> names;
    while (const dirent* entry = readdir(listing)) {
        if (!IsDotEntry(entry->d_name)) names.emplace_back(entry->d_name);
    }
    closedir(listing);
    for (const std::string& name : names) {
        const std::string child = hostPath + "/" + name;
        struct stat info {};
        if (lstat(child.c_str(), &info) != 0) continue;
        // A link is removed as a link, never followed into its target.
        const bool removed =
            S_ISDIR(info.st_mode) ? RemoveTree(child) : (unlink(child.c_str()) == 0 || Fail(child));
        complete = removed && complete;
    }
    if (rmdir(hostPath.c_str()) != 0) return Fail(hostPath);
    return complete;
}

// What the queries about a path ask, as one call of the seam: nullopt when
// nothing could be learned (LastError() says why).
std::optional<struct stat> StatAt(const char* callName, const std::string& path) {
    const Call call(callName, path, faults::kFileQuery);
    if (call.Fails()) {
        FailWith(call.Code());
        return std::nullopt;
    }
    const std::string hostPath = HostPath(path);
    struct stat info {};
    if (hostPath.empty()) {
        FailWith(kErrorPathNotFound);
        return std::nullopt;
    }
    if (stat(hostPath.c_str(), &info) != 0) {
        Fail(hostPath);
        return std::nullopt;
    }
    return info;
}

// What the tests for a file or folder ask: nullopt when nothing could be
// learned (LastError() says why), else whether a folder stands there.
std::optional<bool> IsFolderAt(const char* callName, const std::string& path) {
    const std::optional<struct stat> info = StatAt(callName, path);
    if (!info) return std::nullopt;
    host::SetLastError(0);
    return S_ISDIR(info->st_mode);
}

}  // namespace

bool IsPlainFile(const std::string& path) {
    // The host knows no hidden or system attribute.
    const std::optional<bool> folder = IsFolderAt("files::IsPlainFile", path);
    return folder && !*folder;
}

bool CanOpenForReading(const std::string& path) {
    const Call call("files::CanOpenForReading", path, faults::kFileRead);
    if (call.Fails()) return FailWith(call.Code());
    const std::string hostPath = HostPath(path);
    if (hostPath.empty()) return false;
    Descriptor file(open(hostPath.c_str(), O_RDONLY));
    struct stat info {};
    // Windows opens no folder without backup semantics.
    return file.IsOpen() && fstat(file.Get(), &info) == 0 && !S_ISDIR(info.st_mode);
}

bool FolderExists(const std::string& path) {
    const std::optional<bool> folder = IsFolderAt("files::FolderExists", path);
    return folder && *folder;
}

std::optional<unsigned long long> FileSize(const std::string& path) {
    const std::optional<struct stat> info = StatAt("files::FileSize", path);
    if (!info) return std::nullopt;
    return static_cast<unsigned long long>(info->st_size);
}

bool FileExists(const std::string& path) {
    const std::optional<bool> folder = IsFolderAt("files::FileExists", path);
    return folder && !*folder;
}

bool CopyFileReplacing(const std::string& source, const std::string& target) {
    const Call call("files::CopyFileReplacing", target, faults::kFileCopy);
    if (call.Fails()) return FailWith(call.Code());
    const std::optional<std::string> bytes = ReadWholeFile(source);
    if (!bytes) return false;
    return WriteWholeFile(target, *bytes);
}

bool DeleteFileAt(const std::string& path, const std::function<void()>&) {
    const Call call("files::DeleteFileAt", path, faults::kFileChange);
    if (call.Fails()) return FailWith(call.Code());
    const std::string hostPath = HostPath(path);
    struct stat info {};
    if (hostPath.empty() || lstat(hostPath.c_str(), &info) != 0) {
        return FailWith(hostPath.empty() ? kErrorPathNotFound
                                         : host::Win32ErrorFor(errno, hostPath));
    }
    if (S_ISDIR(info.st_mode)) return FailWith(kErrorAccessDenied);
    return unlink(hostPath.c_str()) == 0 || Fail(hostPath);
}

bool MoveFileTo(const std::string& source, const std::string& target) {
    const Call call("files::MoveFileTo", source, faults::kFileChange);
    if (call.Fails()) return FailWith(call.Code());
    const std::string from = HostPath(source), to = HostPath(target);
    if (from.empty() || to.empty()) return FailWith(kErrorPathNotFound);
    struct stat info {};
    if (lstat(from.c_str(), &info) != 0) return Fail(from);
    // MoveFile never replaces what is there.
    if (lstat(to.c_str(), &info) == 0) return FailWith(kErrorAlreadyExists);
    return rename(from.c_str(), to.c_str()) == 0 || Fail(to);
}

bool MoveReplacing(const std::string& source, const std::string& target) {
    const Call call("files::MoveReplacing", target, faults::kFileChange);
    if (call.Fails()) return FailWith(call.Code());
    const std::string from = HostPath(source), to = HostPath(target);
    if (from.empty() || to.empty()) return FailWith(kErrorPathNotFound);
    struct stat info {};
    if (lstat(from.c_str(), &info) != 0) return Fail(from);
    // Only a file takes another's place.
    if (S_ISDIR(info.st_mode) || KindOf(to) == Kind::Folder) return FailWith(kErrorAccessDenied);
    return rename(from.c_str(), to.c_str()) == 0 || Fail(to);
}

unsigned long CreateOneFolder(const std::string& path) {
    const Call call("files::CreateOneFolder", path, faults::kFolderMake);
    if (call.Fails()) {
        host::SetLastError(call.Code());
        return call.Code();
    }
    const std::string hostPath = HostPath(path);
    if (hostPath.empty()) return kErrorPathNotFound;
    if (mkdir(hostPath.c_str(), 0777) == 0) return 0;
    const unsigned long code = host::Win32ErrorFor(errno, hostPath);
    host::SetLastError(code);
    return code;
}

FileListing ListPlainFiles(const std::string& folder, const std::string& pattern) {
    FileListing listing;
    const Call call("files::ListPlainFiles", folder, faults::kFolderList);
    if (call.Fails()) {
        listing.error = call.Code();
        FailWith(call.Code());
        return listing;
    }
    const auto entries = Search(folder, pattern);
    if (!entries) {
        listing.error = host::LastError();
        return listing;
    }
    for (const Entry& entry : *entries) {
        if (entry.kind == Kind::File) listing.names.push_back(entry.name);
    }
    return listing;
}

FileListing ListAllFiles(const std::string& folder, const std::string& pattern) {
    const Call call("files::ListAllFiles", folder, faults::kFolderList);
    if (call.Fails()) {
        FailWith(call.Code());
        return {{}, call.Code()};
    }
    return ListPlainFiles(folder, pattern);
}

std::optional<std::string> ReadWholeFile(const std::string& path) {
    const Call call("files::ReadWholeFile", path, faults::kFileRead);
    if (call.Fails()) {
        FailWith(call.Code());
        return std::nullopt;
    }
    const std::string hostPath = HostPath(path);
    if (hostPath.empty()) {
        FailWith(kErrorPathNotFound);
        return std::nullopt;
    }
    Descriptor file(open(hostPath.c_str(), O_RDONLY));
    struct stat info {};
    if (!file.IsOpen() || fstat(file.Get(), &info) != 0) {
        Fail(hostPath);
        return std::nullopt;
    }
    if (S_ISDIR(info.st_mode)) {
        FailWith(kErrorAccessDenied);
        return std::nullopt;
    }
    std::string bytes;
    char buffer[65536];
    for (;;) {
        ssize_t count = read(file.Get(), buffer, sizeof(buffer));
        if (count < 0 && errno == EINTR) continue;
        if (count < 0) {
            Fail(hostPath);
            return std::nullopt;
        }
        if (count == 0) return bytes;
        bytes.append(buffer, static_cast<size_t>(count));
    }
}

bool AppendToFile(const std::string& path, const std::string& bytes) {
    const Call call("files::AppendToFile", path, faults::kFileWrite);
    if (call.Fails()) return FailWith(call.Code());
    const std::string hostPath = HostPath(path);
    if (hostPath.empty()) return FailWith(kErrorPathNotFound);
    Descriptor file(open(hostPath.c_str(), O_WRONLY | O_APPEND | O_CREAT, 0666));
    if (!file.IsOpen()) return Fail(hostPath);
    return WriteAll(file.Get(), bytes.data(), bytes.size()) || Fail(hostPath);
}

// The stand-ins know no current folder of their own: paths stay as given,
// as Windows leaves a path it cannot make full.
std::string FullPathOf(const std::string& path) {
    const Call call("files::FullPathOf", path, faults::code::kPathTooLong);
    if (call.Fails()) FailWith(call.Code());
    return path;
}

bool WriteWholeFile(const std::string& path, const std::string& bytes) {
    const Call call("files::WriteWholeFile", path, faults::kFileWrite);
    if (call.Fails()) return FailWith(call.Code());
    const std::string hostPath = HostPath(path);
    if (hostPath.empty()) return FailWith(kErrorPathNotFound);
    if (KindOf(hostPath) == Kind::Folder) return FailWith(kErrorAccessDenied);
    Descriptor file(open(hostPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0666));
    if (!file.IsOpen()) return Fail(hostPath);
    return WriteAll(file.Get(), bytes.data(), bytes.size()) || Fail(hostPath);
}

std::optional<std::string> CanonicalizeWithShell(const std::string& path) {
    const Call call("files::CanonicalizeWithShell", path, faults::code::kPathTooLong);
    if (call.Fails()) return std::nullopt;
    // The shell's rules on its own separator: "." goes, ".." takes the part
    // before it but never the root, the trailing backslash stays.
    if (encoding::Utf16Length(path) >= kMaxPath) return std::nullopt;
    if (path.empty()) return std::string("\\");
    size_t rootLength = 0;
    if (path.compare(0, 2, "\\\\") == 0) {
        rootLength = 2;
    } else if (path.size() >= 2 && path[1] == ':') {
        rootLength = path.size() >= 3 && path[2] == '\\' ? 3 : 2;
    } else if (path[0] == '\\') {
        rootLength = 1;
    }
    std::vector<std::string> parts;
    size_t start = rootLength;
    while (start <= path.size()) {
        size_t end = path.find('\\', start);
        if (end == std::string::npos) end = path.size();
        const std::string part = path.substr(start, end - start);
        if (part == "..") {
            if (!parts.empty()) parts.pop_back();
        } else if (part != "." && !part.empty()) {
            parts.push_back(part);
        }
        start = end + 1;
    }
    std::string result = path.substr(0, rootLength);
    for (size_t i = 0; i < parts.size(); ++i) {
        if (i > 0) result += '\\';
        result += parts[i];
    }
    if (path.back() == '\\' && !parts.empty()) result += '\\';
    return result;
}

bool DeleteFolderTree(const std::string& path) {
    const Call call("files::DeleteFolderTree", path, faults::kFileChange);
    if (call.Fails()) return FailWith(call.Code());
    const std::string hostPath = HostPath(path);
    struct stat info {};
    if (hostPath.empty() || lstat(hostPath.c_str(), &info) != 0) return false;
    // A link to a folder: remove the link, never what it points to.
    if (S_ISLNK(info.st_mode)) return unlink(hostPath.c_str()) == 0 || Fail(hostPath);
    if (!S_ISDIR(info.st_mode)) return FailWith(kErrorPathNotFound);
    return RemoveTree(hostPath);
}

std::string TempFolder() {
    const char* folder = std::getenv("TMPDIR");
    std::string path = folder != nullptr && *folder != '\0' ? folder : "/tmp";
    if (path.back() != '/') path += '/';
    return path;
}

unsigned long LastError() { return host::LastError(); }

unsigned long CopyFileInSteps(const std::string& source, const std::string& target,
                              const std::function<bool()>& between,
                              unsigned long long* bytesWritten) {
    if (bytesWritten != nullptr) *bytesWritten = 0;
    const Call call("files::CopyFileInSteps", target, faults::kFileCopy);
    if (call.Fails()) return call.Code();
    constexpr size_t kStep = 256 * 1024;
    const std::string from = HostPath(source), to = HostPath(target);
    if (from.empty() || to.empty()) return kErrorPathNotFound;
    Descriptor input(open(from.c_str(), O_RDONLY));
    struct stat info {};
    if (!input.IsOpen() || fstat(input.Get(), &info) != 0) {
        return host::Win32ErrorFor(errno, from);
    }
    if (S_ISDIR(info.st_mode)) return kErrorAccessDenied;
    // A read-only target is replaced all the same, and the copy is writable.
    chmod(to.c_str(), 0666);
    unsigned long result = 0;
    {
        Descriptor output(open(to.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0666));
        if (!output.IsOpen()) return host::Win32ErrorFor(errno, to);
        std::string buffer(kStep, '\0');
        off_t left = info.st_size;
        while (result == 0 && left > 0) {
            const ssize_t count = read(input.Get(), buffer.data(), buffer.size());
            if (count < 0 && errno == EINTR) continue;
            if (count <= 0) {
                result = count < 0 ? host::Win32ErrorFor(errno, from) : kErrorFileNotFound;
                break;
            }
            if (!WriteAll(output.Get(), buffer.data(), static_cast<size_t>(count))) {
                result = host::Win32ErrorFor(errno, to);
                break;
            }
            left -= count;
            if (left > 0 && between && !between()) result = kCopyStopped;
        }
    }
    // A half-written file must not pass for a copy.
    if (result != 0) unlink(to.c_str());
    if (result == 0 && bytesWritten != nullptr) *bytesWritten = info.st_size;
    return result;
}

std::string ErrorDescription(unsigned long code) {
    switch (code) {
        case 2:
            return "The system cannot find the file specified.";
        case 3:
            return "The system cannot find the path specified.";
        case 5:
            return "Access is denied.";
        case 32:
            return "The process cannot access the file because it is being used by another "
                   "process.";
        case 39:
            return "The disk is full.";
        case 64:
            return "The specified network name is no longer available.";
        case 112:
            return "There is not enough space on the disk.";
        case 206:
            return "The filename or extension is too long.";
        default:
            return "Fehler " + std::to_string(code);
    }
}

std::optional<std::vector<FolderEntry>> ListEntries(const std::string& folder,
                                                    const std::string& pattern) {
    const Call call("files::ListEntries", folder, faults::kFolderList);
    if (call.Fails()) {
        FailWith(call.Code());
        return std::nullopt;
    }
    const auto entries = Search(folder, pattern);
    if (!entries) return std::nullopt;
    const std::string hostFolder = HostPath(folder);
    std::vector<FolderEntry> found;
    for (const Entry& entry : *entries) {
        if (IsDotEntry(entry.name)) continue;
        struct stat info {};
        const bool link =
            lstat((hostFolder + "/" + entry.name).c_str(), &info) == 0 && S_ISLNK(info.st_mode);
        found.push_back({entry.name, entry.kind == Kind::Folder, false, link});
    }
    return found;
}

bool IsLink(const std::string& path) {
    const Call call("files::IsLink", path, faults::kFileQuery);
    if (call.Fails()) return FailWith(call.Code());
    const std::string hostPath = HostPath(path);
    struct stat info {};
    return !hostPath.empty() && lstat(hostPath.c_str(), &info) == 0 && S_ISLNK(info.st_mode);
}

bool DeleteFileIfWritable(const std::string& path) {
    const Call call("files::DeleteFileIfWritable", path, faults::kFileChange);
    if (call.Fails()) return FailWith(call.Code());
    const std::string hostPath = HostPath(path);
    struct stat info {};
    if (hostPath.empty() || lstat(hostPath.c_str(), &info) != 0) return Fail(hostPath);
    if (S_ISDIR(info.st_mode)) return FailWith(kErrorAccessDenied);
    // Windows deletes no read-only file; the host's owner-write bit stands for it.
    if (!S_ISLNK(info.st_mode) && (info.st_mode & S_IWUSR) == 0) {
        return FailWith(kErrorAccessDenied);
    }
    return unlink(hostPath.c_str()) == 0 || Fail(hostPath);
}

bool RemoveEmptyFolder(const std::string& path) {
    const Call call("files::RemoveEmptyFolder", path, faults::kFileChange);
    if (call.Fails()) return FailWith(call.Code());
    const std::string hostPath = HostPath(path);
    struct stat info {};
    if (hostPath.empty() || lstat(hostPath.c_str(), &info) != 0) return Fail(hostPath);
    // A folder link goes itself; its target stays.
    if (S_ISLNK(info.st_mode)) return unlink(hostPath.c_str()) == 0 || Fail(hostPath);
    return rmdir(hostPath.c_str()) == 0 || Fail(hostPath);
}

}  // namespace platform::files

namespace platform::files {

// The native build has no system code page; it stands for a Western machine.
std::string Utf8FromAnsiCodePage(std::string_view bytes) {
    return encoding::Utf8FromWindows1252(bytes);
}

std::string AnsiCodePageFromUtf8(std::string_view text) {
    return encoding::Windows1252FromUtf8(text);
}

}  // namespace platform::files
