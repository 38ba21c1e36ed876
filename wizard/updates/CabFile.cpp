#include "wizard/updates/CabFile.h"

#include <algorithm>
#include <array>
#include <new>
#include <string_view>
#include <utility>

#include "platform/Files.h"
#include "platform/TextEncoding.h"
#include "shared/Text.h"
#include "wizard/updates/PathHelpers.h"
#include "wizard/updates/modCallback.h"

namespace cab = platform::cabinet;

namespace {

constexpr const char* kSource = "CabFile";
constexpr const char* kHandlerSource = "CabFile.CabCallBack";
constexpr const char* kUnknownError = "Unknown error.";

constexpr unsigned kCounting = 0;
constexpr unsigned kExtracting = 1;

constexpr unsigned kErrorFileNotFound = 2;
constexpr long kErrorNotEnoughMemory = 8;
constexpr long kErrorCannotMake = 82;
constexpr long kErrorFileNameTooLong = 111;
constexpr long kErrorInvalidName = 123;
constexpr unsigned kStopIteration = 1235;  // ERROR_REQUEST_ABORTED

struct ErrorText {
    long code;
    const char* text;
};

constexpr std::array<ErrorText, 25> kWin32Texts{{
    {2, "The system cannot find the file specified."},
    {3, "The system cannot find the path specified."},
    {4, "The system cannot open the file."},
    {5, "Access is denied."},
    {8, "Not enough storage is available to process this command."},
    {13, "Invalid data."},
    {14, "Not enough storage is available to complete this operation."},
    {15, "The system cannot find the drive specified."},
    {19, "The media is write protected."},
    {20, "The system cannot find the device specified."},
    {21, "The device is not ready."},
    {23, "Data error (cyclic redundancy check)."},
    {25, "The drive cannot locate a specific area or track on the disk."},
    {26, "The specified disk or diskette cannot be accessed."},
    {27, "The drive cannot find the sector requested."},
    {29, "The system cannot write to the specified device."},
    {30, "The system cannot read from the specified device."},
    {31, "A device attached to the system is not functioning."},
    {32, "The process cannot access the file because it is being used by another process."},
    {33,
     "The process cannot access the file because another process has locked a portion of the "
     "file."},
    {39, "The disk is full."},
    {82, "The directory or file cannot be created."},
    {111, "The file name is too long."},
    {112, "There is not enough space on the disk."},
    {123, "The filename, directory name, or volume label syntax is incorrect."},
}};

// Setupapi's own codes (0xE000xxxx) read as negative numbers, as a signed
// 32-bit error number does.
long AsErrorNumber(unsigned long code) {
    return static_cast<long>(static_cast<std::int32_t>(static_cast<std::uint32_t>(code)));
}

// Windows opens a device, not a file, for a segment such as "aux.txt",
// "CON " or "nul.": what stands before the first dot, without trailing dots
// and blanks, names the device in any case.
bool IsDeviceName(std::string_view segment) {
    std::string_view stem = segment.substr(0, segment.find('.'));
    while (!stem.empty() && stem.back() == ' ') stem.remove_suffix(1);
    const std::string upper = text::Upper(stem);
    if (upper == "CON" || upper == "PRN" || upper == "AUX" || upper == "NUL" || upper == "CONIN$" ||
        upper == "CONOUT$") {
        return true;
    }
    if (upper.compare(0, 3, "COM") != 0 && upper.compare(0, 3, "LPT") != 0) return false;
    // The digits, and the superscripts Windows also takes for them.
    const std::string_view number = std::string_view(upper).substr(3);
    return (number.size() == 1 && number[0] >= '0' && number[0] <= '9') || number == "¹" ||
           number == "²" || number == "³";
}

// A stored name that would place the file outside the target folder or on a
// device: rooted, with a drive or stream colon, with a segment of dots
// (Windows drops trailing dots and spaces, so ".. " acts as ".."), or with a
// device name as a segment.
bool IsUnsafeName(const std::string& name) {
    if (name.empty()) return true;
    if (name.front() == '\\' || name.front() == '/') return true;
    if (name.find(':') != std::string::npos) return true;
    size_t start = 0;
    for (;;) {
        size_t end = name.find_first_of("\\/", start);
        std::string_view segment(name.data() + start,
                                 (end == std::string::npos ? name.size() : end) - start);
        if (!segment.empty() && segment.find_first_not_of(". ") == std::string_view::npos) {
            return true;
        }
        if (IsDeviceName(segment)) return true;
        if (end == std::string::npos) return false;
        start = end + 1;
    }
}

}  // namespace

CabError::CabError(long number, std::string source, std::string description)
    : std::runtime_error(description),
      number_(number),
      source_(std::move(source)),
      description_(std::move(description)) {}

std::string Win32ErrorText(long code) {
    auto found = std::find_if(kWin32Texts.begin(), kWin32Texts.end(),
                              [code](const ErrorText& entry) { return entry.code == code; });
    return found == kWin32Texts.end() ? kUnknownError : found->text;
}

std::string CabErrorText(long number) {
    if (number == kCabNameMissing) {
        return "You must set the CabName property before taking any action on the CabFile "
               "object.";
    }
    return kUnknownError;
}

CabFile::~CabFile() { ForgetCallbackTarget(this); }

std::int32_t CabFile::FileCount() {
    RequireCabName();
    Iterate(kCounting);
    return fileCounter_;
}

bool CabFile::Extract(const std::string& fileToExtract, const std::string& outputPath,
                      const std::string& outputFile) {
    RequireCabName();
    fileToExtract_ = fileToExtract;
    outputPath_ = outputPath;
    outputFile_ = outputFile;
    Iterate(kExtracting);
    return true;
}

