// Version folders on the server and deleting old ones: real folders, the
// fake platform for pointer and messages.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>

#include "platform/Files.h"
#include "tests/support/FakePlatformTest.h"
#include "tests/support/TempFolder.h"
#include "tests/support/UnixLinks.h"
#include "wizard/base/ServerCopyMark.h"
#include "wizard/servercopy/DeleteFolderTree.h"
#include "wizard/servercopy/VersionFolders.h"

using namespace testing_support;

namespace {

class VersionFoldersTest : public FakePlatformTest {
  protected:
    void ImageVersion(const std::string& version) {
        Session().VersionIniPath =
            temp.Write("image\\Version.ini", "[Common]\r\nVersion=" + version + "\r\n");
    }
    std::vector<std::string> SortedVersionFolders() const {
        std::vector<std::string> folders = Session().VersionFolders;
        std::sort(folders.begin(), folders.end());
        return folders;
    }
    TempFolder temp;
};

TEST_F(VersionFoldersTest, SuffixDropsTheDotsAndStripCutsAtTheFirstVersionFolder) {
    for (const auto& [version, suffix] : {std::pair{"5.2.0", "\\Version_520"},
                                          {"5.20.1", "\\Version_5201"},
                                          {"520", "\\Version_520"}}) {
        ImageVersion(version);
        EXPECT_EQ(VersionSuffix(), suffix);
    }
    const std::pair<const char*, const char*> strips[] = {
        {"S:\\Setup\\Version_520", "S:\\Setup"}, {"  S:\\Setup\\Version_520  ", "S:\\Setup"},
        {"  S:\\Setup  ", "S:\\Setup"},          {"S:\\Versionen\\Setup", "S:"},
        {"S:\\setup\\version_5_2", "S:\\setup"}, {"   ", ""}};
    for (const auto& [path, stripped] : strips)
        EXPECT_EQ(StripVersionFolder(path), stripped) << path;
}

TEST_F(VersionFoldersTest, OtherVersionFoldersAreListedBesideTheRememberedOne) {
    const std::string s = temp / "S";
    temp.Write("S\\Version_510\\Version.ini", "[Common]\r\nVersion=5.1.0\r\n");
    temp.Write("S\\Version_520\\Version.ini", "[Common]\r\nVersion=5.2.0\r\n");
    temp.Write("S\\Alt\\Version.ini", "[Common]\r\nVersion=4.9\r\n");
    temp.Write("S\\Blank\\Version.ini", "[Common]\r\nVersion=  \r\n");
    temp.MakeFolder("S\\Empty");
    // A copy that never finished says so; a new copy being made beside an
    // earlier one is none.
    temp.Write("S\\Version_530\\Version.ini", "[Common]\r\nVersion=5.3.0\r\n");
    server_copy::MarkIncomplete(s + "\\Version_530");
    temp.Write("S\\~Kopie\\Version.ini", "[Common]\r\nVersion=5.3.0\r\n");
    const std::vector<std::string> all{"Version 4.9;" + s + "\\Alt",
                                       "Version 5.1.0;" + s + "\\Version_510",
                                       "Version 5.2.0;" + s + "\\Version_520",
                                       "Version 5.3.0 (unvollständig);" + s + "\\Version_530"};
    struct Case {
        const char* imageVersion;
        std::string path;
        bool found;
    };
    const Case cases[] = {
        {"5.2.0", s + "\\Version_520", false},   // the image's own
        {"5.2.0", s + "\\version_0520", false},  // the number, not its text, is compared
        {"5.2.0", s + "\\Version_510", true},
        {"05.20", s + "\\Version_0520", true},   // 520 is not "0520"
        {"5.2.0", s, false},                     // no version folder at all
        {"5.2.0", s + "\\Version_5_2_0", true},  // no number: not the image's own
        {"5.2.0", s + "\\Version_520\\", true},
        {"5.2.0", s + "\\Version_", true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.path + " at " + c.imageVersion);
        ImageVersion(c.imageVersion);
        Session().VersionFolders = {"stale"};

        EXPECT_EQ(FindOtherVersionFolders(c.path), c.found);

        EXPECT_EQ(SortedVersionFolders(), c.found ? all : std::vector<std::string>{});
        EXPECT_EQ(fake.pointers.back(), platform::MousePointer::Default);
    }
    EXPECT_TRUE(fake.messages.empty());
}

TEST_F(VersionFoldersTest, DeletionStopsAtAReadOnlyOrHiddenFileWithOneMessage) {
    for (DWORD protection : {0ul, DWORD{FILE_ATTRIBUTE_READONLY}, DWORD{FILE_ATTRIBUTE_HIDDEN}}) {
        SCOPED_TRACE(protection);
        fake.messages.clear();
        temp.Write("Old\\a.txt", "a");
        temp.Write("Old\\Sub\\Deeper\\b.txt", "b");
        SetFileAttributesA(temp.Write("Old\\Sub\\c.txt", "c").c_str(),
                           protection | FILE_ATTRIBUTE_ARCHIVE);

        EXPECT_EQ(DeleteFolderTree(temp / "Old"), protection == 0);

        EXPECT_EQ(PathExists(temp / "Old"), protection != 0);
        EXPECT_EQ(PathExists(temp / "Old\\Sub\\c.txt"), protection != 0);
        if (protection == 0) {
            EXPECT_TRUE(fake.messages.empty());
        } else {
            ASSERT_EQ(fake.messages.size(), 1u);
            EXPECT_EQ(fake.messages[0].text, "Fehler beim Löschen der Verzeichnise");
            EXPECT_EQ(fake.messages[0].caption, "Paldrix");
            EXPECT_EQ(fake.messages[0].style, platform::mb::Ok);
        }
        EXPECT_EQ(fake.pointers.back(), platform::MousePointer::Default);
        platform::files::DeleteFolderTree(temp / "Old");
    }
    EXPECT_FALSE(DeleteFolderTree("  "));
}

TEST_F(VersionFoldersTest, DeletionRemovesALinkButNeverWhatItPointsTo) {
    const std::string outside = temp.Write("Outside\\keep.txt", "keep");
    temp.Write("Old\\a.txt", "a");
    const std::string link = temp / "Old\\Linked";
    ASSERT_TRUE(MakeHostSymlink(temp / "Outside", link));

    const bool deleted = DeleteFolderTree(temp / "Old");

    EXPECT_EQ(ReadFileText(outside), "keep");
    // Windows removes the link with the tree. Wine cannot remove a host link
    // through Win32: the deletion then stops there with its message.
    EXPECT_EQ(deleted, !PathExists(link));
    EXPECT_EQ(deleted, fake.messages.empty());
    if (PathExists(link)) {
        EXPECT_TRUE(RemoveHostLink(link));
    }
}

}  // namespace
