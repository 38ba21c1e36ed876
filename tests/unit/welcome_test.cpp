// The Welcome page against a setup image in a temporary folder.
#include "wizard/pages/Welcome.h"

#include <gtest/gtest.h>

#include "tests/support/FakePlatformTest.h"
#include "tests/support/TempFolder.h"
#include "ui/Form.h"
#include "wizard/pages/PageSequence.h"

using namespace testing_support;

namespace {

class WelcomeTest : public FakePlatformTest {
  protected:
    WelcomeTest() {
        SetupSession& s = Session();
        s.WizardTitle = "ZEVRIN Tolvane Setup-Assistent";
        s.SetupRoot = image.path();
        s.InstallIniPath = image / "WSROOT\\Install.ini";
        s.VersionIniPath = image / "WSROOT\\Version.ini";
        WriteVersion("Version=7.80\r\nBuild=1000\r\n");
        WriteInstall(
            "Readme=WSROOT\\Neu.txt\r\nSystemvoraussetzungen=WSROOT\\System.txt\r\n"
            "PaldrixHelp=WSROOT\\Hilfe.txt\r\n");
    }
    ~WelcomeTest() override { ui::DiscardAllForms(); }

    void WriteVersion(const std::string& common) {
        image.Write("WSROOT\\Version.ini", "[Common]\r\n" + common);
    }
    void WriteInstall(const std::string& checklists) {
        image.Write("WSROOT\\Install.ini", "[Checklisten]\r\n" + checklists);
    }
    Welcome& Show() { return ShowWelcomePage(); }

