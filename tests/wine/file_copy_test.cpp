// A file copied in steps replaces whatever file stands at its target, also
// one whose attributes make Windows refuse to overwrite it, and says how much
// it wrote; a folder at the target is refused and stays.
#include <gtest/gtest.h>
#include <windows.h>

#include "platform/Files.h"
#include "tests/support/TempFolder.h"

using namespace testing_support;

namespace {

TEST(FileCopyTest, ReplacesEveryFileAtTheTargetAndLeavesAFolderAlone) {
    struct Case {
        const char* what;
        DWORD attributes;  // of the file there before; 0: none there
    };
    const Case cases[] = {
        {"nothing there", 0},
        {"a plain file", FILE_ATTRIBUTE_NORMAL},
        {"a read-only file", FILE_ATTRIBUTE_READONLY},
        {"a hidden file", FILE_ATTRIBUTE_HIDDEN},
        {"a system file", FILE_ATTRIBUTE_SYSTEM},
        {"a hidden read-only file", FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_READONLY},
    };
    TempFolder temp;
    const std::string contents(300 * 1024, 'n');  // more than one step
    const std::string source = temp.Write("image\\new.dat", contents);
    ASSERT_TRUE(CreateDirectoryA((temp / "server").c_str(), nullptr));
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const std::string target = temp / (std::string("server\\") + c.what + ".dat");
        if (c.attributes != 0) {
            temp.Write(std::string("server\\") + c.what + ".dat", "old");
            ASSERT_TRUE(SetFileAttributesA(target.c_str(), c.attributes));
        }
        unsigned long long written = 0;

        EXPECT_EQ(platform::files::CopyFileInSteps(source, target, nullptr, &written), 0u);

        EXPECT_TRUE(ReadFileText(target) == contents);
        EXPECT_EQ(written, contents.size());
        EXPECT_EQ(GetFileAttributesA(target.c_str()) & FILE_ATTRIBUTE_READONLY, 0u);
    }

    CreateDirectoryA((temp / "server\\folder.dat").c_str(), nullptr);
    temp.Write("server\\folder.dat\\inside.txt", "stays");
    unsigned long long written = 1;
    EXPECT_NE(platform::files::CopyFileInSteps(source, temp / "server\\folder.dat", nullptr,
                                               &written),
              0u);
    EXPECT_EQ(written, 0u);
    EXPECT_EQ(ReadFileText(temp / "server\\folder.dat\\inside.txt"), "stays");
}

}  // namespace
