#include "shared/modRegistry.h"

#include <cstdint>

#include "shared/Text.h"

RegistryValue ReadRegistryValue(RegistryRoot root, const std::string& subkey,
                                const std::string& valueName) {
    return platform::Current().ReadRegistry(root, subkey, valueName);
}

void WriteRegistryValue(RegistryRoot root, const std::string& subkey,
                        const std::string& valueName, const std::string& value) {
    platform::Current().WriteRegistryString(root, subkey, valueName, text::Trim(value));
}

std::string ReadSuiteValue(const std::string& valueName) {
    return ReadRegistryValue(RegistryRoot::LocalMachine, kSuiteKey, valueName).AsText();
}

void WriteSuiteValue(const std::string& valueName, const std::string& value) {
    WriteRegistryValue(RegistryRoot::LocalMachine, kSuiteKey, valueName, value);
}

void DeleteSuiteValue(const std::string& valueName) {
    constexpr std::uint32_t kSetValue = 0x2;  // KEY_SET_VALUE
    platform::Current().DeleteRegistryValue(RegistryRoot::LocalMachine, kSuiteKey, valueName,
                                            kSetValue);
}

bool IsFlagSet(const RegistryValue& value) { return text::Trim(value.AsText()) == "1"; }

bool Is64BitSystem() {
    bool answer = false;
    // The last object's type decides.
    for (const std::string& systemType : platform::Current().ComputerSystemTypes()) {
        answer = text::ContainsNoCase(systemType, "64-bit") || text::ContainsNoCase(systemType, "x64");
    }
    return answer;
}
