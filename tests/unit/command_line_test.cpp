// The command line: tokens split at single spaces, options in table order.
#include <gtest/gtest.h>

#include <filesystem>

#include "platform/Profile.h"
#include "shared/RunLog.h"
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
              "Unterstützt wird: \r\n\r\n  -LOCALUPDATE\r\n  -EDITINF\r\n"
              "  -EDITINFEXTENSION (obsolete)\r\n  -LOG <Datei>\r\n  -SAVEANSWERS <Datei>\r\n"
              "  -ANSWERS <Datei>\r\n  -SILENT (mit -ANSWERS <Datei>)");
    EXPECT_EQ(fake.messages[0].caption, "Paldrix");
    EXPECT_EQ(fake.messages[0].style, platform::mb::Ok);
    EXPECT_FALSE(Session().EditInfMode);
}

TEST_F(CommandLineTest, LocalUpdateCountsOnlyForTheInternetUpdateAssistant) {
    fake.programFilePath = "C:\\Setup\\Paldrix.exe";
    ParseCommandLine("-localupdate");
    EXPECT_FALSE(Session().LocalUpdate);

    // Another start, under another name.
    fake.programFilePath = "C:\\Suite\\inetsetup.EXE";
    Session().ProgramPath.clear();
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

TEST_F(CommandLineTest, RollOutOptionsTakeTheNextTokenOrAQuotedValueWithBlanks) {
    struct Case {
        const char* arguments;
        const char* log;
        const char* saveAnswers;
        const char* answers;
        bool editInf;
        size_t helpMessages;
    };
    // clang-format off
    const Case cases[] = {
        {"-LOG C:\\x.log", "C:\\x.log", "", "", false, 0},
        {"-log \"C:\\Program Files\\a b.log\" -?", "C:\\Program Files\\a b.log", "", "", false, 1},
        {"-SaveAnswers \"C:\\x.ini\" -ANSWERS a.ini", "", "C:\\x.ini", "a.ini", false, 0},
        {"-ANSWERS \"C:\\no end", "", "", "C:\\no end", false, 0},     // up to the end
        {"-ANSWERS \"\" -?", "", "", "", false, 1},                    // an empty quoted value
        {"-LOG -EDITINF", "-EDITINF", "", "", false, 0},               // a value is never an option
        {"-EDITINF -LOG x.log", "x.log", "", "", true, 0},             // the walk goes on as ever
        {"-LOG", "", "", "", false, 0},                                // no value, no record
        {"-ANSWERS  a.ini", "", "", "a.ini", false, 0},                // two blanks before it
        {"-LOG  y.log -SAVEANSWERS", "y.log", "", "", false, 0},       // said in the record
    };
    // clang-format on
    // The records named without a folder are started in the working folder.
    const std::filesystem::path previous = std::filesystem::current_path();
    std::filesystem::current_path(temp.path());
    for (const Case& c : cases) {
        SCOPED_TRACE(c.arguments);
        ResetSession();
        fake.messages.clear();
        ParseCommandLine(c.arguments);
        EXPECT_EQ(Session().LogFile, c.log);
        EXPECT_EQ(Session().SaveAnswersFile, c.saveAnswers);
        EXPECT_EQ(Session().AnswersFile, c.answers);
        EXPECT_EQ(Session().EditInfMode, c.editInf);
        EXPECT_EQ(fake.messages.size(), c.helpMessages);
    }
    EXPECT_NE(ReadFileText(temp / "y.log").find(" option-without-file option=-SAVEANSWERS\r\n"),
              std::string::npos);
    run_log::Close();
    std::filesystem::current_path(previous);
}

TEST_F(CommandLineTest, ArbitraryLongOrOddCommandLinesAreHarmless) {
    ParseCommandLine(std::string(100000, ' '));
    ParseCommandLine(std::string(50000, '"') + std::string(50000, '\\'));
    ParseCommandLine(std::string("-EDITINF \0x", 11));
    EXPECT_TRUE(fake.messages.empty());
}

}  // namespace
