// Cabinet iteration for the native test build: reads single cabinets of
// stored (uncompressed) data, as the tests and fuzz targets write them, and
// notifies like setupapi: per file the decision, per written file its
// outcome, and a request for the next part when a file continues in one.
// Compressed data and cabinet sets are not read.
#include <fcntl.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <cstdint>
#include <cstring>
#include <optional>
#include <vector>

#include "platform/Cabinet.h"
#include "platform/Files.h"
#include "platform/TextEncoding.h"
#include "platform/fake/FaultPlan.h"
#include "platform/host/HostPaths.h"

namespace platform::cabinet {
namespace {

constexpr std::uint16_t kHasPrevious = 0x0001;
constexpr std::uint16_t kHasNext = 0x0002;
constexpr std::uint16_t kHasReserve = 0x0004;
constexpr std::uint16_t kContinuedFromPrevious = 0xFFFD;
constexpr std::uint16_t kCompressionMask = 0x000F;
constexpr std::uint16_t kNameIsUtf8 = 0x0080;
constexpr size_t kMaxName = 256;

constexpr unsigned long kErrorFileNotFound = 2;
constexpr unsigned long kErrorPathNotFound = 3;
constexpr unsigned long kErrorInvalidData = 13;
constexpr unsigned long kErrorOperationAborted = 995;
// setupapi asks again for a part it cannot find; the stand-in gives up.
constexpr int kNextPartRequests = 8;

class Reader {
  public:
    explicit Reader(const std::string& bytes) : bytes_(bytes) {}

    bool Good() const { return good_; }
    size_t Offset() const { return at_; }
    void Seek(size_t offset) {
        if (offset > bytes_.size()) good_ = false;
        at_ = offset;
    }
    void Skip(size_t count) { Seek(at_ + count); }
    std::uint32_t Number(size_t size) {
        if (!good_ || bytes_.size() - at_ < size) {
            good_ = false;
            return 0;
        }
        std::uint32_t value = 0;
        for (size_t i = 0; i < size; ++i) {
            value |= static_cast<std::uint32_t>(static_cast<unsigned char>(bytes_[at_ + i]))
                     << (8 * i);
        }
        at_ += size;
        return value;
    }
    std::uint16_t U16() { return static_cast<std::uint16_t>(Number(2)); }
    std::uint32_t U32() { return Number(4); }
    std::uint8_t U8() { return static_cast<std::uint8_t>(Number(1)); }
    // A NUL-terminated text of at most `limit` characters.
    std::string Text(size_t limit) {
        if (!good_) return {};
        const size_t end = bytes_.find('\0', at_);
        if (end == std::string::npos || end - at_ > limit) {
            good_ = false;
            return {};
        }
        std::string text = bytes_.substr(at_, end - at_);
        at_ = end + 1;
        return text;
    }
    std::string Bytes(size_t count) {
        if (!good_ || bytes_.size() - at_ < count) {
            good_ = false;
            return {};
        }
        std::string part = bytes_.substr(at_, count);
        at_ += count;
        return part;
    }

