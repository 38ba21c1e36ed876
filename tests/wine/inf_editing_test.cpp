// Editing the patch package's INF file with the real profile functions.
#include <gtest/gtest.h>

#include "tests/support/FakePlatformTest.h"
#include "tests/support/TempFolder.h"
#include "wizard/updates/InfEditing.h"
#include "wizard/updates/IniEntries.h"

using namespace testing_support;

namespace {

class InfEditingTest : public FakePlatformTest {
protected:
    std::string Inf() const { return temp / "P_TL_UPD.inf"; }
    TempFolder temp;
};

TEST_F(InfEditingTest, VersionFileBecomesACommentAndThePreRunComponentGoes) {
    // The update's programs read the file after us: every byte the edit does
    // not change stays, blanks, empty lines and the code page included.
    temp.Write("P_TL_UPD.inf",
               "[PROJECT PROPERTIES]\r\nVersionFile = x.ver\r\nTitle=\xDC" "berarbeitung  \r\n"
               "\r\n[COMPONENTS]\r\nP_Q_Vorlauf=1\r\nP_TL = 2\r\n");

    EXPECT_TRUE(EditUpdateInf(temp.path() + "\\"));

    EXPECT_EQ(ReadFileText(Inf()),
              "[PROJECT PROPERTIES]\r\nTitle=\xDC" "berarbeitung  \r\n;VersionFile=x.ver\r\n"
              "\r\n[COMPONENTS]\r\nP_TL = 2\r\n");
    EXPECT_EQ(ReadIniEntry("PROJECT PROPERTIES", "VersionFile", "<none>", Inf()), "<none>");
    EXPECT_EQ(ReadIniEntry("PROJECT PROPERTIES", "Title", "", Inf()), "Überarbeitung");
}

TEST_F(InfEditingTest, WithoutVersionFileOnlyTheComponentIsRemoved) {
    temp.Write("P_TL_UPD.inf", "[PROJECT PROPERTIES]\r\nTitle=Patch\r\n[COMPONENTS]\r\nP_Q_Vorlauf=1\r\n");
    EXPECT_TRUE(EditUpdateInf(temp.path() + "\\"));
    EXPECT_EQ(ReadFileText(Inf()).find("VersionFile"), std::string::npos);
    EXPECT_EQ(ReadIniEntry("COMPONENTS", "P_Q_Vorlauf", "<none>", Inf()), "<none>");
}

TEST_F(InfEditingTest, FolderWithoutBackslashFindsNoFileAndChangesNothing) {
    const std::string original = "[PROJECT PROPERTIES]\r\nVersionFile=x.ver\r\n";
    temp.Write("P_TL_UPD.inf", original);
    EXPECT_TRUE(EditUpdateInf(temp.path()));
    EXPECT_TRUE(EditUpdateInf(temp / "missing\\"));
    EXPECT_EQ(ReadFileText(Inf()), original);
    EXPECT_TRUE(fake.messages.empty());
}

TEST_F(InfEditingTest, WrappersReadCutWriteAndDelete) {
    const std::string file = temp.Write("t.inf", "[S]\r\nlong=" + std::string(3000, 'z') + "\r\n");
    EXPECT_EQ(ReadIniEntry("S", "long", "", file)->size(), 2047u);
    EXPECT_EQ(ReadIniEntry("S", "none", "dflt", file), "dflt");
    // A file that cannot be read is no file without the key.
    EXPECT_EQ(ReadIniEntry("S", "none", "dflt", temp.path()), std::nullopt);
    WriteIniEntry("S", "k", std::string("v"), file);
    EXPECT_EQ(ReadIniEntry("S", "k", "", file), "v");
    WriteIniEntry("S", "k", std::nullopt, file);
    EXPECT_EQ(ReadIniEntry("S", "k", "gone", file), "gone");
    WriteIniEntry("T", "a", std::string("1"), file);
    DeleteIniSection("S", file);
    EXPECT_EQ(ReadIniEntry("S", "long", "gone", file), "gone");
    EXPECT_EQ(ReadIniEntry("T", "a", "", file), "1");
}

}  // namespace
