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

DWORD AttributesOf(const std::string& path) { return GetFileAttributesW(ToWide(path).c_str()); }

// A text that a W call writes into a buffer of the size it asks for: the
// call answers the size it needs when the buffer is too small, 0 on failure.
template <typename Fill>
std::wstring FilledText(Fill fill) {
    std::wstring buffer(MAX_PATH, L'\0');
    for (int attempt = 0; attempt < 3; ++attempt) {
        const DWORD length = fill(buffer.data(), static_cast<DWORD>(buffer.size()));
        if (length == 0) return {};
        if (length < buffer.size()) {
            buffer.resize(length);
            return buffer;
        }
        buffer.assign(length + 1, L'\0');
    }
    return {};
}

// Visits every entry; 0 when the search ran to its end, else the Win32
// code of the failure that started or ended it early.
template <typename Visit>
DWORD ForEachEntry(const std::string& folder, const std::string& pattern, Visit visit) {
    WIN32_FIND_DATAW entry{};
    ScopedFindHandle search(FindFirstFileW(ToWide(JoinPattern(folder, pattern)).c_str(), &entry));
    if (!search) return GetLastError();
    do {
        const std::string name =
            FromWide(std::wstring_view(entry.cFileName, wcsnlen(entry.cFileName, MAX_PATH)));
        if (name != "." && name != "..") visit(name, entry.dwFileAttributes);
    } while (FindNextFileW(search.Get(), &entry));
    const DWORD ended = GetLastError();
    return ended == ERROR_NO_MORE_FILES ? 0 : ended;
}

// The path the file system resolves an open handle to; empty when it cannot tell.
std::wstring FinalPath(HANDLE handle) {
    return FilledText([handle](wchar_t* buffer, DWORD size) {
        return GetFinalPathNameByHandleW(handle, buffer, size, 0);
    });
}

std::wstring FullWidePath(const std::wstring& path) {
    return FilledText([&path](wchar_t* buffer, DWORD size) {
        return GetFullPathNameW(path.c_str(), size, buffer, nullptr);
    });
}

// Whether a handle opened on `path` without following links is that very
// directory entry. Wine 8 shows a host symbolic link to a file as the file
// it points to (no reparse attribute from GetFileAttributes, FindFirstFile
// or a handle opened with FILE_FLAG_OPEN_REPARSE_POINT) and opens the
// target; only the handle's resolved path, which names the target, gives it
// away. A platform that cannot tell either path is not second-guessed.
bool IsEntryItself(HANDLE entry, const std::string& path) {
    const std::wstring widePath = ToWide(path);
    std::wstring parent = FullWidePath(widePath);
    if (parent.empty()) return true;
    parent.erase(parent.find_last_of(L'\\') + 1);
    if (parent.size() > 3) parent.pop_back();  // a root keeps its backslash
    WIN32_FIND_DATAW found{};
    ScopedFindHandle search(FindFirstFileW(widePath.c_str(), &found));
    ScopedKernelHandle folder(CreateFileW(parent.c_str(), FILE_READ_ATTRIBUTES,
                                          FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                          nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS,
                                          nullptr));
    if (!search || !folder) return true;
    std::wstring expected = FinalPath(folder.Get());
    const std::wstring actual = FinalPath(entry);
    if (expected.empty() || actual.empty()) return true;
    if (expected.back() != L'\\') expected += L'\\';
    expected.append(found.cFileName, wcsnlen(found.cFileName, MAX_PATH));
    return lstrcmpiW(expected.c_str(), actual.c_str()) == 0;
}

// The attributes of what is at `path`; nullopt when nothing could be
// learned (LastError() says why). There at all is no failure of the system's.
std::optional<DWORD> AttributesIfThere(const std::string& path) {
    if (path.empty()) {
        SetLastError(ERROR_PATH_NOT_FOUND);
        return std::nullopt;
    }
    const DWORD attributes = AttributesOf(path);
    if (attributes == INVALID_FILE_ATTRIBUTES) return std::nullopt;
    SetLastError(ERROR_SUCCESS);
    return attributes;
}

}  // namespace

