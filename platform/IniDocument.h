// An INI file as the profile functions see it, read and edited without them:
// for the files whose code page those functions cannot know (the image's own
// files are Windows-1252 on every machine), and for edits that must keep
// every byte of the lines they do not change (Wine's profile functions write
// the whole file anew). Portable: the native build's profile stand-in uses
// it too.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/Files.h"

namespace platform::ini {

class Document {
  public:
    // The stored bytes, decoded by their byte-order mark or else as
    // `encoding` says; no bytes at all make an empty file.
    Document(std::string_view bytes, files::TextEncoding encoding);

    // The value of the first such key in the first such section (names are
    // compared without regard to case or surrounding blanks), trimmed and
    // without one pair of surrounding quotes; nullopt when either is missing.
    std::optional<std::string> Value(std::string_view section, std::string_view key) const;
    // Sets a key, added after the section's last key (the section added at
    // the end when missing); nullopt removes the key.
    void Set(std::string_view section, std::string_view key,
             const std::optional<std::string>& value);
    // Removes a section with its keys; false when there is none.
    bool RemoveSection(std::string_view section);

    // What to store: the lines no edit touched as they were read, the others
    // in the file's own encoding.
    std::string Bytes() const;

  private:
    enum class Form { Utf8, Utf16Le, Utf16Be, Windows1252, AnsiCodePage };
    struct Line {
        std::string text;    // UTF-8, without its line end
        std::string ending;  // "\r\n", "\n" or "" for the last line
        std::optional<std::string> stored;  // the bytes read, line end included
    };

    size_t FindSection(std::string_view section) const;
    size_t SectionEnd(size_t header) const;
    size_t FindKey(size_t header, std::string_view key) const;
    void Insert(size_t index, std::string text);
    std::string Encoded(const std::string& text) const;

    Form form_ = Form::AnsiCodePage;
    std::string mark_;  // the byte-order mark the file began with
    std::vector<Line> lines_;
};

// The profile functions' result for a value: what was found or else the
// default without its trailing blanks, cut to `bufferSize` - 1 characters
// (UTF-16 units, as the W functions count), never inside a character.
std::string AsProfileResult(const std::optional<std::string>& found,
                            std::string_view defaultValue, unsigned bufferSize);

}  // namespace platform::ini
