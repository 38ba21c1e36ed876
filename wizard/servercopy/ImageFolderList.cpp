#include "wizard/servercopy/ImageFolderList.h"

#include "platform/Files.h"
#include "shared/Text.h"
#include "wizard/base/SetupSession.h"

namespace {

std::vector<std::string> TextLines(const std::string& text) {
    std::vector<std::string> lines;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find_first_of("\r\n", start);
        if (end == std::string::npos) end = text.size();
        lines.push_back(text.substr(start, end - start));
        if (end + 1 < text.size() && text[end] == '\r' && text[end + 1] == '\n') ++end;
        start = end + 1;
    }
    return lines;
}

}  // namespace

int ReadImageFolderList(std::vector<std::string>& folders, CopyError& error) {
    const auto text = platform::files::ReadText(Session().InstallIniPath,
                                                platform::files::TextEncoding::Windows1252);
    if (!text) {
        error.Record(platform::files::LastError());
        return 0;
    }
    int count = 0;
    bool inSection = false;
    for (const std::string& line : TextLines(*text)) {
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
