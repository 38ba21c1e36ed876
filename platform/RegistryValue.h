// A registry value as the programs see it: text for REG_SZ, a 32-bit integer
// for REG_DWORD, empty for everything else. Callers compare it with text; a
// number compares equal to its decimal text and empty equals "".
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace platform {

class RegistryValue {
public:
    enum class Kind { Empty, Text, Number };

    RegistryValue() = default;
    static RegistryValue FromText(std::string text);
    static RegistryValue FromNumber(std::int32_t number);

    Kind kind() const { return kind_; }
    bool IsEmpty() const { return kind_ == Kind::Empty; }
    // The value as text: the string, the decimal number, or "".
    std::string AsText() const;

    friend bool operator==(const RegistryValue& value, std::string_view text) {
        return value.AsText() == text;
    }

private:
    Kind kind_ = Kind::Empty;
    std::string text_;
    std::int32_t number_ = 0;
};

}  // namespace platform
