#include "shared/RunLog.h"

#include <cstdio>

#include "platform/Files.h"

namespace run_log {
namespace {

std::string path_;
// Whether the file was looked at for its byte-order mark since it was opened.
bool marked_ = false;
// Notepad, PowerShell and findstr take a file with this mark for UTF-8 and
// show every path whole; without it they would guess a code page.
constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

bool NeedsQuotes(const std::string& value) {
    return value.empty() || value.find_first_of(" \t\"=\r\n") != std::string::npos;
}

std::string Quoted(const std::string& value) {
    std::string quoted = "\"";
    for (size_t i = 0; i < value.size(); ++i) {
        const char c = value[i];
        if (c == '"') {
            quoted += "\"\"";
        } else if (c == '\r' || c == '\n') {
            quoted += "¶";
            if (c == '\r' && i + 1 < value.size() && value[i + 1] == '\n') ++i;
        } else {
            quoted += c;
        }
    }
    return quoted + "\"";
}

std::string Timestamp(const platform::LocalTime& t) {
    char text[32];
    std::snprintf(text, sizeof(text), "%04d-%02d-%02dT%02d:%02d:%02d.%03d", t.year, t.month, t.day,
                  t.hour, t.minute, t.second, t.millisecond);
    return text;
}

}  // namespace

void Open(const std::string& path) {
    path_ = path.empty() ? path : platform::files::FullPathOf(path);
    marked_ = false;
}

bool IsOpen() { return !path_.empty(); }

const std::string& Path() { return path_; }

void Close() { path_.clear(); }

std::string FormatLine(const platform::LocalTime& time, std::string_view event,
                       const std::vector<Field>& fields) {
    std::string line = Timestamp(time) + " " + std::string(event);
    for (const Field& field : fields) {
        line += " " + std::string(field.key) + "=" +
                (NeedsQuotes(field.value) ? Quoted(field.value) : field.value);
    }
    return line + "\r\n";
}

void Write(std::string_view event, const std::vector<Field>& fields) {
    if (!IsOpen()) return;
    std::string line = FormatLine(platform::Current().Now(), event, fields);
    // A new file starts with the mark; a record appended to keeps its start,
    // also when its size cannot be told.
    if (!marked_) {
        const std::optional<unsigned long long> size = platform::files::FileSize(path_);
        const bool fresh =
            size ? *size == 0 : platform::files::FileIsMissing(platform::files::LastError());
        if (fresh) line.insert(0, kByteOrderMark);
    }
    if (platform::files::AppendToFile(path_, line)) marked_ = true;
}

void Write(std::string_view event, std::initializer_list<Field> fields) {
    if (IsOpen()) Write(event, std::vector<Field>(fields));
}

std::string YesNo(bool value) { return value ? "yes" : "no"; }

}  // namespace run_log
