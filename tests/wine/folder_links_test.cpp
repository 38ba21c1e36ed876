// Removing the temporary setup folder must not reach through a link inside
// it into the folder the link points to.
#include <gtest/gtest.h>

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

}  // namespace
