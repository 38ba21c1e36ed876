#include "platform/RegistryValue.h"

namespace platform {

RegistryValue RegistryValue::FromText(std::string text) {
    RegistryValue value;
    value.kind_ = Kind::Text;
    value.text_ = std::move(text);
    return value;
}

RegistryValue RegistryValue::FromNumber(std::int32_t number) {
    RegistryValue value;
    value.kind_ = Kind::Number;
    value.number_ = number;
    return value;
}

std::string RegistryValue::AsText() const {
    switch (kind_) {
        case Kind::Text:
            return text_;
        case Kind::Number:
            return std::to_string(number_);
        case Kind::Empty:
            break;
    }
    return {};
}

}  // namespace platform
