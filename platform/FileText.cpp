// What the file wrappers offer on top of reading a whole file, the same for
// every build.
#include "platform/Files.h"
#include "platform/TextEncoding.h"

namespace platform::files {

namespace codec = platform::encoding;

std::string DecodeText(std::string_view bytes, TextEncoding encoding) {
    if (bytes.starts_with(codec::kUtf8Mark)) return std::string(bytes.substr(3));
    if (bytes.starts_with(codec::kUtf16LeMark)) return codec::Utf8FromUtf16(bytes.substr(2), false);
    if (bytes.starts_with(codec::kUtf16BeMark)) return codec::Utf8FromUtf16(bytes.substr(2), true);
    return encoding == TextEncoding::Windows1252 ? codec::Utf8FromWindows1252(bytes)
                                                 : Utf8FromAnsiCodePage(bytes);
}

std::optional<std::string> ReadText(const std::string& path, TextEncoding encoding) {
    std::optional<std::string> bytes = ReadWholeFile(path);
    if (!bytes) return std::nullopt;
    return DecodeText(*bytes, encoding);
}

std::optional<std::string> ReadFirstLine(const std::string& path, TextEncoding encoding) {
    std::optional<std::string> text = ReadText(path, encoding);
    if (!text) return std::nullopt;
    return text->substr(0, text->find_first_of("\r\n"));
}

}  // namespace platform::files
