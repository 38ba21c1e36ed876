// What the file wrappers offer on top of reading a whole file, the same for
// every build.
#include "platform/Files.h"

namespace platform::files {

std::optional<std::string> ReadFirstLine(const std::string& path) {
    std::optional<std::string> bytes = ReadWholeFile(path);
    if (!bytes) return std::nullopt;
    return bytes->substr(0, bytes->find_first_of("\r\n"));
}

}  // namespace platform::files
