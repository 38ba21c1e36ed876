// One wizard at a time: a second Paldrix.exe started while one runs says so,
// brings the first one's page forward and ends with 1618 (a silent one
// without a word), while the first keeps its page; an INF edit, which
// changes nothing of the machine, still runs meanwhile. A run without -LOG
// leaves no file behind.
#include <gtest/gtest.h>
#include <windows.h>

#include <set>
#include <string>

#include "platform/Files.h"
#include "tests/support/WizardImageTest.h"

using namespace testing_support;

namespace {

class OneWizardTest : public WizardImageTest {
  protected:
    OneWizardTest() {
        image.Write("WSROOT\\Install.ini", "[Application]\r\nInstallType=NEW\r\n");
        image.Write("WSROOT\\Version.ini", "[Common]\r\nVersion=7.80\r\nBuild=1000\r\n");
    }
    // The files of the image, apart from what the stand-ins record.
    std::set<std::string> ImageFiles() const {
        std::set<std::string> names;
        for (const std::string& name : platform::files::ListAllFiles(image.path(), "*").names) {
            if (name.find(".starts.txt") == std::string::npos) names.insert(name);
        }
        return names;
    }
};

TEST_F(OneWizardTest, ASecondWizardGivesWayWhileAnInfEditStillRuns) {
    const std::set<std::string> before = ImageFiles();
    WizardDriver& first = Start();
    ASSERT_NE(first.AwaitPage(kWelcomeHeading), nullptr);

    WizardDriver second(image / "Paldrix.exe", "", image.path());
    HWND box = second.AwaitWindow("Paldrix");
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(MessageBoxText(box), "Der Setup-Assistent wird bereits ausgeführt.");
    AnswerMessageBox(box, IDOK);
    EXPECT_EQ(second.run().WaitForExit(20000), 1618);
    EXPECT_EQ(GetForegroundWindow(), first.Page());
    EXPECT_TRUE(first.run().Running());
    EXPECT_TRUE(first.Shows(kWelcomeHeading));

    // A silent one gives way at once, without a word on the screen.
    const std::string answers = image.Write("Antworten.ini", "[Welcome]\r\nNext=1\r\n");
    ProgramRun silent(image / "Paldrix.exe", "-SILENT -ANSWERS \"" + answers + "\"", image.path());
    VisibleWindowWatch watch(silent.processId());
    EXPECT_EQ(silent.WaitForExit(20000), 1618);
    EXPECT_EQ(watch.Seen(), "");
    platform::files::DeleteFileAt(answers);

    TempFolder package;
    package.Write("P_TL_UPD.inf", "[PROJECT PROPERTIES]\r\nVersionFile=x.ver\r\n");
    ProgramRun edit(image / "Paldrix.exe", "-EDITINF " + package.path() + "\\", image.path());
    EXPECT_EQ(edit.WaitForExit(20000), 0);
    EXPECT_NE(ReadFileText(package / "P_TL_UPD.inf").find(";VersionFile=x.ver"), std::string::npos);

    first.Press(VK_ESCAPE);
    box = first.AwaitWindow("Setup-Assistent");
    ASSERT_NE(box, nullptr);
    AnswerMessageBox(box, IDYES);
    EXPECT_EQ(first.run().WaitForExit(20000), 1602);
    EXPECT_EQ(ImageFiles(), before);  // no record written without -LOG
}

}  // namespace
