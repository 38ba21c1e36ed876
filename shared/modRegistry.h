// Registry access as both programs use it: string values in the 32-bit view,
// trimmed before writing, and the 64-bit test through WMI.
#pragma once

#include <string>

#include "platform/Platform.h"

using platform::RegistryRoot;
using platform::RegistryValue;

// The suite's key under HKEY_LOCAL_MACHINE.
inline constexpr const char* kSuiteKey = "SOFTWARE\\Zevrin\\Quenor";
inline constexpr const char* kDestinationsKey = "SOFTWARE\\Zevrin\\Setup\\Destinations";
inline constexpr const char* kDestinationsKeyWow = "SOFTWARE\\Wow6432Node\\Zevrin\\Setup\\Destinations";
// Left by a silent setup for the post-setup program, which the product
// installer runs: the file of the setup's record (empty when it keeps
// none). Its presence makes the post-setup program silent too.
inline constexpr const char* kSilentSetupRecordValue = "StillesSetupProtokoll";

RegistryValue ReadRegistryValue(RegistryRoot root, const std::string& subkey,
                                const std::string& valueName);
// Stores the value trimmed, as REG_SZ; failures are not reported.
void WriteRegistryValue(RegistryRoot root, const std::string& subkey,
                        const std::string& valueName, const std::string& value);

// Shorthands for the suite key.
std::string ReadSuiteValue(const std::string& valueName);
void WriteSuiteValue(const std::string& valueName, const std::string& value);
// Removes a value of the suite key; failures are not reported.
void DeleteSuiteValue(const std::string& valueName);
// A flag counts as set only when its trimmed text is exactly "1".
bool IsFlagSet(const RegistryValue& value);

bool Is64BitSystem();
