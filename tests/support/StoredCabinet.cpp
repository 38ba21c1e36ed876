#include "tests/support/StoredCabinet.h"

#include "platform/TextEncoding.h"

#include <cstdint>

#include "platform/Files.h"

namespace testing_support {
namespace {

constexpr size_t kBlockSize = 32768;  // largest uncompressed data block
constexpr size_t kHeaderSize = 36;
constexpr size_t kFolderSize = 8;
constexpr size_t kFileFixedSize = 16;
constexpr size_t kDataHeaderSize = 8;
constexpr std::uint16_t kHasPrevious = 0x0001;
constexpr std::uint16_t kHasNext = 0x0002;
constexpr std::uint16_t kContinuedFromPrevious = 0xFFFD;
constexpr std::uint16_t kContinuedToNext = 0xFFFE;

void Put16(std::string& out, std::uint16_t value) {
    out += static_cast<char>(value & 0xFF);
    out += static_cast<char>(value >> 8);
}

void Put32(std::string& out, std::uint32_t value) {
    Put16(out, static_cast<std::uint16_t>(value & 0xFFFF));
    Put16(out, static_cast<std::uint16_t>(value >> 16));
}

// Archive, and the UTF-8 flag for a name outside ASCII that is valid UTF-8,
// as cabinet tools store such names; any other name is left unflagged.
std::uint16_t Attributes(const std::string& name) {
    constexpr std::uint16_t kArchive = 0x20, kNameIsUtf8 = 0x80;
    bool ascii = true;
    for (size_t at = 0; at < name.size();) {
        const auto point = platform::encoding::DecodeUtf8At(name, at);
        if (!point.valid) return kArchive;
        ascii = ascii && point.value < 0x80;
        at += point.length;
    }
    return ascii ? kArchive : kArchive | kNameIsUtf8;
}

struct FileRecord {
    std::string name;
    size_t size = 0;
    size_t offset = 0;  // in the folder's data
    std::uint16_t folder = 0;
};

struct Block {
    std::string data;
    size_t uncompressed = 0;  // 0 for the first piece of a block split between parts
};

// One cabinet of a set, with a single folder of stored data.
struct Part {
    std::uint16_t index = 0;
    std::string previous, next;  // file names of the neighbouring parts
    std::vector<FileRecord> files;
    std::vector<Block> blocks;
};

std::string Serialized(const Part& part) {
    std::uint16_t flags = 0;
    std::string neighbours;  // each part's file name followed by its disk name
    if (!part.previous.empty()) {
        flags |= kHasPrevious;
        neighbours += part.previous + '\0' + "Disk" + '\0';
    }
    if (!part.next.empty()) {
        flags |= kHasNext;
        neighbours += part.next + '\0' + "Disk" + '\0';
    }
    size_t fileTableSize = 0;
    for (const FileRecord& file : part.files)
        fileTableSize += kFileFixedSize + file.name.size() + 1;
    size_t dataSize = 0;
    for (const Block& block : part.blocks) dataSize += kDataHeaderSize + block.data.size();
    const size_t filesOffset = kHeaderSize + neighbours.size() + kFolderSize;
    const size_t dataOffset = filesOffset + fileTableSize;

    std::string cab;
    cab += "MSCF";
    Put32(cab, 0);
    Put32(cab, static_cast<std::uint32_t>(dataOffset + dataSize));
    Put32(cab, 0);
    Put32(cab, static_cast<std::uint32_t>(filesOffset));
    Put32(cab, 0);
    cab += static_cast<char>(3);  // version 1.3
    cab += static_cast<char>(1);
    Put16(cab, 1);  // one folder
    Put16(cab, static_cast<std::uint16_t>(part.files.size()));
    Put16(cab, flags);
    Put16(cab, 0x1234);  // set
    Put16(cab, part.index);
    cab += neighbours;

    Put32(cab, static_cast<std::uint32_t>(dataOffset));
    Put16(cab, static_cast<std::uint16_t>(part.blocks.size()));
    Put16(cab, 0);  // stored, no compression

    const std::uint16_t dosDate = ((2026 - 1980) << 9) | (12 << 5) | 7;
    const std::uint16_t dosTime = (11 << 11) | (2 << 5);
    for (const FileRecord& file : part.files) {
        Put32(cab, static_cast<std::uint32_t>(file.size));
        Put32(cab, static_cast<std::uint32_t>(file.offset));
        Put16(cab, file.folder);
        Put16(cab, dosDate);
        Put16(cab, dosTime);
        Put16(cab, Attributes(file.name));
        cab += file.name;
        cab += '\0';
    }

    for (const Block& block : part.blocks) {
        Put32(cab, 0);  // no checksum
        Put16(cab, static_cast<std::uint16_t>(block.data.size()));
        Put16(cab, static_cast<std::uint16_t>(block.uncompressed));
        cab += block.data;
    }
    return cab;
}

// The entries one after another in the folder, in blocks of at most 32 KB.
void AddWhole(Part& part, const std::vector<StoredEntry>& entries, std::string& data) {
    std::string added;
    for (const StoredEntry& entry : entries) {
        part.files.push_back({entry.name, entry.contents.size(), data.size() + added.size(), 0});
        added += entry.contents;
    }
    for (size_t start = 0; start < added.size(); start += kBlockSize) {
        const std::string block = added.substr(start, kBlockSize);
        part.blocks.push_back({block, block.size()});
    }
    data += added;
}

}  // namespace

bool WriteStoredCabinet(const std::string& path, const std::vector<StoredEntry>& entries) {
    Part part;
    std::string data;
    AddWhole(part, entries, data);
    return platform::files::WriteWholeFile(path, Serialized(part));
}

bool WriteSpannedCabinets(const std::string& firstPath, const std::string& secondName,
                          const std::vector<StoredEntry>& whole, const StoredEntry& spanned) {
    if (spanned.contents.size() < 2 || spanned.contents.size() > kBlockSize) return false;
    Part first, second;
    first.next = secondName;
    second.index = 1;
    second.previous = firstPath.substr(firstPath.find_last_of('\\') + 1);
    std::string data;
    AddWhole(first, whole, data);
    // The spanned file's block is split: its first half ends the first part
    // (a piece that unpacks to nothing on its own), the rest opens the second.
    const size_t half = spanned.contents.size() / 2;
    first.files.push_back({spanned.name, spanned.contents.size(), data.size(), kContinuedToNext});
    first.blocks.push_back({spanned.contents.substr(0, half), 0});
    second.files.push_back(
        {spanned.name, spanned.contents.size(), data.size(), kContinuedFromPrevious});
    second.blocks.push_back({spanned.contents.substr(half), spanned.contents.size()});
    const std::string secondPath =
        firstPath.substr(0, firstPath.size() - second.previous.size()) + secondName;
    return platform::files::WriteWholeFile(firstPath, Serialized(first)) &&
           platform::files::WriteWholeFile(secondPath, Serialized(second));
}

}  // namespace testing_support
