// A record of one run, for the people who roll the suite out and support it:
// one line per event, as
//   2026-12-08T21:44:01.123 message text="Die Datei ..." answer=1
// in UTF-8 with a byte-order mark, so that a person can read any path whole
// and findstr or grep can select from it. Nothing is written
// anywhere until a file is opened, and a record that cannot be written is
// dropped: keeping it never changes the run.
#pragma once

#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

#include "platform/Platform.h"

namespace run_log {

struct Field {
    std::string_view key;
    std::string value;
};

// From now on every event is appended to `path` (made full now, so that a
// later change of the current folder does not move it).
void Open(const std::string& path);
bool IsOpen();
// The full path of the record; empty when none is kept.
const std::string& Path();
// Stops recording (tests, and the end of a run).
void Close();
void Write(std::string_view event, std::initializer_list<Field> fields = {});
void Write(std::string_view event, const std::vector<Field>& fields);

// One line as Write appends it: the time, the event and its fields. A value
// with blanks, quotes, "=" or nothing in it is quoted, a quote in it
// doubled, and a line break shown as the pilcrow so that the line stays one.
std::string FormatLine(const platform::LocalTime& time, std::string_view event,
                       const std::vector<Field>& fields);

// Shorthands for the values events carry.
std::string YesNo(bool value);

}  // namespace run_log
