#include "shared/Text.h"

#include <algorithm>

namespace text {
namespace {

unsigned char UpperChar(unsigned char c) {
    if (c >= 'a' && c <= 'z') return static_cast<unsigned char>(c - 0x20);
    // Windows-1252 letters with diacritics: à..þ map to À..Þ, except ÷.
    if (c >= 0xE0 && c <= 0xFE && c != 0xF7) return static_cast<unsigned char>(c - 0x20);
    switch (c) {
        case 0x9A: return 0x8A;  // š
        case 0x9C: return 0x8C;  // œ
        case 0x9E: return 0x8E;  // ž
        case 0xFF: return 0x9F;  // ÿ
        default: return c;
    }
}

unsigned char LowerChar(unsigned char c) {
    if (c >= 'A' && c <= 'Z') return static_cast<unsigned char>(c + 0x20);
    if (c >= 0xC0 && c <= 0xDE && c != 0xD7) return static_cast<unsigned char>(c + 0x20);
    switch (c) {
        case 0x8A: return 0x9A;
        case 0x8C: return 0x9C;
        case 0x8E: return 0x9E;
        case 0x9F: return 0xFF;
        default: return c;
    }
}

template <typename Map>
std::string MapChars(std::string_view value, Map map) {
    std::string result(value);
    for (char& c : result) c = static_cast<char>(map(static_cast<unsigned char>(c)));
    return result;
}

}  // namespace

std::string Trim(std::string_view value) {
    size_t first = value.find_first_not_of(' ');
    if (first == std::string_view::npos) return {};
    size_t last = value.find_last_not_of(' ');
    return std::string(value.substr(first, last - first + 1));
}

std::string Upper(std::string_view value) { return MapChars(value, UpperChar); }
std::string Lower(std::string_view value) { return MapChars(value, LowerChar); }

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
