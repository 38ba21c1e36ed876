// Registry access in the 32-bit view, the view the suite's programs use.
#include <vector>

#include "platform/ScopedHandle.h"
#include "platform/Win32Platform.h"

namespace platform {
namespace {

HKEY RootKey(RegistryRoot root) {
    return root == RegistryRoot::LocalMachine ? HKEY_LOCAL_MACHINE : HKEY_CURRENT_USER;
}

const char* NameOrDefault(const std::string& valueName) {
    // An empty name addresses the key's default value.
    return valueName.empty() ? nullptr : valueName.c_str();
}

RegistryValue ReadText(HKEY key, const char* name, DWORD size) {
    // Room for a terminating NUL the stored data may lack.
    std::vector<char> buffer(static_cast<size_t>(size) + 1, '\0');
    DWORD type = 0;
    DWORD read = size;
    if (RegQueryValueExA(key, name, nullptr, &type, reinterpret_cast<BYTE*>(buffer.data()),
                         &read) != ERROR_SUCCESS ||
        type != REG_SZ) {
        return {};
    }
    return RegistryValue::FromText(std::string(buffer.data()));  // up to the first NUL
}

RegistryValue ReadNumber(HKEY key, const char* name) {
    DWORD number = 0;
    DWORD type = 0;
    DWORD size = sizeof(number);
    if (RegQueryValueExA(key, name, nullptr, &type, reinterpret_cast<BYTE*>(&number), &size) !=
            ERROR_SUCCESS ||
        type != REG_DWORD) {
        return {};
    }
    return RegistryValue::FromNumber(static_cast<std::int32_t>(number));
}

}  // namespace

RegistryValue Win32Platform::ReadRegistry(RegistryRoot root, const std::string& subkey,
                                          const std::string& valueName) {
    ScopedRegistryKey key;
    if (RegOpenKeyExA(RootKey(root), subkey.c_str(), 0, KEY_QUERY_VALUE | KEY_WOW64_32KEY,
                      key.Receive()) != ERROR_SUCCESS) {
        return {};
    }
    const char* name = NameOrDefault(valueName);
    DWORD type = 0;
    DWORD size = 0;
    if (RegQueryValueExA(key.Get(), name, nullptr, &type, nullptr, &size) != ERROR_SUCCESS) {
        return {};
    }
    if (type == REG_SZ) return ReadText(key.Get(), name, size);
    if (type == REG_DWORD) return ReadNumber(key.Get(), name);
    return {};
}

bool Win32Platform::WriteRegistryString(RegistryRoot root, const std::string& subkey,
                                        const std::string& valueName, const std::string& data) {
    ScopedRegistryKey key;
    if (RegCreateKeyExA(RootKey(root), subkey.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                        KEY_SET_VALUE | KEY_WOW64_32KEY, nullptr, key.Receive(),
                        nullptr) != ERROR_SUCCESS) {
        return false;
    }
    // The stored length includes the terminating NUL.
    return RegSetValueExA(key.Get(), NameOrDefault(valueName), 0, REG_SZ,
                          reinterpret_cast<const BYTE*>(data.c_str()),
                          static_cast<DWORD>(data.size() + 1)) == ERROR_SUCCESS;
}

std::optional<bool> Win32Platform::DeleteRegistryValue(RegistryRoot root,
                                                       const std::string& subkey,
                                                       const std::string& valueName,
                                                       std::uint32_t accessMask) {
    ScopedRegistryKey key;
    if (RegOpenKeyExA(RootKey(root), subkey.c_str(), 0, accessMask | KEY_WOW64_32KEY,
                      key.Receive()) != ERROR_SUCCESS) {
        return std::nullopt;
    }
    return RegDeleteValueA(key.Get(), NameOrDefault(valueName)) == ERROR_SUCCESS;
}

}  // namespace platform
