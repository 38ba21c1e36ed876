// The registry wrappers against Wine's real registry: 32-bit view, REG_SZ,
// trimming, and the types that read as empty.
#include <gtest/gtest.h>

#include "platform/Win32Platform.h"
#include "shared/modRegistry.h"
#include "tests/support/RealRegistry.h"

using namespace testing_support;

namespace {

constexpr const char* kTestKey = "SOFTWARE\\Zevrin\\RegistryTest";

class RealRegistryTest : public ::testing::Test {
protected:
    RealRegistryTest() : guard_(win32_), scratch_(HKEY_LOCAL_MACHINE, kTestKey) {}

    RegistryValue Read(const std::string& name, const char* key = kTestKey) {
        return ReadRegistryValue(RegistryRoot::LocalMachine, key, name);
    }

    platform::Win32Platform win32_;
    platform::ScopedPlatform guard_;
    ScratchKey scratch_;
};

TEST_F(RealRegistryTest, WritesTrimmedStringIntoThe32BitView) {
    WriteRegistryValue(RegistryRoot::LocalMachine, kTestKey, "Build", "  1234  ");

    EXPECT_EQ(GetText(HKEY_LOCAL_MACHINE, kTestKey, "Build", KEY_WOW64_32KEY), "1234");
    EXPECT_EQ(GetType(HKEY_LOCAL_MACHINE, kTestKey, "Build", KEY_WOW64_32KEY), DWORD{REG_SZ});
    // The 64-bit program's own view does not see it: it went to Wow6432Node.
    EXPECT_EQ(GetText(HKEY_LOCAL_MACHINE, kTestKey, "Build", KEY_WOW64_64KEY), "<missing>");
    EXPECT_EQ(GetText(HKEY_LOCAL_MACHINE, "SOFTWARE\\Wow6432Node\\Zevrin\\RegistryTest", "Build",
                      KEY_WOW64_64KEY),
              "1234");
    EXPECT_EQ(Read("Build"), "1234");
}

TEST_F(RealRegistryTest, EmptyWriteStoresEmptyStringInsteadOfDeleting) {
    WriteRegistryValue(RegistryRoot::LocalMachine, kTestKey, "Update", "7");
    WriteRegistryValue(RegistryRoot::LocalMachine, kTestKey, "Update", "   ");

    EXPECT_EQ(GetType(HKEY_LOCAL_MACHINE, kTestKey, "Update"), DWORD{REG_SZ});
    EXPECT_EQ(Read("Update").kind(), RegistryValue::Kind::Text);
    EXPECT_EQ(Read("Update"), "");
}

TEST_F(RealRegistryTest, DwordReadsAsNumberEqualToItsText) {
    DWORD one = 1;
    ASSERT_TRUE(SetRawValue(HKEY_LOCAL_MACHINE, kTestKey, "Flag", REG_DWORD, &one, sizeof(one)));

    RegistryValue value = Read("Flag");
    EXPECT_EQ(value.kind(), RegistryValue::Kind::Number);
    EXPECT_EQ(value, "1");
    EXPECT_TRUE(IsFlagSet(value));
}

TEST_F(RealRegistryTest, OtherTypesAndMissingValuesReadEmpty) {
    const char expandable[] = "%WINDIR%\\x";
    const unsigned char binary[] = {'1', 0};
    const char multi[] = "1\0\0";
    SetRawValue(HKEY_LOCAL_MACHINE, kTestKey, "Expand", REG_EXPAND_SZ, expandable, sizeof(expandable));
    SetRawValue(HKEY_LOCAL_MACHINE, kTestKey, "Binary", REG_BINARY, binary, sizeof(binary));
    SetRawValue(HKEY_LOCAL_MACHINE, kTestKey, "Multi", REG_MULTI_SZ, multi, sizeof(multi));

    for (const char* name : {"Expand", "Binary", "Multi", "Missing"}) {
        SCOPED_TRACE(name);
        EXPECT_TRUE(Read(name).IsEmpty());
        EXPECT_EQ(Read(name), "");
    }
    EXPECT_FALSE(IsFlagSet(Read("Binary")));
    EXPECT_TRUE(Read("Build", "SOFTWARE\\Zevrin\\NoSuchKey\\AtAll").IsEmpty());
}

TEST_F(RealRegistryTest, OddStringDataIsReadSafely) {
    // Stored without a terminating NUL, with an embedded NUL, and very large.
    const char unterminated[] = {'a', 'b', 'c'};
    const char embedded[] = "left\0right";
    std::string huge(1 << 20, 'x');
    SetRawValue(HKEY_LOCAL_MACHINE, kTestKey, "NoNul", REG_SZ, unterminated, sizeof(unterminated));
    SetRawValue(HKEY_LOCAL_MACHINE, kTestKey, "Embedded", REG_SZ, embedded, sizeof(embedded));
    SetRawValue(HKEY_LOCAL_MACHINE, kTestKey, "Huge", REG_SZ, huge.c_str(),
                static_cast<DWORD>(huge.size() + 1));
    const unsigned char shortDword[] = {7, 0};
    const unsigned long long longDword = 5;
    SetRawValue(HKEY_LOCAL_MACHINE, kTestKey, "ShortDword", REG_DWORD, shortDword, sizeof(shortDword));
    SetRawValue(HKEY_LOCAL_MACHINE, kTestKey, "LongDword", REG_DWORD, &longDword, sizeof(longDword));

    EXPECT_EQ(Read("NoNul"), "abc");
    EXPECT_EQ(Read("Embedded"), "left");
    EXPECT_EQ(Read("Huge").AsText().size(), huge.size());
    EXPECT_NO_FATAL_FAILURE(Read("ShortDword").AsText());
    EXPECT_TRUE(Read("LongDword").IsEmpty());
}

TEST_F(RealRegistryTest, DefaultValueIsAddressedByEmptyName) {
    WriteRegistryValue(RegistryRoot::LocalMachine, kTestKey, "", "default text");
    EXPECT_EQ(Read(""), "default text");
}

}  // namespace
