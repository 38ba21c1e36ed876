#include <windows.h>
#include <shlwapi.h>

#include <memory>

#include "platform/Files.h"
#include "platform/ScopedHandle.h"
#include "platform/TextConversion.h"
#include "platform/WorkAside.h"

namespace platform::files {
namespace {

constexpr DWORD kNotPlain = FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;

std::string JoinPattern(const std::string& folder, const std::string& pattern) {
    std::string full = folder;
    if (!full.empty() && full.back() != '\\') full += '\\';
    return full + pattern;
}

// Visits every entry; 0 when the search ran to its end, else the Win32
// code of the failure that started or ended it early.
template <typename Visit>
DWORD ForEachEntry(const std::string& folder, const std::string& pattern, Visit visit) {
    WIN32_FIND_DATAA entry{};
    ScopedFindHandle search(FindFirstFileA(JoinPattern(folder, pattern).c_str(), &entry));
    if (!search) return GetLastError();
    do {
        std::string name(entry.cFileName, strnlen(entry.cFileName, MAX_PATH));
        if (name != "." && name != "..") visit(name, entry.dwFileAttributes);
    } while (FindNextFileA(search.Get(), &entry));
    const DWORD ended = GetLastError();
    return ended == ERROR_NO_MORE_FILES ? 0 : ended;
}

// The path the file system resolves an open handle to; empty when it cannot tell.
std::string FinalPath(HANDLE handle) {
    char buffer[4 * MAX_PATH];
    const DWORD length = GetFinalPathNameByHandleA(handle, buffer, sizeof(buffer), 0);
    if (length == 0 || length >= sizeof(buffer)) return {};
    return std::string(buffer, length);
}

// Whether a handle opened on `path` without following links is that very
// directory entry. Wine 8 shows a host symbolic link to a file as the file
// it points to (no reparse attribute from GetFileAttributes, FindFirstFile
// or a handle opened with FILE_FLAG_OPEN_REPARSE_POINT) and opens the
// target; only the handle's resolved path, which names the target, gives it
// away. A platform that cannot tell either path is not second-guessed.
bool IsEntryItself(HANDLE entry, const std::string& path) {
    char full[4 * MAX_PATH];
    const DWORD length = GetFullPathNameA(path.c_str(), sizeof(full), full, nullptr);
    if (length == 0 || length >= sizeof(full)) return true;
    std::string parent(full, length);
    parent.erase(parent.find_last_of('\\') + 1);
    if (parent.size() > 3) parent.pop_back();  // a root keeps its backslash
    WIN32_FIND_DATAA found{};
    ScopedFindHandle search(FindFirstFileA(path.c_str(), &found));
    ScopedKernelHandle folder(CreateFileA(parent.c_str(), FILE_READ_ATTRIBUTES,
                                          FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                          nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS,
                                          nullptr));
    if (!search || !folder) return true;
    std::string expected = FinalPath(folder.Get());
    const std::string actual = FinalPath(entry);
    if (expected.empty() || actual.empty()) return true;
    if (expected.back() != '\\') expected += '\\';
    expected += std::string(found.cFileName, strnlen(found.cFileName, MAX_PATH));
    return lstrcmpiA(expected.c_str(), actual.c_str()) == 0;
}

}  // namespace

bool IsPlainFile(const std::string& path) {
    if (path.empty()) return false;
    DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & kNotPlain) == 0;
}

