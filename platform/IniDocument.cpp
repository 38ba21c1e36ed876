#include "platform/IniDocument.h"

#include "platform/TextEncoding.h"

namespace platform::ini {
namespace {

namespace codec = platform::encoding;

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\v' || c == '\f'; }

std::string_view Trimmed(std::string_view text) {
    while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
    while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
    return text;
}

char LowerAscii(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 0x20) : c; }

bool SameName(std::string_view left, std::string_view right) {
    left = Trimmed(left);
    right = Trimmed(right);
    if (left.size() != right.size()) return false;
    for (size_t i = 0; i < left.size(); ++i) {
        if (LowerAscii(left[i]) != LowerAscii(right[i])) return false;
    }
    return true;
}

// A section header's name, or nothing for other lines.
std::optional<std::string_view> SectionName(std::string_view line) {
    line = Trimmed(line);
    if (line.empty() || line.front() != '[') return std::nullopt;
    const size_t close = line.rfind(']');
    if (close == std::string_view::npos) return std::nullopt;
    return line.substr(1, close - 1);
}

// A key line's name (everything before "=", or the whole line without one).
std::string_view KeyName(std::string_view line) { return Trimmed(line.substr(0, line.find('='))); }

std::string_view KeyValue(std::string_view line) {
    const size_t equals = line.find('=');
    return equals == std::string_view::npos ? std::string_view() : Trimmed(line.substr(equals + 1));
}

bool IsKeyLine(std::string_view line) { return !Trimmed(line).empty() && !SectionName(line); }

// The profile functions drop one pair of matching quotes around a value.
std::string_view Unquoted(std::string_view value) {
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
        value.back() == value.front()) {
        return value.substr(1, value.size() - 2);
    }
    return value;
}

// Splits text at its line ends: each piece with the end it had.
template <typename Add>
void ForEachLine(std::string_view text, Add add) {
    size_t start = 0;
    while (start < text.size()) {
        const size_t end = text.find('\n', start);
        if (end == std::string_view::npos) {
            add(text.substr(start), std::string_view());
            return;
        }
        const bool crlf = end > start && text[end - 1] == '\r';
        add(text.substr(start, end - start - (crlf ? 1 : 0)), crlf ? "\r\n" : "\n");
        start = end + 1;
    }
}

}  // namespace

Document::Document(std::string_view bytes, files::TextEncoding encoding) {
    if (bytes.starts_with(codec::kUtf16LeMark) || bytes.starts_with(codec::kUtf16BeMark)) {
        form_ = bytes.starts_with(codec::kUtf16LeMark) ? Form::Utf16Le : Form::Utf16Be;
        mark_ = bytes.substr(0, 2);
        // Lines of two-byte text are read and written as a whole.
        ForEachLine(files::DecodeText(bytes, encoding), [&](std::string_view text, std::string_view end) {
            lines_.push_back({std::string(text), std::string(end), std::nullopt});
        });
        return;
    }
    if (bytes.starts_with(codec::kUtf8Mark)) {
        form_ = Form::Utf8;
        mark_ = bytes.substr(0, 3);
        bytes.remove_prefix(3);
    } else {
        form_ = encoding == files::TextEncoding::Windows1252 ? Form::Windows1252 : Form::AnsiCodePage;
    }
    // A line feed is a line feed in every single- and double-byte code page.
    ForEachLine(bytes, [&](std::string_view stored, std::string_view end) {
        const std::string text = form_ == Form::Utf8 ? std::string(stored)
                                                     : files::DecodeText(stored, encoding);
        lines_.push_back({text, std::string(end), std::string(stored) + std::string(end)});
    });
}

size_t Document::FindSection(std::string_view section) const {
    for (size_t i = 0; i < lines_.size(); ++i) {
        const auto name = SectionName(lines_[i].text);
        // Keys before any header, or under "[]", belong to no section.
        if (name && !Trimmed(*name).empty() && SameName(*name, section)) return i;
    }
    return std::string::npos;
}

size_t Document::SectionEnd(size_t header) const {
    size_t end = header + 1;
    while (end < lines_.size() && !SectionName(lines_[end].text)) ++end;
    return end;
}

