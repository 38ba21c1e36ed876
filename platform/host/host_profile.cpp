// The INI profile functions for the native test build, with the Windows
// semantics the logic relies on: sections and keys found ignoring case and
// surrounding blanks, values trimmed and unquoted, the read cut to the
// buffer, the default for what is missing, a missing value removing the key.
// Lines that are not touched keep their bytes and line ends.
#include <cctype>
#include <string_view>
#include <vector>

#include "platform/Files.h"
#include "platform/Profile.h"
#include "platform/fake/FaultPlan.h"
#include "platform/host/HostPaths.h"

namespace platform::profile {
namespace {

struct Line {
    std::string text;    // without its line end
    std::string ending;  // "\r\n", "\n" or "" for the last line
};

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\v' || c == '\f'; }

std::string_view Trimmed(std::string_view text) {
    while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
    while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
    return text;
}

bool SameName(std::string_view left, std::string_view right) {
    left = Trimmed(left);
    right = Trimmed(right);
    if (left.size() != right.size()) return false;
    for (size_t i = 0; i < left.size(); ++i) {
        if (std::tolower(static_cast<unsigned char>(left[i])) !=
            std::tolower(static_cast<unsigned char>(right[i]))) {
            return false;
        }
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

// A file named without a folder lives in the Windows folder.
std::string ProfilePath(const std::string& file) {
    const bool bare =
        file.find_first_of("\\/") == std::string::npos && !(file.size() >= 2 && file[1] == ':');
    return bare ? "C:\\windows\\" + file : file;
}

class ProfileFile {
  public:
    explicit ProfileFile(const std::string& file) : path_(ProfilePath(file)) {
        const std::optional<std::string> bytes = files::ReadWholeFile(path_);
        exists_ = bytes.has_value();
        if (!bytes) return;
        size_t start = 0;
        while (start < bytes->size()) {
            size_t end = bytes->find('\n', start);
            Line line;
            if (end == std::string::npos) {
                line.text = bytes->substr(start);
                start = bytes->size();
            } else {
                const bool crlf = end > start && (*bytes)[end - 1] == '\r';
                line.text = bytes->substr(start, end - start - (crlf ? 1 : 0));
                line.ending = crlf ? "\r\n" : "\n";
                start = end + 1;
            }
            lines_.push_back(std::move(line));
        }
    }

    bool Exists() const { return exists_; }

    // Index of the first header of the section, or npos.
    size_t FindSection(std::string_view section) const {
        for (size_t i = 0; i < lines_.size(); ++i) {
            const auto name = SectionName(lines_[i].text);
            // Keys before any header, or under "[]", belong to no section.
            if (name && !Trimmed(*name).empty() && SameName(*name, section)) return i;
        }
        return std::string::npos;
    }

    // The line after the section's last line.
    size_t SectionEnd(size_t header) const {
        size_t end = header + 1;
        while (end < lines_.size() && !SectionName(lines_[end].text)) ++end;
        return end;
    }

    size_t FindKey(size_t header, std::string_view key) const {
        for (size_t i = header + 1; i < SectionEnd(header); ++i) {
            if (IsKeyLine(lines_[i].text) && SameName(KeyName(lines_[i].text), key)) return i;
        }
        return std::string::npos;
    }

    const std::string& Text(size_t index) const { return lines_[index].text; }

    void Replace(size_t index, std::string text) { lines_[index].text = std::move(text); }
    void Erase(size_t first, size_t last) {
        lines_.erase(lines_.begin() + static_cast<std::ptrdiff_t>(first),
                     lines_.begin() + static_cast<std::ptrdiff_t>(last));
    }
    // Adds a key after the section's last key line.
    void AddKey(size_t header, std::string text) {
        size_t after = header;
        for (size_t i = header + 1; i < SectionEnd(header); ++i) {
            if (IsKeyLine(lines_[i].text)) after = i;
        }
        Insert(after + 1, std::move(text));
    }
    void AddSection(std::string header, std::string key) {
        Insert(lines_.size(), std::move(header));
        Insert(lines_.size(), std::move(key));
    }

    bool Save() const {
        std::string bytes;
        for (const Line& line : lines_) bytes += line.text + line.ending;
        return files::WriteWholeFile(path_, bytes);
    }

  private:
    void Insert(size_t index, std::string text) {
        // The line before gets an end of its own first.
        if (index > 0 && lines_[index - 1].ending.empty()) lines_[index - 1].ending = "\r\n";
        lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(index),
                      Line{std::move(text), "\r\n"});
    }

    std::string path_;
    bool exists_ = false;
    std::vector<Line> lines_;
};

// A write the sweep makes fail: refused, as for a file another program holds.
bool Refused() {
    constexpr unsigned long kErrorAccessDenied = 5;
    host::SetLastError(kErrorAccessDenied);
    return false;
}

// The profile functions drop one pair of matching quotes around a value.
std::string_view Unquoted(std::string_view value) {
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
        value.back() == value.front()) {
        return value.substr(1, value.size() - 2);
    }
    return value;
}

}  // namespace

std::string ReadString(const std::string& section, const std::string& key,
                       const std::string& defaultValue, const std::string& file,
                       unsigned bufferSize) {
    // A file that cannot be read gives the default, as a missing key does.
    const faults::Call call("profile::ReadString", file + " [" + section + "] " + key);
    if (bufferSize == 0) return {};
    std::string_view value = defaultValue;
    // The default loses its trailing blanks.
    while (!value.empty() && value.back() == ' ') value.remove_suffix(1);
    if (call.Fails()) return std::string(value.substr(0, bufferSize - 1));
    const ProfileFile profile(file);
    const size_t header = profile.FindSection(section);
    if (header != std::string::npos) {
        const size_t line = profile.FindKey(header, key);
        if (line != std::string::npos) value = Unquoted(KeyValue(profile.Text(line)));
    }
    return std::string(value.substr(0, bufferSize - 1));
}

bool WriteString(const std::string& section, const std::string& key,
                 const std::optional<std::string>& value, const std::string& file) {
    const faults::Call call("profile::WriteString", file + " [" + section + "] " + key);
    if (call.Fails()) return Refused();
    ProfileFile profile(file);
    const size_t header = profile.FindSection(section);
    if (header == std::string::npos) {
        if (!value) return true;  // nothing to remove
        profile.AddSection("[" + section + "]", key + "=" + *value);
        return profile.Save();
    }
    const size_t line = profile.FindKey(header, key);
    if (line == std::string::npos) {
        if (!value) return true;
        profile.AddKey(header, key + "=" + *value);
    } else if (value) {
        profile.Replace(line, std::string(KeyName(profile.Text(line))) + "=" + *value);
    } else {
        profile.Erase(line, line + 1);
    }
    return profile.Save();
}

bool DeleteSection(const std::string& section, const std::string& file) {
    const faults::Call call("profile::DeleteSection", file + " [" + section + "]");
    if (call.Fails()) return Refused();
    ProfileFile profile(file);
    const size_t header = profile.FindSection(section);
    if (header == std::string::npos) return profile.Exists();
    profile.Erase(header, profile.SectionEnd(header));
    return profile.Save();
}

}  // namespace platform::profile
