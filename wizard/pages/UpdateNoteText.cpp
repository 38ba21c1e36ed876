#include "wizard/pages/UpdateNoteText.h"

#include "platform/Files.h"
#include "shared/Text.h"

std::string UpdateNoteText(std::string_view bytes) {
    std::string text;
    std::size_t position = 0;
    while (position < bytes.size()) {
        const std::size_t end = bytes.find('\r', position);
        const std::string_view line = bytes.substr(position, end - position);
        if (text.empty()) {
            text = line;
        } else {
            text += "\r\n";
            text += line;
        }
        if (end == std::string_view::npos) break;
        position = end + 1;
        if (position < bytes.size() && bytes[position] == '\n') ++position;
    }
    return text;
}

std::string UpdateNotePath(const std::string& setupRoot, bool workstationSetup) {
    return text::JoinPath(setupRoot,
                          workstationSetup ? "UpdateNote.txt" : "WSROOT\\UpdateNote.txt");
}

std::string ReadUpdateNote(const std::string& path) {
    // The image's note, written on a German system.
    return UpdateNoteText(
        platform::files::ReadText(path, platform::files::TextEncoding::Windows1252)
            .value_or(std::string()));
}
