// The command line: tokens split at single spaces, options in table order.
#include <gtest/gtest.h>

#include "platform/Profile.h"
#include "tests/support/FakePlatformTest.h"
#include "tests/support/TempFolder.h"
#include "wizard/program/CommandLine.h"

using namespace testing_support;

namespace {

class CommandLineTest : public FakePlatformTest {
protected:
    // An INF file whose VersionFile key shows whether the edit ran on it.
    std::string MakeInf(const std::string& folderName) {
        std::string inf = temp.Write(folderName + "\\P_TL_UPD.inf",
                                     "[PROJECT PROPERTIES]\r\nVersionFile=x.ver\r\n");
        return temp / folderName + "\\";
    }
    bool WasEdited(const std::string& folder) { return IsEdited(folder + "P_TL_UPD.inf"); }
    bool IsEdited(const std::string& inf) {
        return platform::profile::ReadString("PROJECT PROPERTIES", ";VersionFile", "", inf) ==
               "x.ver";
    }
    TempFolder temp;
};

TEST_F(CommandLineTest, HelpIsShownOncePerHelpTokenAndTheWizardGoesOn) {
    ParseCommandLine("-? help -HELP ?");

    ASSERT_EQ(fake.messages.size(), 4u);
    EXPECT_EQ(fake.messages[0].text,
              "Unterst\xFCtzt wird: \r\n\r\n  -LOCALUPDATE\r\n  -EDITINF\r\n"
              "  -EDITINFEXTENSION (obsolete)");
    EXPECT_EQ(fake.messages[0].caption, "Paldrix");
    EXPECT_EQ(fake.messages[0].style, platform::mb::Ok);
    EXPECT_FALSE(Session().EditInfMode);
}

TEST_F(CommandLineTest, LocalUpdateCountsOnlyForTheInternetUpdateAssistant) {
    fake.programFilePath = "C:\\Setup\\Paldrix.exe";
    ParseCommandLine("-localupdate");
    EXPECT_FALSE(Session().LocalUpdate);

    fake.programFilePath = "C:\\Suite\\inetsetup.EXE";
    ParseCommandLine("-LocalUpdate");
    EXPECT_TRUE(Session().LocalUpdate);
}

TEST_F(CommandLineTest, EditInfEditsEveryFolderInOrderAndSetsTheMode) {
    std::string a = MakeInf("a"), b = MakeInf("b");
    ParseCommandLine("-EDITINF " + a + " -editinf " + b);

    EXPECT_TRUE(Session().EditInfMode);
    EXPECT_TRUE(WasEdited(a));
    EXPECT_TRUE(WasEdited(b));
    EXPECT_TRUE(fake.messages.empty());
}

TEST_F(CommandLineTest, EditInfWordNamingAFileEditsThatFile) {
    const std::string a = temp.Write("a.inf", "[PROJECT PROPERTIES]\r\nVersionFile=x.ver\r\n");
    const std::string b = temp.Write("b.inf", "[PROJECT PROPERTIES]\r\nVersionFile=x.ver\r\n");
    const std::string folder = MakeInf("c");
    const std::string withoutBackslash = folder.substr(0, folder.size() - 1);

    ParseCommandLine("-EDITINF " + a + " -EDITINF " + b + " -EDITINF " + withoutBackslash);

    EXPECT_TRUE(IsEdited(a));
    EXPECT_TRUE(IsEdited(b));
    // A folder without its backslash still looks for "...cP_TL_UPD.inf".
    EXPECT_FALSE(WasEdited(folder));
    EXPECT_TRUE(fake.messages.empty());
}

TEST_F(CommandLineTest, EditInfAsLastTokenEditsNothingButSetsTheMode) {
    ParseCommandLine("-EDITINF");
    EXPECT_TRUE(Session().EditInfMode);
}

TEST_F(CommandLineTest, QuotesDoNotGroupAndDoubleSpacesGiveEmptyTokens) {
    // A quoted folder with a space reaches the edit as its first piece only,
    // quote included, so nothing is found; with two spaces the empty token
    // is the one handed over.
    std::string folder = MakeInf("with space");
    ParseCommandLine("-EDITINF \"" + folder + "\"");
    EXPECT_FALSE(WasEdited(folder));

    std::string plain = MakeInf("plain");
    ParseCommandLine("-EDITINF  " + plain);
    EXPECT_FALSE(WasEdited(plain));
    EXPECT_TRUE(Session().EditInfMode);
}

TEST_F(CommandLineTest, TheTokenAfterEditInfIsExaminedAsAnOptionToo) {
    ParseCommandLine("-EDITINF -?");
    EXPECT_EQ(fake.messages.size(), 1u);
    ParseCommandLine("-EDITINFEXTENSION");
    EXPECT_EQ(fake.messages.size(), 1u);
}

TEST_F(CommandLineTest, ArbitraryLongOrOddCommandLinesAreHarmless) {
    ParseCommandLine(std::string(100000, ' '));
    ParseCommandLine(std::string(50000, '"') + std::string(50000, '\\'));
    ParseCommandLine(std::string("-EDITINF \0x", 11));
    EXPECT_TRUE(fake.messages.empty());
}

}  // namespace
