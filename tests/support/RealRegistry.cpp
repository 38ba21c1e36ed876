#include "tests/support/RealRegistry.h"

#include <map>
#include <vector>

#include "platform/TextConversion.h"

namespace testing_support {

using platform::FromWide;
using platform::ToWide;

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

bool SetText(HKEY root, const std::string& subkey, const std::string& name,
             const std::string& value) {
    HKEY key = nullptr;
    if (RegCreateKeyExW(root, ToWide(subkey).c_str(), 0, nullptr, 0,
                        KEY_SET_VALUE | KEY_WOW64_32KEY, nullptr, &key, nullptr) != ERROR_SUCCESS) {
        return false;
    }
    const std::wstring text = ToWide(value);
    const bool ok = RegSetValueExW(key, ToWide(name).c_str(), 0, REG_SZ,
                                   reinterpret_cast<const BYTE*>(text.c_str()),
                                   static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t))) ==
                    ERROR_SUCCESS;
    RegCloseKey(key);
    return ok;
}

std::string GetText(HKEY root, const std::string& subkey, const std::string& name, REGSAM view) {
    HKEY key = nullptr;
    if (RegOpenKeyExW(root, ToWide(subkey).c_str(), 0, KEY_QUERY_VALUE | view, &key) !=
        ERROR_SUCCESS) {
        return "<missing>";
    }
    DWORD type = 0, size = 0;
    std::string result = "<missing>";
    const std::wstring wideName = ToWide(name);
    if (RegQueryValueExW(key, wideName.c_str(), nullptr, &type, nullptr, &size) == ERROR_SUCCESS) {
        std::vector<wchar_t> buffer(size / sizeof(wchar_t) + 2, L'\0');
        RegQueryValueExW(key, wideName.c_str(), nullptr, &type,
                         reinterpret_cast<BYTE*>(buffer.data()), &size);
        result = FromWide(buffer.data());
    }
    RegCloseKey(key);
    return result;
}

std::string AllValues(HKEY root, const std::string& subkey, REGSAM view) {
    HKEY key = nullptr;
    if (RegOpenKeyExW(root, ToWide(subkey).c_str(), 0, KEY_QUERY_VALUE | view, &key) !=
        ERROR_SUCCESS) {
        return "<missing>";
    }
    std::map<std::string, std::string> values;
    wchar_t name[256];
    wchar_t data[4096];
    for (DWORD index = 0;; ++index) {
        DWORD nameSize = 256, dataSize = sizeof data, type = 0;
        if (RegEnumValueW(key, index, name, &nameSize, nullptr, &type,
                          reinterpret_cast<BYTE*>(data), &dataSize) != ERROR_SUCCESS) {
            break;
        }
        std::wstring text(data, dataSize / sizeof(wchar_t));
        if (type == REG_SZ) text = text.substr(0, text.find(L'\0'));
        values[FromWide(name)] = type == REG_SZ ? FromWide(text)
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
