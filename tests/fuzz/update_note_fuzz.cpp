// The update note: the input is the whole UpdateNote.txt. The page's text
// never starts with an empty line, and its lines are the file's.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "wizard/pages/UpdateNoteText.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const std::string text = UpdateNoteText(bytes);
    if (text.size() > 2 * size) __builtin_trap();
    if (text.starts_with("\r\n")) __builtin_trap();
    // Every CR of the text begins a CR LF that joins two lines.
    for (std::size_t at = text.find('\r'); at != std::string::npos; at = text.find('\r', at + 1)) {
        if (at + 1 >= text.size() || text[at + 1] != '\n') __builtin_trap();
    }
    return 0;
}
