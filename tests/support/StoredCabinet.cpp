#include "tests/support/StoredCabinet.h"

#include <cstdint>

#include "platform/Files.h"

namespace testing_support {
namespace {

constexpr size_t kBlockSize = 32768;  // largest uncompressed data block
constexpr size_t kHeaderSize = 36;
constexpr size_t kFolderSize = 8;
constexpr size_t kFileFixedSize = 16;
constexpr size_t kDataHeaderSize = 8;

void Put16(std::string& out, std::uint16_t value) {
    out += static_cast<char>(value & 0xFF);
    out += static_cast<char>(value >> 8);
}

void Put32(std::string& out, std::uint32_t value) {
    Put16(out, static_cast<std::uint16_t>(value & 0xFFFF));
    Put16(out, static_cast<std::uint16_t>(value >> 16));
}

}  // namespace

bool WriteStoredCabinet(const std::string& path, const std::vector<StoredEntry>& entries) {
    std::string data;  // all files one after another in the single folder
    size_t fileTableSize = 0;
    for (const StoredEntry& entry : entries) {
        data += entry.contents;
        fileTableSize += kFileFixedSize + entry.name.size() + 1;
    }
    const size_t blocks = data.empty() ? 0 : (data.size() + kBlockSize - 1) / kBlockSize;
    const size_t filesOffset = kHeaderSize + kFolderSize;
    const size_t dataOffset = filesOffset + fileTableSize;
    const size_t total = dataOffset + blocks * kDataHeaderSize + data.size();

    std::string cab;
    cab += "MSCF";
    Put32(cab, 0);
    Put32(cab, static_cast<std::uint32_t>(total));
    Put32(cab, 0);
    Put32(cab, static_cast<std::uint32_t>(filesOffset));
    Put32(cab, 0);
    cab += static_cast<char>(3);  // version 1.3
    cab += static_cast<char>(1);
    Put16(cab, 1);  // one folder
    Put16(cab, static_cast<std::uint16_t>(entries.size()));
    Put16(cab, 0);  // no flags: no reserve, no neighbouring cabinets
    Put16(cab, 0x1234);
    Put16(cab, 0);

    Put32(cab, static_cast<std::uint32_t>(dataOffset));
    Put16(cab, static_cast<std::uint16_t>(blocks));
    Put16(cab, 0);  // stored, no compression

    const std::uint16_t dosDate = ((2026 - 1980) << 9) | (12 << 5) | 7;
    const std::uint16_t dosTime = (11 << 11) | (2 << 5);
    size_t offset = 0;
    for (const StoredEntry& entry : entries) {
        Put32(cab, static_cast<std::uint32_t>(entry.contents.size()));
        Put32(cab, static_cast<std::uint32_t>(offset));
        Put16(cab, 0);
        Put16(cab, dosDate);
        Put16(cab, dosTime);
        Put16(cab, 0x20);  // archive
        cab += entry.name;
        cab += '\0';
        offset += entry.contents.size();
    }

    for (size_t start = 0; start < data.size(); start += kBlockSize) {
        const std::string block = data.substr(start, kBlockSize);
        Put32(cab, 0);  // no checksum
        Put16(cab, static_cast<std::uint16_t>(block.size()));
        Put16(cab, static_cast<std::uint16_t>(block.size()));
        cab += block;
    }
    return platform::files::WriteWholeFile(path, cab);
}

}  // namespace testing_support
