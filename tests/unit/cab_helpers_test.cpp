// The cabinet reader's path and error-text helpers.
#include <gtest/gtest.h>

#include "wizard/updates/CabFile.h"
#include "wizard/updates/PathHelpers.h"

namespace {

TEST(CabHelpersTest, PathsSplitAtTheLastBackslash) {
    EXPECT_EQ(AddBackslash(""), "\\");
    EXPECT_EQ(AddBackslash("C:\\T"), "C:\\T\\");
    EXPECT_EQ(AddBackslash("C:\\T\\"), "C:\\T\\");

    SplitPathResult nested = SplitPath("C:\\T\\data\\sub\\x.txt");
    EXPECT_EQ(nested.folder, "C:\\T\\data\\sub\\");
    EXPECT_EQ(nested.file, "x.txt");
    SplitPathResult bare = SplitPath("x.txt");
    EXPECT_EQ(bare.folder, "");
    EXPECT_EQ(bare.file, "x.txt");
    SplitPathResult folderOnly = SplitPath("C:\\T\\");
    EXPECT_EQ(folderOnly.folder, "C:\\T\\");
    EXPECT_EQ(folderOnly.file, "");
}

TEST(CabHelpersTest, ErrorTextsCoverTheKnownCodesOnly) {
    EXPECT_EQ(Win32ErrorText(32),
              "The process cannot access the file because it is being used by another process.");
    EXPECT_EQ(Win32ErrorText(112), "There is not enough space on the disk.");
    for (long unknown : {0L, 1L, 6L, 124L, -2147219548L}) {
        EXPECT_EQ(Win32ErrorText(unknown), "Unknown error.") << unknown;
    }
    EXPECT_EQ(CabErrorText(-2147219548L),
              "You must set the CabName property before taking any action on the CabFile object.");
    EXPECT_EQ(CabErrorText(2), "Unknown error.");
}

}  // namespace
