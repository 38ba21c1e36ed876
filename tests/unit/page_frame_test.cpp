// Where pages appear, abandoning the wizard, ending the program and the
// notice form's moving dots.
#include <gtest/gtest.h>

#include "tests/support/FakePlatformTest.h"
#include "ui/Form.h"
#include "wizard/base/ProgramRole.h"
#include "wizard/pages/FrmHinweis.h"
#include "wizard/pages/PageFrame.h"

using namespace testing_support;

namespace {

constexpr const char* kRunKey = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run";
constexpr const char* kExitQuestion =
    "Die Installation wurde noch nicht vollständig durchgeführt. Möchten Sie den "
    "Setup-Assistenten trotzdem beenden?";

class PageFrameTest : public FakePlatformTest {
  protected:
    ~PageFrameTest() override { ui::DiscardAllForms(); }

    // A run whose start-up replaced Build and one of Update/Release.
    void StartedUp(bool update) {
        SetupSession& s = Session();
        s.PreviousBuild = "900";
        s.NewBuild = "1000";
        SetSuiteValue("Build", "1000");
        SetSuiteValue("Update", update ? "U2" : "U1");
        SetSuiteValue("Release", update ? "7.70" : "7.80");
        if (update) {
            s.PreviousUpdate = "U1";
            s.NewUpdate = "U2";
            s.StartupReplacedUpdate = true;
        } else {
            s.PreviousRelease = "7.70";
            s.NewRelease = "7.80";
            s.StartupReplacedRelease = true;
        }
    }
};

TEST_F(PageFrameTest, PlaceFormDecidesEachCoordinateOnItsOwn) {
    ui::Form form("Seite", 8400, 5640);
    Session().PageLeft = 0;
    Session().PageTop = 500;
    PlaceForm(form);
    EXPECT_EQ(form.Left(), (19200 - 8400) / 2);
    EXPECT_EQ(form.Top(), 500);

    Session().PageLeft = 1234;
    Session().PageTop = 0;
    PlaceForm(form);
    EXPECT_EQ(form.Left(), 1234);
    EXPECT_EQ(form.Top(), (14400 - 5640) / 2);
}

TEST_F(PageFrameTest, ConfirmExitNoChangesNothing) {
    StartedUp(true);
    fake.messageAnswers = {platform::answer::No};

    EXPECT_FALSE(ConfirmExit());

    ASSERT_EQ(fake.messages.size(), 1u);
    EXPECT_EQ(fake.messages[0].text, kExitQuestion);
    EXPECT_EQ(fake.messages[0].caption, "Setup-Assistent");
    EXPECT_EQ(fake.messages[0].style,
              platform::mb::YesNo | platform::mb::IconQuestion | platform::mb::DefaultButton2);
    EXPECT_EQ(fake.registryWrites, 0);
    EXPECT_EQ(Session().NewBuild, "1000");
}

TEST_F(PageFrameTest, ConfirmExitYesRestoresBuildAndExactlyTheReplacedValue) {
    for (bool update : {true, false}) {
        SCOPED_TRACE(update ? "update" : "release");
        ResetSession();
        StartedUp(update);
        fake.messageAnswers = {platform::answer::Yes};

        EXPECT_TRUE(ConfirmExit());

        EXPECT_EQ(SuiteValue("Build"), "900");
        EXPECT_EQ(Session().NewBuild, "900");
        // The value start-up did not replace keeps what it had.
        EXPECT_EQ(SuiteValue("Update"), "U1");
        EXPECT_EQ(SuiteValue("Release"), "7.70");
        EXPECT_EQ(update ? Session().NewUpdate : Session().NewRelease, update ? "U1" : "7.70");
    }
}

TEST_F(PageFrameTest, ConfirmExitYesWithProgramSetWritesNothing) {
    StartedUp(false);
    Session().ProgramName = "MORVALIS";
    fake.messageAnswers = {platform::answer::Yes};

    EXPECT_TRUE(ConfirmExit());

    EXPECT_EQ(fake.registryWrites, 0);
    EXPECT_EQ(SuiteValue("Build"), "1000");
}

TEST_F(PageFrameTest, CancelEndsTheProgramOnlyWhenConfirmedAndRemovesTheRunEntry) {
    fake.SetRegistry(RegistryRoot::CurrentUser, kRunKey, kApplicationTitle,
                     RegistryValue::FromText("x"));
    fake.messageAnswers = {platform::answer::No, platform::answer::Yes};

    CancelWizard();
    EXPECT_TRUE(fake.RegistryEntry(RegistryRoot::CurrentUser, kRunKey, kApplicationTitle));
    EXPECT_THROW(CancelWizard(), platform::ProgramExit);
    EXPECT_FALSE(fake.RegistryEntry(RegistryRoot::CurrentUser, kRunKey, kApplicationTitle));
}

TEST_F(PageFrameTest, NoticeFormAfterSevenTicksShowsTheTextWithTwoDots) {
    FrmHinweisNotice notice;
    notice.Prepare();
    ui::MakeWindowsAhead();  // as while the setup-type program runs
    notice.Show();
    FrmHinweis& form = *notice.Shown();
    EXPECT_EQ(fake.pageWindowsCreated, 1);

    EXPECT_EQ(form.Caption(), "Systemaktualisierung");
    EXPECT_EQ(form.Label1.Caption(), "Systemvoraussetzungen werden installiert! Bitte warten ");
    EXPECT_EQ(form.Timer1.Interval(), 500u);
    EXPECT_TRUE(form.Timer1.Running());
    std::vector<std::string> dots;
    for (int tick = 0; tick < 7; ++tick) {
        form.OnTimer(1);  // as the window's timer calls it
        dots.push_back(form.Label1.Caption().substr(form.Hinweistext.size()));
    }
    EXPECT_EQ(dots, (std::vector<std::string>{".", "..", "...", "....", ".....", ".", ".."}));
    EXPECT_TRUE(ui::AnyFormLoaded());

    notice.Unload();
    EXPECT_FALSE(ui::AnyFormLoaded());
    EXPECT_FALSE(form.Timer1.Running());
    EXPECT_EQ(form.Timer1.Interval(), 0u);

    // Prepared for a run that then needs no runtimes: it goes unshown.
    FrmHinweisNotice unneeded;
    unneeded.Prepare();
    unneeded.Unload();
    EXPECT_EQ(ui::FindPrepared<FrmHinweis>(), nullptr);
}

TEST_F(PageFrameTest, NoticeFormKeepsTextsSetBeforeItLoads) {
    FrmHinweis form;
    form.Hinweistext = "Bitte warten";
    form.DialogCaption = "Einrichtung";
    form.Show();
    form.Timer1.Tick();

    EXPECT_EQ(form.Caption(), "Einrichtung");
    EXPECT_EQ(form.Label1.Caption(), "Bitte warten.");
    form.Unload();
}

}  // namespace
