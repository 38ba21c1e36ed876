// The built Paldrix.exe as a process: the INF edit from the command line,
// and the help message through the real (delay-loaded) user interface.
#include <gtest/gtest.h>

#include "tests/support/ProgramRun.h"
#include "tests/support/TempFolder.h"

using namespace testing_support;

namespace {

const std::string kWizard = std::string(PROGRAM_DIR) + "\\Paldrix.exe";

TEST(WizardProgramTest, EditInfEditsTheFileAndEndsWithoutAWindow) {
    TempFolder folder;
    folder.Write("P_TL_UPD.inf",
                 "[PROJECT PROPERTIES]\r\nVersionFile=x.ver\r\n[COMPONENTS]\r\nP_Q_Vorlauf=1\r\n");
    ProgramRun run(kWizard, "-EDITINF " + folder.path() + "\\", folder.path());
    ASSERT_TRUE(run.started());
    EXPECT_EQ(run.WaitForExit(), 0);
    const std::string edited = ReadFileText(folder / "P_TL_UPD.inf");
    EXPECT_NE(edited.find(";VersionFile=x.ver"), std::string::npos) << edited;
    EXPECT_EQ(edited.find("P_Q_Vorlauf"), std::string::npos) << edited;
}

TEST(WizardProgramTest, HelpOptionShowsTheHelpMessage) {
    TempFolder folder;
    ProgramRun run(kWizard, "-EDITINF -?", folder.path());
    ASSERT_TRUE(run.started());
    HWND box = run.WaitForWindow("Paldrix", "#32770");
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(MessageBoxText(box),
              "Unterstützt wird: \r\n\r\n  -LOCALUPDATE\r\n  -EDITINF\r\n"
              "  -EDITINFEXTENSION (obsolete)\r\n  -LOG <Datei>\r\n  -SAVEANSWERS <Datei>\r\n"
              "  -ANSWERS <Datei>\r\n  -SILENT (mit -ANSWERS <Datei>)");
    AnswerMessageBox(box, IDOK);
    // "-?" named no INF file to edit: an INF edit that edited nothing.
    EXPECT_EQ(run.WaitForExit(), 1603);
}

}  // namespace