    TempFolder image;
};

TEST_F(WelcomeTest, LoadFillsThePageFromTheImage) {
    Welcome& w = Show();

    EXPECT_EQ(w.Caption(), "ZEVRIN Tolvane Setup-Assistent");
    EXPECT_EQ(w.Left(), (19200 - w.Width()) / 2);
    EXPECT_EQ(w.Top(), (14400 - w.Height()) / 2);
    EXPECT_EQ(w.Logo.Picture(), "LOGO");
    EXPECT_EQ(w.lblVersion.Caption(), "Version 7.80");
    EXPECT_EQ(w.LinkReadMe.Caption(), "Info über Version 7.80");
    EXPECT_EQ(w.LinkReadMe.MouseIcon(), "ICOHAND");
    EXPECT_EQ(w.LinkSystemvoraussetzung.MouseIcon(), "ICOHAND");
    EXPECT_TRUE(w.LinkReadMe.Visible());
    EXPECT_TRUE(w.LinkSystemvoraussetzung.Visible());
    EXPECT_EQ(w.lblBuild.Caption(), "Build: 1000 - 26.06.2001");
    EXPECT_EQ(w.lblBuild.Top(), 4650);
    EXPECT_EQ(w.Title1.Caption(), "Willkommen beim Setup-Assistent für ZEVRIN Tolvane");
    EXPECT_FALSE(w.Body2.Caption().empty());
    EXPECT_FALSE(w.btnBack.Enabled());
    EXPECT_FALSE(w.btnExpress.Visible());
    EXPECT_TRUE(w.btnNext.IsDefault());
    EXPECT_TRUE(w.btnCancel.IsCancel());
    ASSERT_FALSE(fake.pointers.empty());
    EXPECT_EQ(fake.pointers.back(), platform::MousePointer::Default);
    EXPECT_TRUE(fake.messages.empty());
}

TEST_F(WelcomeTest, LeftColumnFollowsReadmeAndInstallType) {
    WriteInstall("Systemvoraussetzungen=WSROOT\\System.txt\r\n");
    {
        Welcome& w = Show();
        EXPECT_FALSE(w.LinkReadMe.Visible());
        EXPECT_TRUE(w.LinkSystemvoraussetzung.Visible());
        EXPECT_EQ(w.lblBuild.Top(), 4650);
    }
    Session().InstallTypeText = "UPDATE";
    {
        Welcome& w = Show();
        EXPECT_FALSE(w.LinkSystemvoraussetzung.Visible());
        EXPECT_EQ(w.lblBuild.Top(), 4100);
    }
    WriteInstall("Readme=WSROOT\\Neu.txt\r\n");
    {
        Welcome& w = Show();
        EXPECT_TRUE(w.LinkReadMe.Visible());
        EXPECT_EQ(w.LinkReadMe.Top(), 3900);
        EXPECT_EQ(w.lblBuild.Top(), 4650);
    }
    EXPECT_EQ(AfterWelcome(Session()), WizardStep::InstallationType);
    Session().InstallTypeText = "NEW";
    EXPECT_EQ(AfterWelcome(Session()), WizardStep::SystemRequirements);
}

TEST_F(WelcomeTest, BuildDateCountsDaysFromTheEndOfSeptember1998) {
    EXPECT_EQ(BuildLabel(""), "Build:  - 30.09.1998");
    EXPECT_EQ(BuildLabel("1000"), "Build: 1000 - 26.06.2001");
    EXPECT_EQ(BuildLabel("1000b"), "Build: 1000b - 26.06.2001");
    EXPECT_EQ(BuildLabel("abc"), "Build: abc - 30.09.1998");
    // A number far beyond the calendar gives no date rather than a wrong one.
    EXPECT_EQ(BuildLabel("999999999999"), "Build: 999999999999 - ");

    WriteVersion("");
    Welcome& w = Show();
    EXPECT_EQ(w.lblVersion.Caption(), "Version ");
    EXPECT_EQ(w.lblBuild.Caption(), "Build:  - 30.09.1998");
}

TEST_F(WelcomeTest, CommercialLineNamesItInTheHeadingAndDropsTheNetworkHint) {
    Session().ProgramName = "MORVALIS";
    Welcome& w = Show();
    EXPECT_EQ(w.Title1.Caption(), "Willkommen beim Setup-Assistent für ZEVRIN Morvalis im Tolvane");
    EXPECT_EQ(w.Body2.Caption(), "");
}

TEST_F(WelcomeTest, LinksOpenTheirDocumentsAndBlankValuesDoNothing) {
    image.Write("WSROOT\\Neu.txt", "neu");
    image.Write("WSROOT\\Hilfe.txt", "hilfe");
    WriteInstall(
        "Readme=WSROOT\\Neu.txt\r\nSystemvoraussetzungen=   \r\n"
        "PaldrixHelp=WSROOT\\Hilfe.txt\r\n");
    Welcome& w = Show();

    w.LinkSystemvoraussetzung.Click();
    EXPECT_TRUE(fake.starts.empty());
    EXPECT_TRUE(fake.messages.empty());

    w.LinkReadMe.Click();
    w.btnHelp.Click();
    ASSERT_EQ(fake.starts.size(), 2u);
    EXPECT_EQ(fake.starts[0].file, "\"" + image / "WSROOT\\Neu.txt" + "\"");
    EXPECT_EQ(fake.starts[1].file, "\"" + image / "WSROOT\\Hilfe.txt" + "\"");
    EXPECT_TRUE(w.IsLoaded());
}

TEST_F(WelcomeTest, NextStoresThePositionAndClosesThePage) {
    Welcome& w = Show();
    w.Move(2000, 1500);

    w.btnNext.Click();

    EXPECT_EQ(Session().PageLeft, 2000);
    EXPECT_EQ(Session().PageTop, 1500);
    EXPECT_FALSE(w.IsLoaded());
}

TEST_F(WelcomeTest, CancelAsksAndEndsOnlyOnYes) {
    Welcome& w = Show();
    fake.messageAnswers = {platform::answer::No, platform::answer::Yes};

    w.btnCancel.Click();
    EXPECT_TRUE(w.IsLoaded());
    EXPECT_THROW(w.OnCloseRequested(), platform::ProgramExit);  // the close box is Cancel
    EXPECT_EQ(fake.messages.size(), 2u);
}

}  // namespace
