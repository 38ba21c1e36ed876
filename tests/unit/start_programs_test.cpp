// Starting files from the setup image, and waiting for started programs.
#include <gtest/gtest.h>

#include "tests/support/FakePlatformTest.h"
#include "tests/support/TempFolder.h"
#include "wizard/base/RunOutcome.h"
#include "wizard/base/ServerCopyMark.h"
#include "wizard/base/StartPrograms.h"

using namespace testing_support;

namespace {

class StartFileTest : public FakePlatformTest {
protected:
    StartFileTest() {
        Session().WizardTitle = "ZEVRIN Tolvane Setup-Assistent";
        Session().SetupRoot = image.path();
    }
    TempFolder image;
};

TEST_F(StartFileTest, StartsProgramWithArgumentsFromTheImageRoot) {
    image.Write("My Setup\\WSROOT\\x.exe", "MZ");
    Session().SetupRoot = image / "My Setup";

    StartFile("WSROOT\\x.exe /s", true);

    ASSERT_EQ(fake.starts.size(), 1u);
    EXPECT_EQ(fake.starts[0].operation, "Open");
    EXPECT_EQ(fake.starts[0].file, "\"" + image / "My Setup\\WSROOT\\x.exe" + "\"");
    EXPECT_EQ(fake.starts[0].parameters, "/s");
    EXPECT_EQ(fake.starts[0].workingFolder, image / "My Setup");
    EXPECT_EQ(fake.currentFolder, image / "My Setup\\WSROOT\\");
    EXPECT_TRUE(fake.messages.empty());
}

TEST_F(StartFileTest, MissingFileIsReportedAndNothingStarts) {
    StartFile("WSROOT\\missing.exe /q", true);

    ASSERT_EQ(fake.messages.size(), 1u);
    EXPECT_EQ(fake.messages[0].text, "Die Datei \"" + image / "WSROOT\\missing.exe" +
                                         "\" konnte nicht gefunden werden.\r\n"
                                         "Wechseln Sie gegebenenfalls die CD oder das Verzeichnis!");
    EXPECT_EQ(fake.messages[0].caption, "ZEVRIN Tolvane Setup-Assistent");
    EXPECT_EQ(fake.messages[0].style, platform::mb::Ok | platform::mb::IconExclamation);
    EXPECT_TRUE(fake.starts.empty());
}

TEST_F(StartFileTest, QuotedSpecificationKeepsItsQuotesAndIsNotFound) {
    image.Write("Docs\\a b.pdf", "%PDF");
    StartFile("\"Docs\\a b.pdf\"", false);
    ASSERT_EQ(fake.messages.size(), 1u);
    EXPECT_NE(fake.messages[0].text.find("konnte nicht gefunden werden"), std::string::npos);
}

TEST_F(StartFileTest, StartFailureOfPdfAddsTheReaderHint) {
    image.Write("Docs\\Hilfe.pdf", "%PDF");
    fake.shellResult = 31;  // no association

    StartFile("Docs\\Hilfe.pdf", false);

    ASSERT_EQ(fake.messages.size(), 1u);
    EXPECT_EQ(fake.messages[0].text,
              "Das Programm \"" + image / "Docs\\Hilfe.pdf" +
                  "\" konnte nicht gestartet werden!\r\n\r\nFür PDF-Dateien installieren Sie "
                  "bitte Acrobat-Reader oder ähnliches PDF-Leseprogramm\r\n\r\n");
    EXPECT_EQ(fake.messages[0].style, platform::mb::Ok | platform::mb::IconError);

    fake.messages.clear();
    image.Write("setup.exe", "MZ");
    StartFile("setup.exe", true);
    ASSERT_EQ(fake.messages.size(), 1u);
    EXPECT_EQ(fake.messages[0].text.find("PDF"), std::string::npos);
}

TEST_F(StartFileTest, ServerCopyIsPreferredOnlyForInstallers) {
    TempFolder server;
    server.Write("WSROOT\\setup.exe", "MZ");
    image.Write("WSROOT\\setup.exe", "MZ");
    Session().ContinueFromServerCopy = true;
    Session().ServerSetupFolder = server.path();

    StartFile("..\\WSROOT\\setup.exe", true);
    StartFile("WSROOT\\setup.exe", false);

    ASSERT_EQ(fake.starts.size(), 2u);
    // On the server path "..\" is dropped instead of resolved.
    EXPECT_EQ(fake.starts[0].file, "\"" + server / "WSROOT\\setup.exe" + "\"");
    EXPECT_EQ(fake.starts[0].workingFolder, server.path());
    EXPECT_EQ(fake.starts[1].file, "\"" + image / "WSROOT\\setup.exe" + "\"");

    // A copy begun into the folder since: nothing starts from it, documents
    // still open from the image.
    server_copy::MarkIncomplete(server.path());
    StartFile("WSROOT\\setup.exe /s", true);
    StartFile("WSROOT\\setup.exe", false);
    ASSERT_EQ(fake.starts.size(), 3u);
    EXPECT_EQ(fake.starts[2].file, "\"" + image / "WSROOT\\setup.exe" + "\"");
    ASSERT_EQ(fake.messages.size(), 1u);
    EXPECT_EQ(fake.messages[0].text, server_copy::IncompleteMessage(server.path()));
    EXPECT_EQ(fake.messages[0].style, platform::mb::Ok | platform::mb::IconError);
    EXPECT_EQ(RunExitCode(), exit_code::kFailed);
}

TEST_F(StartFileTest, MissingImageLetsTheUserPickTheFolder) {
    image.Write("elsewhere\\setup.exe", "MZ");
    Session().SetupRoot = image / "gone";
    fake.folderPickerAnswers.push_back("  " + image / "elsewhere" + "  ");

    StartFile("setup.exe", true);

    ASSERT_EQ(fake.folderPickerTitles.size(), 1u);
    EXPECT_EQ(fake.folderPickerTitles[0], "Setup-Dateien unter  '" + image / "gone" + "'  nicht gefunden");
    ASSERT_EQ(fake.starts.size(), 1u);
    EXPECT_EQ(fake.starts[0].file, "\"" + image / "elsewhere\\setup.exe" + "\"");
}

TEST(CommandSplitting, QuotesProtectSpacesAndStay) {
    EXPECT_EQ(CommandProgramPart("\"C:\\a b\\x.exe\" /q /r"), "\"C:\\a b\\x.exe\"");
    EXPECT_EQ(CommandArguments("\"C:\\a b\\x.exe\" /q /r"), "/q /r");
    EXPECT_EQ(CommandArguments("x.exe"), "");
    EXPECT_EQ(DriveOf("C:\\a\\b.exe"), "C:");
    EXPECT_EQ(DriveOf("\\\\server\\share"), "");
    EXPECT_EQ(FolderOf("C:\\a\\b.exe"), "C:\\a\\");
    EXPECT_EQ(FolderOf("C:b.exe"), "C:");
    EXPECT_EQ(FolderOf("b.exe"), "");
}

TEST(ProcessNameOfTest, IsTheExecutablesOwnFileName) {
    EXPECT_EQ(ProcessNameOf("WSROOT\\VCRedist\\vcredist_x86.exe /q"), "vcredist_x86.exe");
    EXPECT_EQ(ProcessNameOf("vcredist_x86.exe /q"), "vcredist_x86.exe");
    // A dot in a folder name must not decide the name.
    EXPECT_EQ(ProcessNameOf("C:\\App.1\\x.exe"), "x.exe");
    EXPECT_EQ(ProcessNameOf("\"C:\\My App.2\\Setup Tool.exe\" /s"), "Setup Tool.exe");
    EXPECT_EQ(ProcessNameOf("..\\..\\Setups\\db.exe"), "db.exe");
}

class ProcessWaitTest : public FakePlatformTest {};

TEST_F(ProcessWaitTest, RunningTestIsCaseInsensitiveContainment) {
    fake.processes = std::vector<std::string>{"explorer.exe", "XSETUP.EXE"};
    EXPECT_TRUE(IsProcessRunning("setup.exe"));
    EXPECT_FALSE(IsProcessRunning("install.exe"));
    EXPECT_FALSE(IsProcessRunning(""));  // would match everything
    fake.processes = std::nullopt;      // no snapshot
    EXPECT_FALSE(IsProcessRunning("setup.exe"));
}

TEST_F(ProcessWaitTest, WaitPollsEveryTwoSecondsWithEventsUntilTheProcessEnds) {
    fake.processes = std::vector<std::string>{"xsetup.exe"};
    int polls = 0;
    fake.onPump = [&] {
        if (++polls == 3) fake.processes = std::vector<std::string>{"explorer.exe"};
    };

    WaitForProcessEnd("setup.exe");

    EXPECT_EQ(polls, 3);
    EXPECT_EQ(fake.waitedMilliseconds, 6000u);
    ASSERT_FALSE(fake.pointers.empty());
    EXPECT_EQ(fake.pointers.back(), platform::MousePointer::Default);
}

class SetupTypeTest : public FakePlatformTest {
protected:
    void Answer(const std::string& setupType, const std::string& destination) {
        SetSuiteValue("SetupType", setupType);
        SetSuiteValue("TlDestination", destination);
    }
};

TEST_F(SetupTypeTest, StartsTheHelperHiddenFromTheProgramFolderAndReadsItsAnswer) {
    fake.programFilePath = "C:\\Setup Image\\Paldrix.exe";
    Answer(" 2 ", "D:\\Tolvane\\");

    EXPECT_EQ(RunSetupTypeHelper(), 2);
    ASSERT_EQ(fake.starts.size(), 1u);
    EXPECT_EQ(fake.starts[0].file, "\"Dravik.exe\"");
    EXPECT_EQ(fake.starts[0].workingFolder, "C:\\Setup Image");
    EXPECT_EQ(fake.starts[0].style, platform::WindowStyle::Hidden);
    EXPECT_EQ(Session().TlDestination, "D:\\Tolvane\\");

    Answer("abc", "");
    EXPECT_EQ(RunSetupTypeHelper(), 0);
    Answer("", "");
    EXPECT_EQ(RunSetupTypeHelper(), 0);
    // Beyond a 32-bit long, where Windows' strtol saturates.
    Answer("99999999999", "");
    EXPECT_EQ(RunSetupTypeHelper(), 0);
}

TEST_F(SetupTypeTest, WaitsForTheHelperItselfButNotForEver) {
    fake.programRunMilliseconds = 1500;
    fake.onPump = [&] { Answer("1", ""); };
    EXPECT_EQ(RunSetupTypeHelper(), 1);
    EXPECT_EQ(fake.programWaitedMilliseconds, 1500u);
    // A helper that hangs costs ten seconds, not the run.
    fake.programRunMilliseconds = 600000;
    RunSetupTypeHelper();
    EXPECT_EQ(fake.programWaitedMilliseconds, 1500u + 10000u);
}

TEST_F(SetupTypeTest, TradesInstallationFromTheHelpersDestination) {
    Answer("2", "D:\\Tolvane\\");
    EXPECT_TRUE(HasTradesInstallation());
    EXPECT_EQ(Session().SetupTypeResult, 2);
    Answer("7", "D:\\Tolvane\\");
    EXPECT_FALSE(HasTradesInstallation());
}

}  // namespace
