// Every path through the real pages, from Welcome to the started installer,
// and Back from every page: the pages are clicked as the renderer would click
// them, against an image in a temporary folder.
#include <gtest/gtest.h>

#include <string>

#include "tests/support/FakePlatformTest.h"
#include "tests/support/PageWalk.h"
#include "ui/Form.h"

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
        const std::string shown = PageWalk::PressBack();
        EXPECT_EQ(shown, c.expected);
        EXPECT_EQ(ui::LoadedForms().size(), shown == "(no page)" ? 0u : 1u);
        ui::DiscardAllForms();
    }
}

}  // namespace
