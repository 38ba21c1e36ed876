#include "wizard/servercopy/ImageFolderList.h"

#include "platform/Files.h"
#include "shared/Text.h"
#include "wizard/base/SetupSession.h"

namespace {

std::vector<std::string> TextLines(const std::string& bytes) {
    std::vector<std::string> lines;
    size_t start = 0;
    while (start < bytes.size()) {
        size_t end = bytes.find_first_of("\r\n", start);
        if (end == std::string::npos) end = bytes.size();
        lines.push_back(bytes.substr(start, end - start));
        if (end + 1 < bytes.size() && bytes[end] == '\r' && bytes[end + 1] == '\n') ++end;
        start = end + 1;
    }
    return lines;
}

}  // namespace

int ReadImageFolderList(std::vector<std::string>& folders, CopyError& error) {
    const auto bytes = platform::files::ReadWholeFile(Session().InstallIniPath);
    if (!bytes) {
        error.Record(platform::files::LastError());
        return 0;
    }
    int count = 0;
    bool inSection = false;
    for (const std::string& line : TextLines(*bytes)) {
        const std::string trimmed = text::Trim(line);
        if (text::StartsWith(text::Upper(trimmed), "[SELVORFOLDERS]")) {
            inSection = true;
        } else if (!inSection || trimmed.empty() || text::StartsWith(trimmed, ";")) {
            continue;
        } else if (text::StartsWith(trimmed, "[")) {
            break;
        } else {
            folders.push_back(line);
            ++count;
        }
    }
    return count;
}