bool IsPlainFile(const std::string& path) {
    // There, but a folder, hidden or system: no plain file.
    const std::optional<DWORD> attributes = AttributesIfThere(path);
    return attributes && (*attributes & kNotPlain) == 0;
}

bool CanOpenForReading(const std::string& path) {
    if (path.empty()) return false;
    ScopedKernelHandle file(CreateFileW(ToWide(path).c_str(), GENERIC_READ, FILE_SHARE_READ,
                                        nullptr, OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
    if (!file) return false;
    // A folder opens only with backup semantics, so reaching here means a file.
    return true;
}

bool FolderExists(const std::string& path) {
    const std::optional<DWORD> attributes = AttributesIfThere(path);
    return attributes && (*attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

std::optional<unsigned long long> FileSize(const std::string& path) {
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (!GetFileAttributesExW(ToWide(path).c_str(), GetFileExInfoStandard, &data)) {
        return std::nullopt;
    }
    return (static_cast<unsigned long long>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
}

bool FileExists(const std::string& path) {
    const std::optional<DWORD> attributes = AttributesIfThere(path);
    return attributes && (*attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

bool CopyFileReplacing(const std::string& source, const std::string& target) {
    return CopyFileW(ToWide(source).c_str(), ToWide(target).c_str(), FALSE) != 0;
}

namespace {

// Everything goes through one handle on the entry itself: opened with
// FILE_FLAG_OPEN_REPARSE_POINT, a link is never followed, so clearing the
// read-only attribute and deleting touch the link, not its target.
HANDLE OpenEntryToDelete(const std::string& path) {
    return CreateFileW(ToWide(path).c_str(), DELETE | FILE_READ_ATTRIBUTES | FILE_WRITE_ATTRIBUTES,
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
    return MoveFileW(ToWide(source).c_str(), ToWide(target).c_str()) != 0;
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
    return CreateDirectoryW(ToWide(path).c_str(), nullptr) ? 0 : GetLastError();
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
    ScopedKernelHandle file(CreateFileW(ToWide(path).c_str(), GENERIC_READ, FILE_SHARE_READ,
                                        nullptr, OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
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
    ScopedKernelHandle file(CreateFileW(ToWide(path).c_str(), access, share, nullptr, disposition,
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
    const std::wstring full = FullWidePath(ToWide(path));
    return full.empty() ? path : FromWide(full);
}

std::optional<std::string> CanonicalizeWithShell(const std::string& path) {
    // PathCanonicalizeW writes at most MAX_PATH characters.
    const std::wstring wide = ToWide(path);
    if (wide.size() >= MAX_PATH) return std::nullopt;
    wchar_t buffer[MAX_PATH + 1] = {};
    if (!PathCanonicalizeW(buffer, wide.c_str())) return std::nullopt;
    return FromWide(std::wstring_view(buffer, wcsnlen(buffer, MAX_PATH)));
}

bool DeleteFolderTree(const std::string& path) {
    const std::wstring wide = ToWide(path);
    DWORD attributes = GetFileAttributesW(wide.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) return false;
    if ((attributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0) {
        // A junction or folder link: remove the link, never what it points to.
        return RemoveDirectoryW(wide.c_str()) != 0 || DeleteFileW(wide.c_str()) != 0;
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
    SetFileAttributesW(wide.c_str(), FILE_ATTRIBUTE_NORMAL);
    return RemoveDirectoryW(wide.c_str()) != 0 && complete;
}

std::string TempFolder() {
    return FromWide(FilledText([](wchar_t* buffer, DWORD size) { return GetTempPathW(size, buffer); }));
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
// keep it from being replaced. True when it stood in the way and was cleared.
bool MakeReplaceable(const std::wstring& path) {
    const DWORD attributes = GetFileAttributesW(path.c_str());
    constexpr DWORD kProtecting =
        FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0 &&
           (attributes & kProtecting) != 0 &&
           SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL) != 0;
}

// The target of a copy, opened for writing. Its attributes are looked at only
// when it refuses (Windows refuses to overwrite a read-only, hidden or system
// file): into a new folder, the usual case, that saves a query per file.
ScopedKernelHandle CreateCopyTarget(const std::wstring& path, DWORD attributes) {
    const auto create = [&] {
        return ScopedKernelHandle(CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr,
                                              CREATE_ALWAYS, attributes, nullptr));
    };
    ScopedKernelHandle target = create();
    if (!target && GetLastError() == ERROR_ACCESS_DENIED) {
        if (!MakeReplaceable(path)) {
            SetLastError(ERROR_ACCESS_DENIED);
            return target;
        }
        target = create();
    }
    if (target && GetLastError() == ERROR_ALREADY_EXISTS) {
        // Where the system let a read-only file be overwritten (Wine run by
        // root), it would stay read-only: the copy takes the source's.
        FILE_BASIC_INFO basic{};
        basic.FileAttributes = attributes;
        if (!SetFileInformationByHandle(target.Get(), FileBasicInfo, &basic, sizeof(basic))) {
            return ScopedKernelHandle();
        }
    }
    return target;
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
                           const std::function<bool()>& between, unsigned long long& copied) {
    StepBuffer buffer;
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
                              const std::function<bool()>& between,
                              unsigned long long* bytesWritten) {
    if (bytesWritten != nullptr) *bytesWritten = 0;
    ScopedKernelHandle from(CreateFileW(ToWide(source).c_str(), GENERIC_READ, FILE_SHARE_READ,
                                        nullptr, OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
    if (!from) return FailureCode();
    // Not GetFileInformationByHandle: Wine works out the file's name for it,
    // which costs more than copying a small file.
    FILE_BASIC_INFO info{};
    LARGE_INTEGER size{};
    if (!GetFileInformationByHandleEx(from.Get(), FileBasicInfo, &info, sizeof(info)) ||
        !GetFileSizeEx(from.Get(), &size)) {
        return FailureCode();
    }
    const DWORD kept = info.FileAttributes &
                       (FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM);
    const std::wstring wideTarget = ToWide(target);
    ScopedKernelHandle to = CreateCopyTarget(wideTarget, kept != 0 ? kept : FILE_ATTRIBUTE_NORMAL);
    if (!to) return FailureCode();
    // A half-written file must not pass for a copy.
    const auto removePartial = [&] {
        to.Reset(nullptr);
        DeleteFileW(wideTarget.c_str());
    };
    unsigned long long copied = 0;
    unsigned long result = 0;
    try {
        result = CopyContents(from.Get(), to.Get(), static_cast<unsigned long long>(size.QuadPart),
                              between, copied);
    } catch (...) {
        removePartial();
        throw;
    }
    const FILETIME written{info.LastWriteTime.LowPart,
                           static_cast<DWORD>(info.LastWriteTime.HighPart)};
    if (result == 0 && !SetFileTime(to.Get(), nullptr, nullptr, &written)) result = FailureCode();
    if (result != 0) removePartial();
    if (result == 0 && bytesWritten != nullptr) *bytesWritten = copied;
    return result;
}

std::string ErrorDescription(unsigned long code) {
    wchar_t text[512] = {};
    DWORD length = FormatMessageW(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                                  nullptr, code, 0, text, 512, nullptr);
    while (length > 0 &&
           (text[length - 1] == L'\r' || text[length - 1] == L'\n' || text[length - 1] == L' ')) {
        --length;
    }
    if (length == 0) return "Fehler " + std::to_string(code);
    return FromWide(std::wstring_view(text, length));
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
    const DWORD attributes = AttributesOf(path);
    return attributes != INVALID_FILE_ATTRIBUTES &&
           (attributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0;
}

bool DeleteFileIfWritable(const std::string& path) {
    return DeleteFileW(ToWide(path).c_str()) != 0;
}

bool RemoveEmptyFolder(const std::string& path) {
    return RemoveDirectoryW(ToWide(path).c_str()) != 0;
}

std::string Utf8FromAnsiCodePage(std::string_view bytes) {
    return FromWide(WideFromCodePage(bytes, CP_ACP));
}

std::string AnsiCodePageFromUtf8(std::string_view text) {
    return CodePageFromWide(ToWide(text), CP_ACP);
}

}  // namespace platform::files
