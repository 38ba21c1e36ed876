// INI reading, path canonicalisation and the system queries against Wine's
// real profile functions, shell and WMI.
#include <gtest/gtest.h>

#include "platform/Files.h"
#include "platform/Profile.h"
#include "platform/TextConversion.h"
#include "platform/Win32Platform.h"
#include "platform/fake/FakePlatform.h"
#include "shared/modRegistry.h"
#include "tests/support/FakePlatformTest.h"
#include "tests/support/RealRegistry.h"
#include "tests/support/TempFolder.h"
#include "wizard/base/IniAccess.h"
#include "wizard/base/SetupSession.h"
#include "wizard/base/SystemQueries.h"

using namespace testing_support;

namespace {

// Real files and profile functions, recorded message boxes.
class IniTest : public FakePlatformTest {
protected:
    TempFolder temp;
};

TEST_F(IniTest, MissingInstallFilePromptsOnceAndIgnoresTheDefault) {
    const std::string missing = temp / "WSROOT\\Install.ini";
    EXPECT_EQ(ReadIniValue(" " + missing + " ", "Application", "Program", "fallback", false), "");
    ASSERT_EQ(fake.messages.size(), 1u);
    EXPECT_EQ(fake.messages[0].text,
              "Datei nicht gefunden! (" + missing + ") Bitte legen Sie die Programm-CD ein");
    EXPECT_EQ(fake.messages[0].caption, "Paldrix");
    EXPECT_EQ(fake.messages[0].style, platform::mb::Ok);

    EXPECT_EQ(ReadIniValue(missing, "Application", "Program", "fallback", true), "");
    EXPECT_EQ(fake.messages.size(), 1u);
}

TEST_F(IniTest, ServiceMediumPromptAndNoPromptForOtherFiles) {
    ReadIniValue(temp / "SysInst\\Install.ini", "a", "b", "", false);
    ASSERT_EQ(fake.messages.size(), 2u);
    EXPECT_EQ(fake.messages[1].text, "Bitte legen Sie die Service-CD ein");

    ReadIniValue(temp / "other.ini", "a", "b", "", false);
    EXPECT_EQ(fake.messages.size(), 2u);
}

TEST_F(IniTest, HiddenFileAndFolderCountAsMissing) {
    std::string hidden = temp.Write("Install.ini", "[a]\r\nb=c\r\n");
    SetFileAttributesA(hidden.c_str(), FILE_ATTRIBUTE_HIDDEN);
    EXPECT_EQ(ReadIniValue(hidden, "a", "b", "", true), "");
    EXPECT_EQ(ReadIniValue(temp.MakeFolder("x.ini"), "a", "b", "d", true), "");
    // The file tests tell a thing that is there but of another kind (0) from
    // one that is not there, and from one they could not tell about.
    namespace files = platform::files;
    EXPECT_FALSE(files::IsPlainFile(hidden));
    EXPECT_EQ(files::LastError(), 0u);
    EXPECT_FALSE(files::FolderExists(hidden));
    EXPECT_EQ(files::LastError(), 0u);
    EXPECT_FALSE(files::FileExists(temp / "x.ini"));
    EXPECT_EQ(files::LastError(), 0u);
    EXPECT_FALSE(files::FileExists(temp / "none\\x.ini"));
    EXPECT_TRUE(files::FileIsMissing(files::LastError()));
}

TEST_F(IniTest, AFileHeldByAnotherProgramIsSaidUnreadableNotReadAsEmpty) {
    const std::string file = temp.Write("Version.ini", "[Common]\r\nVersion=7.80\r\n");
    HANDLE held = CreateFileW(platform::ToWide(file).c_str(), GENERIC_READ, 0, nullptr,
                              OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    EXPECT_EQ(ReadIniValue(file, "Common", "Version", "d", true), "");
    EXPECT_TRUE(fake.messages.empty());
    EXPECT_EQ(ReadIniValue(file, "Common", "Version", "d", false), "");
    ASSERT_EQ(fake.messages.size(), 1u);
    EXPECT_EQ(fake.messages[0].text.rfind("Datei nicht lesbar! (" + file + ": ", 0), 0u);
    CloseHandle(held);
    EXPECT_EQ(ReadIniValue(file, "Common", "Version", "d", false), "7.80");
}

TEST_F(IniTest, DestinationsAreReadFromTheWindowsFolderWithoutAFileTest) {
    char windows[MAX_PATH] = {};
    GetWindowsDirectoryA(windows, MAX_PATH);
    const std::string kvir = std::string(windows) + "\\KVIR32.INI";
    platform::profile::WriteString("DESTINATIONS", "TOLVANE", std::string("D:\\Tolvane\\"), kvir);

    EXPECT_EQ(ReadIniValue("KVIR32.INI", "DESTINATIONS", "TOLVANE", "", false), "D:\\Tolvane\\");
    EXPECT_EQ(ReadIniValue("KVIR32_NONE.INI", "DESTINATIONS", "TOLVANE", "dflt", false), "dflt");
    EXPECT_TRUE(fake.messages.empty());
    DeleteFileA(kvir.c_str());
}

TEST_F(IniTest, DefaultForMissingKeyAndLongValuesCut) {
    const std::string longValue(5000, 'v');
    std::string file = temp.Write("Install.ini", "[A]\r\nlong=" + longValue + "\r\nshort=x\r\n");
    EXPECT_EQ(ReadIniValue(file, "A", "missing", "dflt", true), "dflt");
    EXPECT_EQ(ReadIniValue(file, "A", "long", "", true), std::string(2047, 'v'));
    EXPECT_EQ(ReadIniValue(file, "A", "short", "", true), "x");
}

TEST_F(IniTest, DamagedFilesGiveTheDocumentedResult) {
    const std::string empty = temp.Write("empty.ini", "");
    std::string binary(4096, '\0');
    for (size_t i = 0; i < binary.size(); ++i) binary[i] = static_cast<char>(i * 37);
    const std::string garbage = temp.Write("binary.ini", binary);
    const std::string hugeLine =
        temp.Write("huge.ini", "[A]\r\nkey=" + std::string(100000, 'h') + "\r\nnext=1\r\n");

    EXPECT_EQ(ReadIniValue(empty, "A", "key", "d", true), "d");
    EXPECT_LE(ReadIniValue(garbage, "A", "key", "d", true).size(), 2047u);
    EXPECT_EQ(ReadIniValue(hugeLine, "A", "key", "", true).size(), 2047u);
    EXPECT_EQ(ReadIniValue(hugeLine, "A", "next", "", true), "1");
}

TEST_F(IniTest, CanonicalizeFoldsOrDropsParentSteps) {
    EXPECT_EQ(CanonicalizePath("C:\\Setup\\WSROOT\\..\\Docs\\x.pdf", false), "C:\\Setup\\Docs\\x.pdf");
    EXPECT_EQ(CanonicalizePath("C:\\Setup\\WSROOT\\..\\Docs\\x.pdf", true),
              "C:\\Setup\\WSROOT\\Docs\\x.pdf");
    EXPECT_EQ(CanonicalizePath("C:\\a\\.\\b", false), "C:\\a\\b");
    Session().IsWorkstationSetup = true;
    EXPECT_EQ(CanonicalizePath("\\\\srv\\share\\..\\x", false), "\\\\srv\\share\\x");
    Session().IsWorkstationSetup = false;
    Session().InternetUpdate = true;
    EXPECT_EQ(CanonicalizePath("C:\\a\\..\\b", false), "C:\\a\\b");
    Session().InternetUpdate = false;
    // Longer than the shell accepts: empty, never an overrun.
    EXPECT_EQ(CanonicalizePath("C:\\" + std::string(3000, 'a'), false), "");
}

TEST(CutAtNulTest, StopsAtTheFirstNul) {
    EXPECT_EQ(CutAtNul(std::string("abc\0def", 7)), "abc");
    EXPECT_EQ(CutAtNul("abc"), "abc");
    EXPECT_EQ(CutAtNul(std::string(3, '\0')), "");
}

class RealSystemTest : public ::testing::Test {
protected:
    RealSystemTest() : guard_(win32) { ResetSession(); }
    platform::Win32Platform win32;
    TempFolder temp;

private:
    platform::ScopedPlatform guard_;
};

TEST_F(RealSystemTest, WmiReportsThe64BitPrefixAs64Bit) {
    EXPECT_TRUE(Is64BitSystem());
    char windows[MAX_PATH] = {};
    GetWindowsDirectoryA(windows, MAX_PATH);
    EXPECT_EQ(GetWindowsFolder(), windows);
}

TEST_F(RealSystemTest, RunEntryIsDeletedOnceAndOthersStay) {
    const char* run = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run";
    WriteRegistryValue(RegistryRoot::CurrentUser, run, "Paldrix", "C:\\x.exe");
    WriteRegistryValue(RegistryRoot::CurrentUser, run, "Other", "C:\\y.exe");

    EXPECT_TRUE(RemoveRunEntry("Paldrix"));
    EXPECT_FALSE(RemoveRunEntry("Paldrix"));
    EXPECT_EQ(GetText(HKEY_CURRENT_USER, run, "Paldrix"), "<missing>");
    EXPECT_EQ(GetText(HKEY_CURRENT_USER, run, "Other"), "C:\\y.exe");
    RemoveRunEntry("Other");
}

TEST_F(RealSystemTest, NewDialogsIniIsBackedUpFromTheRegisteredFolder) {
    ScratchKey wow(HKEY_LOCAL_MACHINE, "SOFTWARE\\Wow6432Node\\Zevrin\\Setup");
    ScratchKey plain(HKEY_LOCAL_MACHINE, "SOFTWARE\\Zevrin\\Setup");
    temp.Write("NeueDialoge.ini", "[new]\r\n");
    temp.Write("NeueDialoge.780", "[stale]\r\n");
    WriteRegistryValue(RegistryRoot::LocalMachine, kDestinationsKey, "QUENOR", temp.path() + "\\");

    BackUpNewDialogsIni();
    EXPECT_EQ(ReadFileText(temp / "NeueDialoge.780"), "[new]\r\n");

    // The folder is used as stored: without its backslash nothing is found.
    temp.Write("NeueDialoge.ini", "[newer]\r\n");
    WriteRegistryValue(RegistryRoot::LocalMachine, kDestinationsKey, "QUENOR", temp.path());
    BackUpNewDialogsIni();
    EXPECT_EQ(ReadFileText(temp / "NeueDialoge.780"), "[new]\r\n");
}

}  // namespace