bool CanOpenForReading(const std::string& path) {
    if (path.empty()) return false;
    ScopedKernelHandle file(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                        OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
    if (!file) return false;
    // A folder opens only with backup semantics, so reaching here means a file.
    return true;
}

bool FolderExists(const std::string& path) {
    if (path.empty()) return false;
    DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

std::optional<unsigned long long> FileSize(const std::string& path) {
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data)) return std::nullopt;
    return (static_cast<unsigned long long>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
}

bool FileExists(const std::string& path) {
    if (path.empty()) return false;
    DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

bool CopyFileReplacing(const std::string& source, const std::string& target) {
    return CopyFileA(source.c_str(), target.c_str(), FALSE) != 0;
}

namespace {

// Everything goes through one handle on the entry itself: opened with
// FILE_FLAG_OPEN_REPARSE_POINT, a link is never followed, so clearing the
// read-only attribute and deleting touch the link, not its target.
HANDLE OpenEntryToDelete(const std::string& path) {
    return CreateFileA(path.c_str(), DELETE | FILE_READ_ATTRIBUTES | FILE_WRITE_ATTRIBUTES,
                       FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                       OPEN_EXISTING, FILE_FLAG_OPEN_REPARSE_POINT | FILE_FLAG_BACKUP_SEMANTICS,
                       nullptr);
}

bool DeleteEntry(const std::string& path) {
    ScopedKernelHandle entry(OpenEntryToDelete(path));
    if (!entry) return false;
    FILE_BASIC_INFO basic{};
    if (!GetFileInformationByHandleEx(entry.Get(), FileBasicInfo, &basic, sizeof(basic))) {
        return false;
    }
    if ((basic.FileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0 ||
        !IsEntryItself(entry.Get(), path)) {
        SetLastError(ERROR_ACCESS_DENIED);
        return false;
    }
    if ((basic.FileAttributes & FILE_ATTRIBUTE_READONLY) != 0) {
        FILE_BASIC_INFO writable{};  // zero times stay as they are
        writable.FileAttributes = basic.FileAttributes & ~FILE_ATTRIBUTE_READONLY;
        if (writable.FileAttributes == 0) writable.FileAttributes = FILE_ATTRIBUTE_NORMAL;
        SetFileInformationByHandle(entry.Get(), FileBasicInfo, &writable, sizeof(writable));
    }
    FILE_DISPOSITION_INFO disposition{TRUE};
    return SetFileInformationByHandle(entry.Get(), FileDispositionInfo, &disposition,
                                      sizeof(disposition)) != 0;
}

}  // namespace

bool DeleteFileAt(const std::string& path, const std::function<void()>& between) {
    if (!between) return DeleteEntry(path);
    bool deleted = false;
    RunAside([&] { deleted = DeleteEntry(path); }, between);
    return deleted;
}

bool MoveFileTo(const std::string& source, const std::string& target) {
    return MoveFileA(source.c_str(), target.c_str()) != 0;
}

bool MoveReplacing(const std::string& source, const std::string& target) {
    const std::wstring from = ToWide(source), to = ToWide(target);
    if (MoveFileExW(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING)) return true;
    if (GetLastError() != ERROR_ACCESS_DENIED) return false;
    // A file of an earlier copy from a CD is read-only; it goes all the same.
    constexpr DWORD kProtecting =
        FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;
    const DWORD attributes = GetFileAttributesW(to.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0 ||
        (attributes & kProtecting) == 0 ||
        !SetFileAttributesW(to.c_str(), FILE_ATTRIBUTE_NORMAL)) {
        SetLastError(ERROR_ACCESS_DENIED);
        return false;
    }
    if (MoveFileExW(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING)) return true;
    const DWORD failure = GetLastError();
    SetFileAttributesW(to.c_str(), attributes);
    SetLastError(failure);
    return false;
}

unsigned long CreateOneFolder(const std::string& path) {
    return CreateDirectoryA(path.c_str(), nullptr) ? 0 : GetLastError();
}

FileListing ListPlainFiles(const std::string& folder, const std::string& pattern) {
    FileListing listing;
    listing.error = ForEachEntry(folder, pattern, [&](const std::string& name, DWORD attributes) {
        if ((attributes & kNotPlain) == 0) listing.names.push_back(name);
    });
    return listing;
}

FileListing ListAllFiles(const std::string& folder, const std::string& pattern) {
    FileListing listing;
    listing.error = ForEachEntry(folder, pattern, [&](const std::string& name, DWORD attributes) {
        if ((attributes & FILE_ATTRIBUTE_DIRECTORY) == 0) listing.names.push_back(name);
    });
    return listing;
}

std::optional<std::string> ReadWholeFile(const std::string& path) {
    ScopedKernelHandle file(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                        OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
    if (!file) return std::nullopt;
    std::string bytes;
    char buffer[65536];
    for (;;) {
        DWORD read = 0;
        // A damaged or unreachable file must not pass for a shorter one.
        if (!ReadFile(file.Get(), buffer, sizeof(buffer), &read, nullptr)) return std::nullopt;
        if (read == 0) return bytes;
        bytes.append(buffer, read);
    }
}

namespace {

// Opens the file as asked and writes all of `bytes`.
bool WriteFileAs(const std::string& path, DWORD access, DWORD share, DWORD disposition,
                 const std::string& bytes) {
    ScopedKernelHandle file(CreateFileA(path.c_str(), access, share, nullptr, disposition,
                                        FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return false;
    DWORD written = 0;
    return WriteFile(file.Get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written,
                     nullptr) &&
           written == bytes.size();
}

}  // namespace

bool WriteWholeFile(const std::string& path, const std::string& bytes) {
    return WriteFileAs(path, GENERIC_WRITE, 0, CREATE_ALWAYS, bytes);
}

bool AppendToFile(const std::string& path, const std::string& bytes) {
    return WriteFileAs(path, FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, OPEN_ALWAYS,
                       bytes);
}

std::string FullPathOf(const std::string& path) {
    char full[4 * MAX_PATH];
    const DWORD length = GetFullPathNameA(path.c_str(), sizeof(full), full, nullptr);
    if (length == 0 || length >= sizeof(full)) return path;
    return std::string(full, length);
}

std::optional<std::string> CanonicalizeWithShell(const std::string& path) {
    // PathCanonicalizeA writes at most MAX_PATH characters.
    char buffer[1024] = {};
    if (path.size() >= MAX_PATH) return std::nullopt;
    if (!PathCanonicalizeA(buffer, path.c_str())) return std::nullopt;
    return std::string(buffer, strnlen(buffer, sizeof(buffer)));
}

bool DeleteFolderTree(const std::string& path) {
    DWORD attributes = GetFileAttributesA(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) return false;
    if ((attributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0) {
        // A junction or folder link: remove the link, never what it points to.
        return RemoveDirectoryA(path.c_str()) != 0 || DeleteFileA(path.c_str()) != 0;
    }
    bool complete = true;
    ForEachEntry(path, "*", [&](const std::string& name, DWORD entryAttributes) {
        std::string child = JoinPattern(path, name);
        if ((entryAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
            complete = DeleteFolderTree(child) && complete;
        } else {
            complete = DeleteFileAt(child) && complete;
        }
    });
    SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    return RemoveDirectoryA(path.c_str()) != 0 && complete;
}

std::string TempFolder() {
    char buffer[MAX_PATH + 1] = {};
    DWORD length = GetTempPathA(sizeof(buffer), buffer);
    if (length == 0 || length > MAX_PATH) return {};
    return std::string(buffer, length);
}

unsigned long LastError() { return GetLastError(); }

namespace {

static_assert(kCopyStopped == ERROR_REQUEST_ABORTED);

// Large enough for the disk's pace, small enough that a slow share still
// lets the windows answer several times a second.
constexpr DWORD kCopyStep = 256 * 1024;

unsigned long FailureCode() {
    const DWORD code = GetLastError();
    return code != 0 ? code : ERROR_GEN_FAILURE;
}

bool WriteAll(HANDLE file, const char* bytes, DWORD count) {
    while (count > 0) {
        DWORD written = 0;
        if (!WriteFile(file, bytes, count, &written, nullptr) || written == 0) return false;
        bytes += written;
        count -= written;
    }
    return true;
}

// The old file goes anyway; its read-only (or hidden) attribute must not
// keep it from being replaced.
void MakeReplaceable(const std::string& path) {
    const DWORD attributes = GetFileAttributesA(path.c_str());
    constexpr DWORD kProtecting =
        FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0 &&
        (attributes & kProtecting) != 0) {
        SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    }
}

// One buffer for every copy: allocating it for each file costs more than
// copying a small file. A copy started while another one lets the windows
// answer gets a buffer of its own.
class StepBuffer {
  public:
    StepBuffer() {
        if (sharedInUse_) {
            own_.reset(new char[kCopyStep]);
            data_ = own_.get();
            return;
        }
        if (!shared_) shared_.reset(new char[kCopyStep]);
        sharedInUse_ = true;
        data_ = shared_.get();
    }
    ~StepBuffer() {
        if (!own_) sharedInUse_ = false;
    }
    StepBuffer(const StepBuffer&) = delete;
    StepBuffer& operator=(const StepBuffer&) = delete;
    char* Data() const { return data_; }

  private:
    static inline std::unique_ptr<char[]> shared_;
    static inline bool sharedInUse_ = false;
    std::unique_ptr<char[]> own_;
    char* data_ = nullptr;
};

unsigned long CopyContents(HANDLE source, HANDLE target, unsigned long long size,
                           const std::function<bool()>& between) {
    StepBuffer buffer;
    unsigned long long copied = 0;
    for (;;) {
        DWORD read = 0;
        if (!ReadFile(source, buffer.Data(), kCopyStep, &read, nullptr)) return FailureCode();
        if (read == 0) return 0;
        if (!WriteAll(target, buffer.Data(), read)) return FailureCode();
        copied += read;
        if (copied < size && between && !between()) return kCopyStopped;
    }
}

}  // namespace

unsigned long CopyFileInSteps(const std::string& source, const std::string& target,
                              const std::function<bool()>& between) {
    ScopedKernelHandle from(CreateFileA(source.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                        OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
    if (!from) return FailureCode();
    FILE_BASIC_INFO info{};
    LARGE_INTEGER size{};
    if (!GetFileInformationByHandleEx(from.Get(), FileBasicInfo, &info, sizeof(info)) ||
        !GetFileSizeEx(from.Get(), &size)) {
        return FailureCode();
    }
    const DWORD kept = info.FileAttributes &
                       (FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM);
    MakeReplaceable(target);
    ScopedKernelHandle to(CreateFileA(target.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                      kept != 0 ? kept : FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!to) return FailureCode();
    // A half-written file must not pass for a copy.
    const auto removePartial = [&] {
        to.Reset(nullptr);
        DeleteFileA(target.c_str());
    };
    unsigned long result = 0;
    try {
        result = CopyContents(from.Get(), to.Get(), static_cast<unsigned long long>(size.QuadPart),
                              between);
    } catch (...) {
        removePartial();
        throw;
    }
    const FILETIME written{info.LastWriteTime.LowPart,
                           static_cast<DWORD>(info.LastWriteTime.HighPart)};
    if (result == 0 && !SetFileTime(to.Get(), nullptr, nullptr, &written)) result = FailureCode();
    if (result != 0) removePartial();
    return result;
}

std::string ErrorDescription(unsigned long code) {
    char text[512] = {};
    DWORD length = FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                                  nullptr, code, 0, text, sizeof(text), nullptr);
    while (length > 0 &&
           (text[length - 1] == '\r' || text[length - 1] == '\n' || text[length - 1] == ' ')) {
        --length;
    }
    if (length == 0) return "Fehler " + std::to_string(code);
    return std::string(text, length);
}

std::optional<std::vector<FolderEntry>> ListEntries(const std::string& folder,
                                                    const std::string& pattern) {
    std::vector<FolderEntry> entries;
    const DWORD error = ForEachEntry(folder, pattern, [&](const std::string& name, DWORD attributes) {
        entries.push_back({name, (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0,
                           (attributes & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM)) != 0,
                           (attributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0});
    });
    if (error != 0 && entries.empty()) return std::nullopt;
    return entries;
}

bool IsLink(const std::string& path) {
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES &&
           (attributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0;
}

bool DeleteFileIfWritable(const std::string& path) { return DeleteFileA(path.c_str()) != 0; }

bool RemoveEmptyFolder(const std::string& path) { return RemoveDirectoryA(path.c_str()) != 0; }

}  // namespace platform::files
