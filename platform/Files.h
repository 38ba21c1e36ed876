// File-system wrappers. Files are not faked: tests use them for real in
// temporary folders, so these are plain functions, not part of Platform.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace platform::files {

// How a stored text file is read into the programs' UTF-8; a byte-order
// mark (UTF-8 or UTF-16), where the file has one, wins.
enum class TextEncoding {
    // The image's own files, written by the suite's maker on a German
    // system: the same text on every machine, whatever its code page.
    Windows1252,
    // Files that the suite's ANSI programs write on this machine.
    AnsiCodePage,
};
// The stored bytes as UTF-8 text.
std::string DecodeText(std::string_view bytes, TextEncoding encoding);
// Text in the system's ANSI code page and back; a character the code page
// lacks becomes its default character.
std::string Utf8FromAnsiCodePage(std::string_view bytes);
std::string AnsiCodePageFromUtf8(std::string_view text);

// True for an existing file that is neither a folder nor hidden nor system.
// When false, LastError() tells why: 0 for an entry that is there but is no
// plain file, a code FileIsMissing knows when nothing is there, any other code
// when the system could not tell (no rights, the share gone).
bool IsPlainFile(const std::string& path);
// The codes with which a path names nothing: file or path not found, or a
// name no file can have (a wildcard in it, a bad path form).
inline bool FileIsMissing(unsigned long code) {
    return code == 2 || code == 3 || code == 123 || code == 161;
}
// True when the file can be opened for sequential reading.
bool CanOpenForReading(const std::string& path);
// True for an existing folder; when false, LastError() tells why, as for
// IsPlainFile (0: there, but no folder).
bool FolderExists(const std::string& path);
// The size of a file in bytes; nullopt when it cannot be read (LastError() says why).
std::optional<unsigned long long> FileSize(const std::string& path);
// Any file, hidden ones included; when false, LastError() tells why, as for
// IsPlainFile (0: there, but a folder).
bool FileExists(const std::string& path);
// Copies, replacing an existing target; false on any failure.
bool CopyFileReplacing(const std::string& source, const std::string& target);
// Deletes a file, a read-only one too; a link is deleted, never its target.
// With `between`, the file goes on a thread of its own while `between` runs
// here now and then, so that the windows answer also while the file system
// holds the deletion up (see RunAside).
bool DeleteFileAt(const std::string& path, const std::function<void()>& between = nullptr);
bool MoveFileTo(const std::string& source, const std::string& target);
// Renames a file over another one, which goes, even a read-only one; false on
// any failure, the other file then as it was.
bool MoveReplacing(const std::string& source, const std::string& target);
// Creates one folder level; the Win32 error code (0 on success).
unsigned long CreateOneFolder(const std::string& path);
// The names a folder search found, and how the search ended.
struct FileListing {
    std::vector<std::string> names;  // those found before it ended
    unsigned long error = 0;         // 0: complete; else the Win32 code that ended it
    // Nothing of that name is there: "file not found" or "path not found".
    // Any other code (access denied, a network error) is a failed listing.
    bool NothingThere() const { return error == 2 || error == 3; }
};
// Names (not paths) of the entries matching folder\pattern that are plain
// files (no folders, hidden or system files).
FileListing ListPlainFiles(const std::string& folder, const std::string& pattern);
// Names of all files (hidden ones too, no folders) matching folder\pattern.
FileListing ListAllFiles(const std::string& folder, const std::string& pattern);
// The whole file as UTF-8 text; nullopt when it cannot be read.
std::optional<std::string> ReadText(const std::string& path, TextEncoding encoding);
// The first line of a text file without its line end; nullopt when unreadable.
// A read error anywhere in the file makes it unreadable, never a part of it.
std::optional<std::string> ReadFirstLine(const std::string& path, TextEncoding encoding);
// The whole file as bytes; nullopt when it cannot be opened or a read fails.
std::optional<std::string> ReadWholeFile(const std::string& path);
bool WriteWholeFile(const std::string& path, const std::string& bytes);
// Appends to a file, creating the file (not its folder) when it is missing;
// the bytes reach the system before it returns, so a program that is killed
// afterwards keeps them. Others may read and append meanwhile.
bool AppendToFile(const std::string& path, const std::string& bytes);
// The full path of a relative one, taken against the current folder now.
std::string FullPathOf(const std::string& path);
// PathCanonicalizeW; nullopt when the path is rejected (for example too long).
std::optional<std::string> CanonicalizeWithShell(const std::string& path);
// Deletes a folder tree; links (junctions, symbolic links) inside it are
// removed themselves, never followed into their targets.
bool DeleteFolderTree(const std::string& path);
std::string TempFolder();
unsigned long LastError();

// Code of a copy that its caller stopped (ERROR_REQUEST_ABORTED).
inline constexpr unsigned long kCopyStopped = 1235;
// Copies a file in steps. `between` runs after each step while more is to
// come, so that the windows can answer during a large file; when it answers
// false the copy stops. A stopped or failed copy leaves no partial target.
// An existing target is replaced even when read-only, and the copy is left
// writable: files from a CD are read-only, and the next copy into the same
// folder must be able to replace them.
// 0 on success, else the Win32 error code (kCopyStopped when stopped);
// `bytesWritten`, when given, receives the size of the copy (0 when failed).
unsigned long CopyFileInSteps(const std::string& source, const std::string& target,
                              const std::function<bool()>& between,
                              unsigned long long* bytesWritten = nullptr);
// The system's description of a Win32 error code, without its line end.
std::string ErrorDescription(unsigned long code);

struct FolderEntry {
    std::string name;
    bool folder = false;
    bool hiddenOrSystem = false;
    bool link = false;  // a junction or symbolic link
};
// The entries matching folder\pattern, without "." and ".."; nullopt when
// the search failed to start, the entries found so far otherwise.
std::optional<std::vector<FolderEntry>> ListEntries(const std::string& folder,
                                                    const std::string& pattern);
// True for a junction or symbolic link.
bool IsLink(const std::string& path);
// Deletes a file as it stands: a read-only file stays and gives false.
bool DeleteFileIfWritable(const std::string& path);
// Removes an empty folder; a folder link is removed itself, never its target.
bool RemoveEmptyFolder(const std::string& path);

}  // namespace platform::files
