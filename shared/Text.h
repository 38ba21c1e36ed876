// Text helpers with the semantics the programs' INI files and registry values
// expect: UTF-8 text, blanks meaning the space character only.
#pragma once

#include <string>
#include <string_view>

namespace text {

// Removes leading and trailing spaces (not tabs or line ends).
std::string Trim(std::string_view value);
// Upper and lower case of UTF-8 text: umlauts, the letters of Central and
// Eastern European languages, Greek and Cyrillic included. A character is
// never split, an invalid byte stays as it is, and the result has the same
// length in bytes, so a position found in it holds in the original too.
std::string Upper(std::string_view value);
std::string Lower(std::string_view value);
bool ContainsNoCase(std::string_view haystack, std::string_view needle);
bool EqualsNoCase(std::string_view left, std::string_view right);
bool EndsWith(std::string_view value, std::string_view suffix);
bool StartsWith(std::string_view value, std::string_view prefix);
// Every occurrence of `from` replaced by `to`.
std::string ReplaceAll(std::string value, std::string_view from, std::string_view to);
// The leading number of the text, 0 when there is none ("12abc" gives 12).
long long LeadingNumber(std::string_view value);
// Joins two path parts, inserting "\" only when the left part lacks one.
std::string JoinPath(std::string_view left, std::string_view right);
// The text before the first NUL character, or the whole text.
std::string CutAtNul(std::string_view value);

}  // namespace text