void CabFile::RequireCabName() const {
    if (cabName_.empty()) throw CabError(kCabNameMissing, kSource, CabErrorText(kCabNameMissing));
}

void CabFile::Iterate(unsigned context) {
    handlerError_.reset();
    handlerOutOfMemory_ = false;
    madeFolder_.clear();
    requestedCabinet_.reset();
    refusedNextPart_ = false;
    SetCallbackTarget(this);
    const cab::IterationResult result = cab::IterateCabinet(cabName_, context, &CabinetCallback);
    // A refusal inside the handler comes first: setupapi may well report
    // success after being told to stop.
    if (handlerError_) throw std::exchange(handlerError_, std::nullopt).value();
    if (handlerOutOfMemory_) {
        throw CabError(kErrorNotEnoughMemory, kHandlerSource,
                       Win32ErrorText(kErrorNotEnoughMemory));
    }
    // setupapi's last error after the refused part tells nothing of it.
    if (refusedNextPart_) {
        throw CabError(kErrorFileNotFound, kSource, Win32ErrorText(kErrorFileNotFound));
    }
    if (!result.succeeded) {
        const long number = AsErrorNumber(result.lastError);
        throw CabError(number, kSource, Win32ErrorText(number));
    }
}

unsigned CabFile::CabCallBack(unsigned context, const cab::Notification& notification) noexcept {
    try {
        switch (notification.code) {
            case cab::kFileInCabinet:
                if (context == kCounting) {
                    ++fileCounter_;
                    return cab::kSkip;
                }
                if (context != kExtracting) return cab::kAbort;
                // After a refusal nothing more is written.
                if (Refused()) return cab::kAbort;
                return DecideFile(notification);
            case cab::kNeedNewCabinet:
                return NextCabinet(notification);
            case cab::kFileExtracted:
                return FileExtracted(notification);
            default:
                return 0;
        }
    } catch (const CabError& error) {
        RecordHandlerError(error.Number(), error.Description().c_str());
    } catch (const std::bad_alloc&) {
        RecordHandlerError(kErrorNotEnoughMemory, nullptr);
    } catch (const std::exception& error) {
        RecordHandlerError(0, error.what());
    } catch (...) {
        RecordHandlerError(0, kUnknownError);
    }
    // Answers that stop the platform: for a file "abort", for the other
    // notifications any error code (0 would let it go on).
    return notification.code == cab::kFileInCabinet ? cab::kAbort : kStopIteration;
}

void CabFile::RecordHandlerError(long number, const char* description) noexcept {
    if (Refused()) return;  // the first error is the one reported
    try {
        handlerError_.emplace(number, kHandlerSource,
                              description != nullptr ? description : Win32ErrorText(number));
    } catch (...) {
        // No memory even for the error: raised once the iteration has returned.
        handlerOutOfMemory_ = true;
    }
}

unsigned CabFile::NextCabinet(const cab::Notification& notification) {
    // Told 0 without a path, the platform takes the next part from this
    // cabinet's folder. When it asks for the same part again, the part is
    // not there (a truncated download, an incomplete set): it would go on
    // asking for ever, so the answer is "not found", which ends the iteration.
    if (requestedCabinet_ && *requestedCabinet_ == notification.name) {
        refusedNextPart_ = true;
        return kErrorFileNotFound;
    }
    requestedCabinet_ = notification.name;
    return 0;
}

unsigned CabFile::DecideFile(const cab::Notification& notification) {
    const std::string& name = notification.name;
    if (!fileToExtract_.empty() && !text::EqualsNoCase(fileToExtract_, name)) return cab::kSkip;

    bool cancel = false;
    if (BeforeExtract) BeforeExtract(name, cancel);
    if (cancel) return cab::kSkip;

    if (outputFile_.empty() && IsUnsafeName(name)) {
        throw CabError(kErrorInvalidName, kHandlerSource, Win32ErrorText(kErrorInvalidName));
    }
    const std::string target = TargetPathFor(name);
    // The platform's buffer is fixed; the path must fit.
    if (platform::encoding::Utf16Length(target) > cab::kMaxTargetPath ||
        notification.targetPath == nullptr) {
        throw CabError(kErrorFileNameTooLong, kHandlerSource,
                       Win32ErrorText(kErrorFileNameTooLong));
    }
    const std::string folder = SplitPath(target).folder;
    if (folder != madeFolder_) {
        // A file left out silently would make an incomplete image look whole.
        if (!CreateFolderPath(folder)) {
            throw CabError(kErrorCannotMake, kHandlerSource, Win32ErrorText(kErrorCannotMake));
        }
        madeFolder_ = folder;
    }

    // Setupapi opens an existing target without truncating it; a longer old
    // file would keep its tail behind the new contents.
    if (platform::files::FileExists(target)) platform::files::DeleteFileAt(target);

    *notification.targetPath = target;
    return cab::kExtract;
}

unsigned CabFile::FileExtracted(const cab::Notification& notification) {
    // The file that waited for a missing next part is incomplete, whatever
    // the platform says.
    if (refusedNextPart_) return kErrorFileNotFound;
    if (notification.win32Error == 0 && AfterExtract) AfterExtract(notification.name);
    return notification.win32Error;
}

std::string CabFile::TargetPathFor(const std::string& name) const {
    const std::string cabinetFolder = FolderPartOf(cabName_);
    // A cabinet named without a folder lies in the current folder; an empty
    // folder would otherwise turn into the drive's root.
    const std::string folder = !outputPath_.empty()     ? outputPath_
                               : !cabinetFolder.empty() ? cabinetFolder
                                                        : std::string(".\\");
    return AddBackslash(folder) + (outputFile_.empty() ? name : outputFile_);
}

std::string CabFile::FolderPartOf(const std::string& path) const {
    size_t slash = path.rfind('\\');
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}
