#include "tests/support/RealRegistry.h"

#include <map>
#include <vector>

namespace testing_support {

ScratchKey::ScratchKey(HKEY root, std::string subkey) : root_(root), subkey_(std::move(subkey)) {
    Clear();
}

ScratchKey::~ScratchKey() { Clear(); }

void ScratchKey::Clear() const {
    for (REGSAM view : {KEY_WOW64_32KEY, KEY_WOW64_64KEY}) {
        HKEY key = nullptr;
        if (RegOpenKeyExA(root_, subkey_.c_str(), 0, KEY_ALL_ACCESS | view, &key) == ERROR_SUCCESS) {
            RegDeleteTreeA(key, nullptr);
            RegCloseKey(key);
        }
        RegDeleteKeyExA(root_, subkey_.c_str(), view, 0);
    }
}

bool SetRawValue(HKEY root, const std::string& subkey, const std::string& name, DWORD type,
                 const void* data, DWORD size, REGSAM view) {
    HKEY key = nullptr;
    if (RegCreateKeyExA(root, subkey.c_str(), 0, nullptr, 0, KEY_SET_VALUE | view, nullptr, &key,
                        nullptr) != ERROR_SUCCESS) {
        return false;
    }
    bool ok = RegSetValueExA(key, name.c_str(), 0, type, static_cast<const BYTE*>(data), size) ==
              ERROR_SUCCESS;
    RegCloseKey(key);
    return ok;
}

std::string GetText(HKEY root, const std::string& subkey, const std::string& name, REGSAM view) {
    HKEY key = nullptr;
    if (RegOpenKeyExA(root, subkey.c_str(), 0, KEY_QUERY_VALUE | view, &key) != ERROR_SUCCESS) {
        return "<missing>";
    }
    DWORD type = 0, size = 0;
    std::string result = "<missing>";
    if (RegQueryValueExA(key, name.c_str(), nullptr, &type, nullptr, &size) == ERROR_SUCCESS) {
        std::vector<char> buffer(size + 1, '\0');
        RegQueryValueExA(key, name.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(buffer.data()),
                         &size);
        result = buffer.data();
    }
    RegCloseKey(key);
    return result;
}

std::string AllValues(HKEY root, const std::string& subkey, REGSAM view) {
    HKEY key = nullptr;
    if (RegOpenKeyExA(root, subkey.c_str(), 0, KEY_QUERY_VALUE | view, &key) != ERROR_SUCCESS) {
        return "<missing>";
    }
    std::map<std::string, std::string> values;
    char name[256];
    BYTE data[4096];
    for (DWORD index = 0;; ++index) {
        DWORD nameSize = sizeof name, dataSize = sizeof data, type = 0;
        if (RegEnumValueA(key, index, name, &nameSize, nullptr, &type, data, &dataSize) !=
            ERROR_SUCCESS) {
            break;
        }
        std::string text(reinterpret_cast<const char*>(data), dataSize);
        if (type == REG_SZ) text = text.substr(0, text.find('\0'));
        values[name] = type == REG_SZ ? text
                                      : "<type " + std::to_string(type) + ", " +
                                            std::to_string(dataSize) + " bytes>";
    }
    RegCloseKey(key);
    std::string listing;
    for (const auto& [valueName, value] : values) listing += valueName + "=" + value + "\n";
    return listing;
}

DWORD GetType(HKEY root, const std::string& subkey, const std::string& name, REGSAM view) {
    HKEY key = nullptr;
    if (RegOpenKeyExA(root, subkey.c_str(), 0, KEY_QUERY_VALUE | view, &key) != ERROR_SUCCESS) {
        return REG_NONE;
    }
    DWORD type = REG_NONE;
    RegQueryValueExA(key, name.c_str(), nullptr, &type, nullptr, nullptr);
    RegCloseKey(key);
    return type;
}

}  // namespace testing_support
