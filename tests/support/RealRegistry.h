// Direct registry access for tests that pin the real platform: arrange values
// of any type and look at both registry views. Only tests use this.
#pragma once

#include <windows.h>

#include <string>

namespace testing_support {

// Removes a key tree of HKLM/HKCU in both views when created and destroyed.
class ScratchKey {
public:
    ScratchKey(HKEY root, std::string subkey);
    ~ScratchKey();
    ScratchKey(const ScratchKey&) = delete;
    ScratchKey& operator=(const ScratchKey&) = delete;
    void Clear() const;

private:
    HKEY root_;
    std::string subkey_;
};

// Writes raw data of any type in the given view (KEY_WOW64_32KEY or _64KEY).
bool SetRawValue(HKEY root, const std::string& subkey, const std::string& name, DWORD type,
                 const void* data, DWORD size, REGSAM view = KEY_WOW64_32KEY);
// Writes UTF-8 text as REG_SZ through the W call, in the 32-bit view.
bool SetText(HKEY root, const std::string& subkey, const std::string& name,
             const std::string& value);
// Reads REG_SZ text in the given view; "<missing>" when absent.
std::string GetText(HKEY root, const std::string& subkey, const std::string& name,
                    REGSAM view = KEY_WOW64_32KEY);
// Every value of the key as text ("name=value" lines, by name), for
// comparing two runs; values that are not text show their type and size.
std::string AllValues(HKEY root, const std::string& subkey, REGSAM view = KEY_WOW64_32KEY);
DWORD GetType(HKEY root, const std::string& subkey, const std::string& name,
              REGSAM view = KEY_WOW64_32KEY);

}  // namespace testing_support