  private:
    const std::string& bytes_;
    size_t at_ = 0;
    bool good_ = true;
};

struct Folder {
    std::uint32_t firstBlock = 0;
    std::uint16_t blocks = 0;
    std::uint16_t compression = 0;
};

struct Member {
    std::uint32_t size = 0;
    std::uint32_t offset = 0;  // in its folder's data
    std::uint16_t folder = 0;
    std::string name;
};

struct Cabinet {
    std::string next;  // the next part's file name
    std::uint8_t dataReserve = 0;
    std::vector<Folder> folders;
    std::vector<Member> members;
};

std::optional<Cabinet> Parse(const std::string& bytes) {
    Reader in(bytes);
    if (in.Bytes(4) != "MSCF") return std::nullopt;
    in.Skip(12);
    const std::uint32_t filesOffset = in.U32();
    in.Skip(6);
    const std::uint16_t folderCount = in.U16();
    const std::uint16_t memberCount = in.U16();
    const std::uint16_t flags = in.U16();
    in.Skip(4);
    Cabinet cabinet;
    std::uint8_t folderReserve = 0;
    if (flags & kHasReserve) {
        const std::uint16_t headerReserve = in.U16();
        folderReserve = in.U8();
        cabinet.dataReserve = in.U8();
        in.Skip(headerReserve);
    }
    if (flags & kHasPrevious) {
        in.Text(kMaxName);
        in.Text(kMaxName);
    }
    if (flags & kHasNext) {
        cabinet.next = in.Text(kMaxName);
        in.Text(kMaxName);
    }
    for (std::uint16_t i = 0; i < folderCount && in.Good(); ++i) {
        Folder folder;
        folder.firstBlock = in.U32();
        folder.blocks = in.U16();
        folder.compression = in.U16();
        in.Skip(folderReserve);
        cabinet.folders.push_back(folder);
    }
    in.Seek(filesOffset);
    for (std::uint16_t i = 0; i < memberCount && in.Good(); ++i) {
        Member member;
        member.size = in.U32();
        member.offset = in.U32();
        member.folder = in.U16();
        in.Skip(4);  // date, time
        const bool utf8 = (in.U16() & kNameIsUtf8) != 0;
        // An unflagged name is in the ANSI code page, Windows-1252 here.
        member.name = in.Text(kMaxName);
        if (!utf8) member.name = encoding::Utf8FromWindows1252(member.name);
        cabinet.members.push_back(std::move(member));
    }
    if (!in.Good()) return std::nullopt;
    return cabinet;
}

// A folder's data; nullopt when it is damaged or compressed.
std::optional<std::string> FolderData(const std::string& bytes, const Cabinet& cabinet,
                                      const Folder& folder) {
    if ((folder.compression & kCompressionMask) != 0) return std::nullopt;
    Reader in(bytes);
    in.Seek(folder.firstBlock);
    std::string data;
    for (std::uint16_t block = 0; block < folder.blocks && in.Good(); ++block) {
        in.Skip(4);  // checksum
        const std::uint16_t stored = in.U16();
        const std::uint16_t size = in.U16();
        in.Skip(cabinet.dataReserve);
        if (stored != size) return std::nullopt;
        data += in.Bytes(stored);
    }
    if (!in.Good()) return std::nullopt;
    return data;
}

bool WriteTarget(const std::string& target, std::string_view contents, unsigned long& error) {
    const std::string hostPath = host::HostPath(target);
    // setupapi opens an existing target without truncating it.
    const int fd = hostPath.empty() ? -1 : open(hostPath.c_str(), O_WRONLY | O_CREAT, 0666);
    if (fd < 0) {
        error = hostPath.empty() ? kErrorPathNotFound : host::Win32ErrorFor(errno, hostPath);
        return false;
    }
    bool complete = true;
    while (!contents.empty()) {
        const ssize_t written = write(fd, contents.data(), contents.size());
        if (written < 0 && errno == EINTR) continue;
        if (written <= 0) {
            error = host::Win32ErrorFor(errno, hostPath);
            complete = false;
            break;
        }
        contents.remove_prefix(static_cast<size_t>(written));
    }
    close(fd);
    return complete;
}

IterationResult Failed(unsigned long error) { return {false, error}; }

// The notifications run the program's own code: its calls count.
unsigned Notify(Callback callback, unsigned context, const Notification& notification) {
    const faults::CalledBack programCode;
    return callback(context, notification);
}

}  // namespace

IterationResult IterateCabinet(const std::string& cabinetPath, unsigned context,
                               Callback callback) {
    // The cabinet unreadable, held by another program, or damaged.
    const faults::Call call("cabinet::IterateCabinet", cabinetPath,
                            {faults::code::kAccessDenied, faults::code::kSharingViolation,
                             kErrorInvalidData});
    if (call.Fails()) return Failed(call.Code());
    const std::optional<std::string> bytes = files::ReadWholeFile(cabinetPath);
    if (!bytes) return Failed(files::LastError() != 0 ? files::LastError() : kErrorFileNotFound);
    const std::optional<Cabinet> cabinet = Parse(*bytes);
    if (!cabinet) return Failed(kErrorInvalidData);

    std::vector<std::optional<std::string>> data(cabinet->folders.size());
    for (const Member& member : cabinet->members) {
        if (member.folder == kContinuedFromPrevious) continue;  // begun in a part not read
        if (member.folder > kContinuedFromPrevious) {
            // The file goes on in the next part: ask for it as setupapi does.
            Notification request;
            request.code = kNeedNewCabinet;
            request.name = cabinet->next;
            for (int i = 0; i < kNextPartRequests; ++i) {
                const unsigned answer = Notify(callback, context, request);
                if (answer != 0) return Failed(answer);
            }
            return Failed(kErrorFileNotFound);
        }
        if (member.folder >= cabinet->folders.size()) return Failed(kErrorInvalidData);

        std::string targetPath;
        Notification file;
        file.code = kFileInCabinet;
        file.name = member.name;
        file.targetPath = &targetPath;
        const unsigned answer = Notify(callback, context, file);
        if (answer == kAbort) return Failed(kErrorOperationAborted);
        if (answer != kExtract) continue;

        // setupapi's buffer holds no more.
        if (encoding::Utf16Length(targetPath) > kMaxTargetPath) targetPath.clear();
        if (targetPath.empty()) return Failed(kErrorPathNotFound);
        auto& contents = data[member.folder];
        if (!contents) contents = FolderData(*bytes, *cabinet, cabinet->folders[member.folder]);
        if (!contents || member.offset > contents->size() ||
            member.size > contents->size() - member.offset) {
            return Failed(kErrorInvalidData);
        }
        unsigned long error = 0;
        if (!WriteTarget(targetPath, std::string_view(*contents).substr(member.offset, member.size),
                         error)) {
            return Failed(error);
        }
        Notification written;
        written.code = kFileExtracted;
        written.name = targetPath;
        const unsigned outcome = Notify(callback, context, written);
        if (outcome != 0) return Failed(outcome);
    }
    return {true, 0};
}

}  // namespace platform::cabinet
