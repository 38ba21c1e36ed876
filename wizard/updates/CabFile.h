// The cabinet reader: counts the files of a cabinet or extracts one or all of
// them into a folder, creating the folders they need. The decompression is
// setupapi's; this class decides per file whether and where it is written.
// It is the one class of the wizard that raises errors to its caller.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <stdexcept>
#include <string>

#include "platform/Cabinet.h"

// An error raised by CabFile: number, source and description.
class CabError : public std::runtime_error {
  public:
    CabError(long number, std::string source, std::string description);
    long Number() const { return number_; }
    const std::string& Source() const { return source_; }
    const std::string& Description() const { return description_; }

  private:
    long number_;
    std::string source_;
    std::string description_;
};

// 0x800407A4 as a signed 32-bit number.
inline constexpr long kCabNameMissing = -2147219548L;

// English text of a platform error code; "Unknown error." for codes the
// reader does not know.
std::string Win32ErrorText(long code);
// Text of the reader's own error numbers; "Unknown error." otherwise.
std::string CabErrorText(long number);

class CabFile {
  public:
    CabFile() = default;
    CabFile(const CabFile&) = delete;
    CabFile& operator=(const CabFile&) = delete;
    ~CabFile();

    const std::string& CabName() const { return cabName_; }
    void SetCabName(const std::string& path) { cabName_ = path; }

    // Adds the cabinet's files to a counter that is never reset: a second
    // read on the same object doubles the figure.
    std::int32_t FileCount();

    // Extracts `fileToExtract` (compared case-insensitively with the whole
    // stored name; empty = every file) into `outputPath` (empty = the
    // cabinet's folder) under `outputFile` (empty = the stored name).
    // True when the iteration succeeded; failures raise CabError.
    bool Extract(const std::string& fileToExtract, const std::string& outputPath,
                 const std::string& outputFile);

    // Raised before each wanted file with its stored name; setting the flag
    // skips the file.
    std::function<void(const std::string& fileName, bool& cancel)> BeforeExtract;
    // Raised after a file was written, with its full target path.
    std::function<void(const std::string& fileName)> AfterExtract;

  private:
    // The notification handler, reached only through modCallback.
    friend unsigned CabinetCallback(unsigned context,
                                    const platform::cabinet::Notification& notification) noexcept;
    // Never throws: setupapi's iteration must not see an exception. An error
    // is kept and raised once the iteration has returned.
    unsigned CabCallBack(unsigned context,
                         const platform::cabinet::Notification& notification) noexcept;
    void RecordHandlerError(long number, const char* description) noexcept;
    bool Refused() const { return handlerError_.has_value() || handlerOutOfMemory_; }
    unsigned DecideFile(const platform::cabinet::Notification& notification);
    unsigned NextCabinet(const platform::cabinet::Notification& notification);
    unsigned FileExtracted(const platform::cabinet::Notification& notification);
    std::string TargetPathFor(const std::string& name) const;
    std::string FolderPartOf(const std::string& path) const;
    void Iterate(unsigned context);
    void RequireCabName() const;

    std::string cabName_;
    std::string fileToExtract_;
    std::string outputPath_;
    std::string outputFile_;
    std::int32_t fileCounter_ = 0;
    // The first error met inside the handler; raised once the iteration has
    // returned, since setupapi must never see an exception.
    std::optional<CabError> handlerError_;
    // Set when not even that error could be kept.
    bool handlerOutOfMemory_ = false;
    // The next part the platform asked for last, and whether it was then
    // refused as missing.
    std::optional<std::string> requestedCabinet_;
    bool refusedNextPart_ = false;
    // The folder made for the previous file; files of one folder come
    // together, so most files need no folder test at all.
    std::string madeFolder_;
};
