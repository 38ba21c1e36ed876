// Registry access in the 32-bit view, the view the suite's programs use.
#include <vector>

#include "platform/ScopedHandle.h"
#include "platform/TextConversion.h"
#include "platform/Win32Platform.h"

namespace platform {
namespace {

HKEY RootKey(RegistryRoot root) {
    return root == RegistryRoot::LocalMachine ? HKEY_LOCAL_MACHINE : HKEY_CURRENT_USER;
}

// A value's name for the W calls; an empty name addresses the key's default value.
class ValueName {
  public:
    explicit ValueName(const std::string& name) : wide_(ToWide(name)) {}
    const wchar_t* Get() const { return wide_.empty() ? nullptr : wide_.c_str(); }

  private:
    std::wstring wide_;
};

RegistryValue ReadText(HKEY key, const wchar_t* name, DWORD size) {
    // Room for a terminating NUL the stored data may lack, and for an odd size.
    std::vector<wchar_t> buffer(size / sizeof(wchar_t) + 2, L'\0');
    DWORD type = 0;
    DWORD read = size;
    if (RegQueryValueExW(key, name, nullptr, &type, reinterpret_cast<BYTE*>(buffer.data()),
                         &read) != ERROR_SUCCESS ||
        type != REG_SZ) {
        return {};
    }
    return RegistryValue::FromText(FromWide(buffer.data()));  // up to the first NUL
}

RegistryValue ReadNumber(HKEY key, const wchar_t* name) {
    DWORD number = 0;
    DWORD type = 0;
    DWORD size = sizeof(number);
    if (RegQueryValueExW(key, name, nullptr, &type, reinterpret_cast<BYTE*>(&number), &size) !=
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
    if (RegOpenKeyExW(RootKey(root), ToWide(subkey).c_str(), 0, KEY_QUERY_VALUE | KEY_WOW64_32KEY,
                      key.Receive()) != ERROR_SUCCESS) {
        return {};
    }
    const ValueName name(valueName);
    DWORD type = 0;
    DWORD size = 0;
    if (RegQueryValueExW(key.Get(), name.Get(), nullptr, &type, nullptr, &size) != ERROR_SUCCESS) {
        return {};
    }
    if (type == REG_SZ) return ReadText(key.Get(), name.Get(), size);
    if (type == REG_DWORD) return ReadNumber(key.Get(), name.Get());
    return {};
}

bool Win32Platform::WriteRegistryString(RegistryRoot root, const std::string& subkey,
                                        const std::string& valueName, const std::string& data) {
    ScopedRegistryKey key;
    if (RegCreateKeyExW(RootKey(root), ToWide(subkey).c_str(), 0, nullptr,
                        REG_OPTION_NON_VOLATILE, KEY_SET_VALUE | KEY_WOW64_32KEY, nullptr,
                        key.Receive(), nullptr) != ERROR_SUCCESS) {
        return false;
    }
    // The stored length includes the terminating NUL.
    const std::wstring text = ToWide(data);
    return RegSetValueExW(key.Get(), ValueName(valueName).Get(), 0, REG_SZ,
                          reinterpret_cast<const BYTE*>(text.c_str()),
                          static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t))) ==
           ERROR_SUCCESS;
}

std::optional<bool> Win32Platform::DeleteRegistryValue(RegistryRoot root,
                                                       const std::string& subkey,
                                                       const std::string& valueName,
                                                       std::uint32_t accessMask) {
    ScopedRegistryKey key;
    if (RegOpenKeyExW(RootKey(root), ToWide(subkey).c_str(), 0, accessMask | KEY_WOW64_32KEY,
                      key.Receive()) != ERROR_SUCCESS) {
        return std::nullopt;
    }
    return RegDeleteValueW(key.Get(), ValueName(valueName).Get()) == ERROR_SUCCESS;
}

}  // namespace platform
