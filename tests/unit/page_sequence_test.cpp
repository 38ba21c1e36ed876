// Every path through the real pages, from Welcome to the started installer,
// and Back from every page: the pages are clicked as the renderer would click
// them, against an image in a temporary folder.
#include <gtest/gtest.h>

#include <string>

#include "platform/fake/FaultPlan.h"
#include "tests/support/FakePlatformTest.h"
#include "tests/support/PageWalk.h"
#include "ui/Form.h"
#include "wizard/base/RunOutcome.h"
#include "wizard/pages/PageSequence.h"

using namespace testing_support;

namespace {

class PageSequenceTest : public FakePlatformTest {
  protected:
    ~PageSequenceTest() override { ui::DiscardAllForms(); }

    PageWalk walk{fake};
};

TEST_F(PageSequenceTest, EveryPathEndsAtTheInstaller) {
    for (const PathCase& c : kPagePaths) {
        SCOPED_TRACE(std::string(c.installTypeText) + "/" + c.programName + " type " +
                     std::to_string(c.installType) + " role " + std::to_string(c.role));
        walk.Prepare(c);
        EXPECT_EQ(walk.Walk(c.installType, c.role), c.expected);
        ui::DiscardAllForms();
    }
}

TEST_F(PageSequenceTest, BackLeadsToThePageThatLedHere) {
    for (const BackCase& c : kBackSteps) {
        walk.Prepare(c);
        const std::string from = PageWalk::ShowStep(c);
        SCOPED_TRACE(from + " mode " + std::to_string(c.installMode) + " role " +
                     std::to_string(c.machineType));
        {
            // A page that cannot be shown leaves the user where he was, told why.
            platform::faults::FailingCall noWindow("CreatePageWindow");
            fake.messages.clear();
            EXPECT_EQ(PageWalk::PressBack(), from);
            if (noWindow.Failed()) {
                ASSERT_EQ(fake.messages.size(), 1u);
                EXPECT_EQ(fake.messages[0].text, "Der Setup-Assistent konnte nicht angezeigt werden.");
            }
        }
        const std::string shown = PageWalk::PressBack();
        EXPECT_EQ(shown, c.expected);
        EXPECT_EQ(ui::LoadedForms().size(), shown == "(no page)" ? 0u : 1u);
        ui::DiscardAllForms();
    }
}

TEST_F(PageSequenceTest, AFirstPageThatCannotBeShownIsReportedAndIsAFailure) {
    walk.Prepare(kPagePaths.front());
    platform::faults::FailingCall noWindow("CreatePageWindow");

    ShowFirstPage();

    EXPECT_TRUE(ui::LoadedForms().empty());
    ASSERT_EQ(fake.messages.size(), 1u);
    EXPECT_EQ(fake.messages[0].text, "Der Setup-Assistent konnte nicht angezeigt werden.");
    EXPECT_EQ(fake.messages[0].caption, "ZEVRIN Tolvane Setup-Assistent");
    EXPECT_EQ(fake.messages[0].style, platform::mb::Ok | platform::mb::IconError);
    EXPECT_EQ(RunExitCode(), 1603);

    // So is a step that leads nowhere: its page closes, no installer starts.
    ResetSession();
    EXPECT_TRUE(GoTo(WizardStep::None));
    EXPECT_EQ(RunExitCode(), 1603);
}

}  // namespace
