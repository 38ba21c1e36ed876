#include "shared/Text.h"

#include "platform/TextEncoding.h"

namespace text {
namespace {

// Letters whose two cases lie `distance` apart, or side by side in pairs
// (upper case first on an even or an odd code point). Only pairs whose UTF-8
// forms have the same length are listed: callers find a position in the
// upper-cased text and cut the original there. So ß, ı and ſ keep their case.
enum class Pairing { Distance, EvenUpper, OddUpper };
struct CaseRange {
    char32_t first, last;  // the upper-case letters of the range
    Pairing pairing;
    char32_t distance;     // for Pairing::Distance: lower = upper + distance
};
constexpr CaseRange kCaseRanges[] = {
    {U'A', U'Z', Pairing::Distance, 0x20},
    {0xC0, 0xD6, Pairing::Distance, 0x20},      // À..Ö
    {0xD8, 0xDE, Pairing::Distance, 0x20},      // Ø..Þ
    {0x100, 0x12E, Pairing::EvenUpper, 1},      // Ā..Į
    {0x132, 0x136, Pairing::EvenUpper, 1},      // Ĳ..Ķ
    {0x139, 0x147, Pairing::OddUpper, 1},       // Ĺ..Ň, Ł among them
    {0x14A, 0x176, Pairing::EvenUpper, 1},      // Ŋ..Ŷ, Ş and Ő among them
    {0x179, 0x17D, Pairing::OddUpper, 1},       // Ź..Ž
    {0x200, 0x21E, Pairing::EvenUpper, 1},      // Ȁ..Ȟ, Ș and Ț among them
    {0x386, 0x386, Pairing::Distance, 0x26},    // Ά
    {0x388, 0x38A, Pairing::Distance, 0x25},    // Έ..Ί
    {0x38C, 0x38C, Pairing::Distance, 0x40},    // Ό
    {0x38E, 0x38F, Pairing::Distance, 0x3F},    // Ύ..Ώ
    {0x391, 0x3A1, Pairing::Distance, 0x20},    // Α..Ρ
    {0x3A3, 0x3AB, Pairing::Distance, 0x20},    // Σ..Ϋ
    {0x400, 0x40F, Pairing::Distance, 0x50},    // Ѐ..Џ
    {0x410, 0x42F, Pairing::Distance, 0x20},    // А..Я
    {0x460, 0x480, Pairing::EvenUpper, 1},      // Ѡ..Ҁ
    {0x48A, 0x4BE, Pairing::EvenUpper, 1},      // Ҋ..Ҿ
    {0x1E00, 0x1E94, Pairing::EvenUpper, 1},    // Ḁ..Ẕ
    {0x1EA0, 0x1EFE, Pairing::EvenUpper, 1},    // Ạ..Ỿ, Vietnamese
    {0x2160, 0x216F, Pairing::Distance, 0x10},  // Ⅰ..Ⅿ
    {0xFF21, 0xFF3A, Pairing::Distance, 0x20},  // Ａ..Ｚ
};

bool IsUpperIn(const CaseRange& range, char32_t c) {
    if (c < range.first || c > range.last) return false;
    if (range.pairing == Pairing::Distance) return true;
    return (c % 2 == 0) == (range.pairing == Pairing::EvenUpper);
}

char32_t DistanceOf(const CaseRange& range) {
    return range.pairing == Pairing::Distance ? range.distance : 1;
}

char32_t UpperOf(char32_t c) {
    if (c == 0xFF) return 0x178;  // ÿ, whose upper case lies elsewhere
    for (const CaseRange& range : kCaseRanges) {
        const char32_t distance = DistanceOf(range);
        if (c >= distance && IsUpperIn(range, c - distance)) return c - distance;
    }
    return c;
}

char32_t LowerOf(char32_t c) {
    if (c == 0x178) return 0xFF;
    for (const CaseRange& range : kCaseRanges) {
        if (IsUpperIn(range, c)) return c + DistanceOf(range);
    }
    return c;
}

std::string MapLetters(std::string_view value, char32_t (*map)(char32_t)) {
    std::string result;
    result.reserve(value.size());
    for (std::size_t at = 0; at < value.size();) {
        const platform::encoding::CodePoint point = platform::encoding::DecodeUtf8At(value, at);
        if (point.valid) {
            platform::encoding::AppendUtf8(map(point.value), result);
        } else {
            result += value[at];
        }
        at += point.length;
    }
    return result;
}

}  // namespace

std::string Trim(std::string_view value) {
    size_t first = value.find_first_not_of(' ');
    if (first == std::string_view::npos) return {};
    size_t last = value.find_last_not_of(' ');
    return std::string(value.substr(first, last - first + 1));
}

std::string Upper(std::string_view value) { return MapLetters(value, UpperOf); }
std::string Lower(std::string_view value) { return MapLetters(value, LowerOf); }

bool ContainsNoCase(std::string_view haystack, std::string_view needle) {
    return Lower(haystack).find(Lower(needle)) != std::string::npos;
}

bool EqualsNoCase(std::string_view left, std::string_view right) {
    return left.size() == right.size() && Lower(left) == Lower(right);
}

bool EndsWith(std::string_view value, std::string_view suffix) {
    return value.size() >= suffix.size() && value.substr(value.size() - suffix.size()) == suffix;
}

bool StartsWith(std::string_view value, std::string_view prefix) {
    return value.substr(0, prefix.size()) == prefix;
}

std::string ReplaceAll(std::string value, std::string_view from, std::string_view to) {
    if (from.empty()) return value;
    size_t position = 0;
    while ((position = value.find(from, position)) != std::string::npos) {
        value.replace(position, from.size(), to);
        position += to.size();
    }
    return value;
}

long long LeadingNumber(std::string_view value) {
    size_t i = 0;
    while (i < value.size() && (value[i] == ' ' || value[i] == '\t')) ++i;
    bool negative = false;
    if (i < value.size() && (value[i] == '-' || value[i] == '+')) negative = value[i++] == '-';
    long long number = 0;
    for (; i < value.size() && value[i] >= '0' && value[i] <= '9'; ++i) {
        // Saturate instead of overflowing on absurdly long digit runs.
        if (number > (1LL << 53)) break;
        number = number * 10 + (value[i] - '0');
    }
    return negative ? -number : number;
}

std::string JoinPath(std::string_view left, std::string_view right) {
    std::string joined(left);
    if (!EndsWith(joined, "\\")) joined += '\\';
    joined += right;
    return joined;
}

std::string CutAtNul(std::string_view value) {
    return std::string(value.substr(0, value.find('\0')));
}

}  // namespace text
