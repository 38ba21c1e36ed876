// The real Paldrix.exe on a test image, driven from outside as a user would:
// the Welcome window, Esc, the exit question, No keeps the page, Yes ends the
// program and takes the version values back.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "tests/support/WaitUntil.h"
#include "tests/support/WizardImageTest.h"

using namespace testing_support;

namespace {

constexpr const char* kWizardTitle = "ZEVRIN Tolvane Setup-Assistent";
constexpr const char* kExitQuestion =
    "Die Installation wurde noch nicht vollständig durchgeführt. Möchten Sie den "
    "Setup-Assistenten trotzdem beenden?";

class WizardWindowTest : public WizardImageTest {
  protected:
    WizardWindowTest() {
        image.Write("WSROOT\\Install.ini",
                    "[Application]\r\nInstallType=UPDATE\r\n[Checklisten]\r\n"
                    "Readme=WSROOT\\Neu.txt\r\n");
        image.Write("WSROOT\\Version.ini", "[Common]\r\nVersion=7.80\r\nBuild=1000\r\n");
        SetSuite("Build", "900");
        SetSuite("Update", "7.70.2");
        SetSuite("Release", "7.70");
    }
};

TEST_F(WizardWindowTest, EscAsksNoKeepsThePageYesEndsAndRestoresTheVersionValues) {
    WizardDriver& wizard = Start();
    ASSERT_TRUE(wizard.started());
    HWND page = wizard.AwaitPage(kWelcomeHeading);
    ASSERT_NE(page, nullptr) << "no Welcome window";
    EXPECT_EQ(WindowText(page), kWizardTitle);
    // Start-up recorded the version being installed.
    EXPECT_EQ(Suite("Build"), "1000");
    EXPECT_EQ(Suite("Update"), "7.80");

    wizard.Press(VK_ESCAPE);
    HWND box = wizard.AwaitWindow("Setup-Assistent");
    ASSERT_NE(box, nullptr) << "no exit question";
    EXPECT_EQ(MessageBoxText(box), kExitQuestion);
    AnswerMessageBox(box, IDNO);
    ASSERT_TRUE(WaitUntil([&] { return !IsWindow(box) && wizard.ActiveWindow() == page; }));
    EXPECT_TRUE(wizard.run().Running());
    EXPECT_TRUE(IsWindowVisible(page));
    EXPECT_EQ(Suite("Build"), "1000");

    wizard.Press(VK_ESCAPE);
    box = wizard.AwaitWindow("Setup-Assistent");
    ASSERT_NE(box, nullptr) << "no exit question the second time";
    AnswerMessageBox(box, IDYES);
    const long exitCode = wizard.run().WaitForExit(20000);
    ASSERT_NE(exitCode, -1) << "still running";
    EXPECT_EQ(exitCode, 1602);  // the user ended the wizard
    EXPECT_EQ(Suite("Build"), "900");
    EXPECT_EQ(Suite("Update"), "7.70.2");
    EXPECT_EQ(Suite("Release"), "7.70");  // an update run never replaced it
}

}  // namespace
