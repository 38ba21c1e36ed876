// Removing the temporary setup folder must not reach through a link inside
// it into the folder or file the link points to.
#include <gtest/gtest.h>
#include <windows.h>

#include "platform/Files.h"
#include "tests/support/TempFolder.h"
#include "tests/support/UnixLinks.h"
#include "wizard/updates/UpdateCheck.h"

using namespace testing_support;

namespace {

TEST(FolderLinksTest, RemoveFolderTreeLeavesTheTargetsOfLinksAlone) {
    TempFolder temp;
    const std::string outsideFile = temp.Write("outside\\keep.txt", "keep");
    temp.Write("TmpSetup\\WSROOT\\Install.ini", "[Application]\r\n");
    const std::string folderLink = temp / "TmpSetup\\WSROOT\\linked";
    ASSERT_TRUE(MakeHostSymlink(temp / "outside", folderLink));
    ASSERT_EQ(ReadFileText(folderLink + "\\keep.txt"), "keep");

    const bool removed = RemoveFolderTree(temp / "TmpSetup\\");

    EXPECT_EQ(ReadFileText(outsideFile), "keep");
    EXPECT_FALSE(PathExists(temp / "TmpSetup\\WSROOT\\Install.ini"));
    // Wine cannot remove a host folder link through Win32; Windows removes
    // junctions and folder links with the folder. Either way the tree is
    // gone only when the link is.
    EXPECT_EQ(removed, !PathExists(folderLink));
    EXPECT_EQ(removed, !PathExists(temp / "TmpSetup"));
    if (PathExists(folderLink)) {
        EXPECT_TRUE(RemoveHostLink(folderLink));
    }
}

// Windows removes a link to a file as a link. Wine 8 shows a host link to a
// file as that file and would delete the target through it, so there the
// link stays and the tree counts as not removed; either way the files
// outside keep their contents and attributes.
TEST(FolderLinksTest, RemoveFolderTreeLeavesTheTargetsOfFileLinksAlone) {
    TempFolder temp;
    const std::string readOnly = temp.Write("outside\\kept.txt", "keep");
    ASSERT_TRUE(SetFileAttributesA(readOnly.c_str(), FILE_ATTRIBUTE_READONLY));
    const std::string writable = temp.Write("outside\\writable.txt", "keep too");
    temp.Write("TmpSetup\\Setups\\plain.txt", "x");
    const std::vector<std::string> links{temp / "TmpSetup\\Setups\\link.txt",
                                         temp / "TmpSetup\\writable.txt"};
    ASSERT_TRUE(MakeHostSymlink(readOnly, links[0]));
    ASSERT_TRUE(MakeHostSymlink(writable, links[1]));

    const bool removed = RemoveFolderTree(temp / "TmpSetup\\");

    EXPECT_EQ(ReadFileText(readOnly), "keep");
    EXPECT_NE(GetFileAttributesA(readOnly.c_str()) & FILE_ATTRIBUTE_READONLY, 0u);
    EXPECT_EQ(ReadFileText(writable), "keep too");
    EXPECT_EQ(GetFileAttributesA(writable.c_str()) & FILE_ATTRIBUTE_READONLY, 0u);
    EXPECT_FALSE(PathExists(temp / "TmpSetup\\Setups\\plain.txt"));
    EXPECT_EQ(removed, !PathExists(links[0]) && !PathExists(links[1]));
    for (const std::string& link : links) {
        if (PathExists(link)) {
            EXPECT_TRUE(RemoveHostLink(link));
        }
    }
    SetFileAttributesA(readOnly.c_str(), FILE_ATTRIBUTE_NORMAL);
}

}  // namespace