size_t Document::FindKey(size_t header, std::string_view key) const {
    for (size_t i = header + 1; i < SectionEnd(header); ++i) {
        if (IsKeyLine(lines_[i].text) && SameName(KeyName(lines_[i].text), key)) return i;
    }
    return std::string::npos;
}

std::optional<std::string> Document::Value(std::string_view section, std::string_view key) const {
    const size_t header = FindSection(section);
    if (header == std::string::npos) return std::nullopt;
    const size_t line = FindKey(header, key);
    if (line == std::string::npos) return std::nullopt;
    return std::string(Unquoted(KeyValue(lines_[line].text)));
}

void Document::Insert(size_t index, std::string text) {
    // The line before gets an end of its own first.
    if (index > 0 && lines_[index - 1].ending.empty()) {
        lines_[index - 1].ending = "\r\n";
        if (lines_[index - 1].stored) *lines_[index - 1].stored += "\r\n";
    }
    lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(index),
                  Line{std::move(text), "\r\n", std::nullopt});
}

void Document::Set(std::string_view section, std::string_view key,
                   const std::optional<std::string>& value) {
    const size_t header = FindSection(section);
    const std::string keyLine = std::string(key) + "=" + value.value_or("");
    if (header == std::string::npos) {
        if (!value) return;  // nothing to remove
        Insert(lines_.size(), "[" + std::string(section) + "]");
        Insert(lines_.size(), keyLine);
        return;
    }
    const size_t line = FindKey(header, key);
    if (line == std::string::npos) {
        if (!value) return;
        size_t after = header;
        for (size_t i = header + 1; i < SectionEnd(header); ++i) {
            if (IsKeyLine(lines_[i].text)) after = i;
        }
        Insert(after + 1, keyLine);
    } else if (value) {
        Line& changed = lines_[line];
        changed.text = std::string(KeyName(changed.text)) + "=" + *value;
        changed.stored.reset();
    } else {
        lines_.erase(lines_.begin() + static_cast<std::ptrdiff_t>(line));
    }
}

bool Document::RemoveSection(std::string_view section) {
    const size_t header = FindSection(section);
    if (header == std::string::npos) return false;
    lines_.erase(lines_.begin() + static_cast<std::ptrdiff_t>(header),
                 lines_.begin() + static_cast<std::ptrdiff_t>(SectionEnd(header)));
    return true;
}

std::string Document::Encoded(const std::string& text) const {
    switch (form_) {
        case Form::Utf16Le: return codec::Utf16LeFromUtf8(text);
        case Form::Utf16Be: return codec::Utf16BeFromUtf8(text);
        case Form::Windows1252: return codec::Windows1252FromUtf8(text);
        case Form::AnsiCodePage: return files::AnsiCodePageFromUtf8(text);
        case Form::Utf8: break;
    }
    return text;
}

std::string Document::Bytes() const {
    std::string bytes = mark_;
    if (form_ == Form::Utf16Le || form_ == Form::Utf16Be) {
        std::string text;
        for (const Line& line : lines_) text += line.text + line.ending;
        return bytes + Encoded(text);
    }
    for (const Line& line : lines_) bytes += line.stored ? *line.stored : Encoded(line.text + line.ending);
    return bytes;
}

std::string AsProfileResult(const std::optional<std::string>& found,
                            std::string_view defaultValue, unsigned bufferSize) {
    if (bufferSize == 0) return {};
    std::string_view value = found ? std::string_view(*found) : defaultValue;
    // The default loses its trailing blanks.
    if (!found) {
        while (!value.empty() && value.back() == ' ') value.remove_suffix(1);
    }
    size_t units = 0;
    size_t at = 0;
    while (at < value.size()) {
        const codec::CodePoint point = codec::DecodeUtf8At(value, at);
        const size_t width = point.valid && point.value >= 0x10000 ? 2 : 1;
        if (units + width > bufferSize - 1) break;
        units += width;
        at += point.length;
    }
    return std::string(value.substr(0, at));
}

}  // namespace platform::ini
