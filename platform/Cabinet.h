// Cabinet iteration through setupapi, reduced to what the cabinet reader
// decides: per file, skip or extract to a path; per extracted file, the
// outcome. The raw notification records stay inside the platform layer.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace platform::cabinet {

// Notification codes, numbered as setupapi's SPFILENOTIFY_* values.
constexpr unsigned kFileInCabinet = 0x11;
constexpr unsigned kNeedNewCabinet = 0x12;
constexpr unsigned kFileExtracted = 0x13;

// Answers for a file in the cabinet, numbered as FILEOP_* values.
constexpr unsigned kAbort = 0;
constexpr unsigned kExtract = 1;
constexpr unsigned kSkip = 2;

// The longest target path a file can be extracted to, in UTF-16 units
// without the closing NUL: setupapi's buffer for it is fixed.
constexpr std::size_t kMaxTargetPath = 259;

struct Notification {
    unsigned code = 0;
    // kFileInCabinet: the name stored in the cabinet, in UTF-8 (a name the
    // cabinet flags as UTF-8 is read so, any other in the ANSI code page).
    // kFileExtracted: the target path the file was written to.
    // kNeedNewCabinet: the file name of the part asked for.
    std::string name;
    // kFileInCabinet: where the answer kExtract writes the file, at most
    // kMaxTargetPath long; nullptr for every other notification.
    std::string* targetPath = nullptr;
    // kFileExtracted: the Win32 error of writing the file, 0 on success.
    std::uint32_t win32Error = 0;
};

// Called synchronously for every notification; the result is the answer
// handed back to setupapi: for kFileInCabinet one of the answers above, for
// the others 0 to go on or a Win32 error code to stop. kNeedNewCabinet
// answered 0 makes setupapi look for the part beside the cabinet, and ask
// again when it is not there.
using Callback = unsigned (*)(unsigned context, const Notification& notification) noexcept;

struct IterationResult {
    bool succeeded = false;
    unsigned long lastError = 0;  // GetLastError after a failed iteration
};

// SetupIterateCabinetW over `cabinet`; `context` is handed to the callback
// unchanged.
IterationResult IterateCabinet(const std::string& cabinet, unsigned context, Callback callback);

}  // namespace platform::cabinet
