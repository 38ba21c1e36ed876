// Forms as data without a window: layout arithmetic, option groups, check
// boxes, lists, timers and the life of a form, seen through the fake window.
#include <gtest/gtest.h>

#include "platform/fake/FaultPlan.h"
#include "platform/gui/Layout.h"
#include "tests/support/FakePlatformTest.h"
#include "ui/Form.h"

using namespace testing_support;
using platform::gui::ControlKind;
using platform::gui::ToPixels;
using platform::gui::TwipsToPixels;

namespace {

TEST(TwipsToPixels, ScalesByDpiAndRoundsToTheNearestPixel) {
    EXPECT_EQ(TwipsToPixels(1440, 96), 96);
    EXPECT_EQ(TwipsToPixels(1440, 144), 144);
    EXPECT_EQ(TwipsToPixels(15, 96), 1);
    EXPECT_EQ(TwipsToPixels(7, 96), 0);  // 0.47 pixel
    EXPECT_EQ(TwipsToPixels(8, 96), 1);  // 0.53 pixel
    EXPECT_EQ(TwipsToPixels(-8, 96), -1);
    EXPECT_EQ(TwipsToPixels(8400, 120), 700);
    EXPECT_EQ(TwipsToPixels(100, 0), 0);
    EXPECT_EQ(platform::gui::PixelsToTwips(700, 120), 8400);
}

TEST(TwipsToPixels, ControlsLaidEdgeToEdgeStayEdgeToEdge) {
    // Three buttons of 1000 twips side by side at 125 %: converting sizes on
    // their own would open or close one-pixel gaps.
    for (int dpi : {96, 120, 144, 168}) {
        auto first = ToPixels(110, 0, 1000, 100, dpi);
        auto second = ToPixels(1110, 0, 1000, 100, dpi);
        EXPECT_EQ(first.x + first.width, second.x) << dpi;
    }
}

class TestForm : public ui::Form {
  public:
    TestForm()
        : ui::Form("Test", 6000, 4000),
          btnOk(*this, {ControlKind::Button, "btnOk", "&OK", 100, 3000, 1200, 360, "",
                        ui::flag::Default, 90}),
          Choice(*this, {{ControlKind::Option, "Choice", "Eins", 100, 100, 2000, 255},
                         {ControlKind::Option, "Choice", "Zwei", 100, 400, 2000, 255}}),
          chkAgree(*this, {ControlKind::CheckBox, "chkAgree", "Gelesen", 100, 800, 3000, 255}),
          lstItems(*this, {ControlKind::ListBox, "lstItems", "", 100, 1200, 3000, 1000}),
          Timer1(*this) {
        Choice.onClick = [this](int index) { clicks.push_back(index); };
        chkAgree.onClick = [this] { btnOk.SetEnabled(chkAgree.Value() == 1); };
        lstItems.onClick = [this] { ++listChanges; };
        Timer1.onTimer = [this] { ++ticks; };
    }

    ui::Control btnOk;
    ui::ControlArray Choice;
    ui::Control chkAgree;
    ui::Control lstItems;
    ui::Timer Timer1;
    std::vector<int> clicks;
    int listChanges = 0;
    int ticks = 0;
};

class FormTest : public FakePlatformTest {
  protected:
    ~FormTest() override { ui::DiscardAllForms(); }

    TestForm& ShowTestForm() { return ui::ShowModeless(std::make_unique<TestForm>()); }
    const platform::gui::ControlView& Shown(std::size_t index) {
        return fake.lastPageWindow->view.controls.at(index);
    }
};

TEST_F(FormTest, SelectingAnOptionFromTheProgramRunsItsClickLogicOncePerChange) {
    TestForm form;
    form.Choice[1].SetValue(1);
    form.Choice[1].SetValue(1);
    form.Choice[0].Click();  // the user's click
    form.Choice[0].Click();  // on the option already selected

    EXPECT_EQ(form.clicks, (std::vector<int>{1, 0}));
    EXPECT_EQ(form.Choice[0].Value(), 1);
    EXPECT_EQ(form.Choice[1].Value(), 0);
}

TEST_F(FormTest, CheckBoxClickTogglesAndHiddenOrDisabledControlsIgnoreClicks) {
    TestForm form;
    form.chkAgree.Click();
    EXPECT_EQ(form.chkAgree.Value(), 1);
    EXPECT_TRUE(form.btnOk.Enabled());
    form.chkAgree.Click();
    EXPECT_FALSE(form.btnOk.Enabled());

    form.chkAgree.SetEnabled(false);
    form.chkAgree.Click();
    EXPECT_EQ(form.chkAgree.Value(), 0);
    form.chkAgree.SetEnabled(true);
    form.chkAgree.SetVisible(false);
    form.chkAgree.Click();
    EXPECT_EQ(form.chkAgree.Value(), 0);
}

TEST_F(FormTest, TheWindowShowsControlsInTabOrderAndFollowsEveryChange) {
    TestForm& form = ShowTestForm();
    ASSERT_EQ(fake.pageWindowsCreated, 1);
    // The renderer's entry points address controls in window order: the
    // button comes last although it was declared first.
    form.OnClicked(0);  // Choice[0]
    form.OnClicked(2);  // chkAgree
    EXPECT_EQ(form.clicks, (std::vector<int>{0}));
    EXPECT_EQ(form.chkAgree.Value(), 1);
    EXPECT_TRUE(form.btnOk.Enabled());
    EXPECT_EQ(Shown(0).value, 1);
    EXPECT_TRUE(Shown(0).startsGroup);
    EXPECT_FALSE(Shown(1).startsGroup);
    EXPECT_EQ(Shown(2).value, 1);
    EXPECT_EQ(Shown(4).kind, ControlKind::Button);
    EXPECT_TRUE(Shown(4).isDefault);
    EXPECT_TRUE(Shown(4).enabled);
    EXPECT_TRUE(fake.lastPageWindow->shown);

    form.lstItems.AddItem("C:\\Alt\\7.60", 760);
    form.lstItems.AddItem("C:\\Alt\\7.70", 770);
    form.OnSelectionChanged(3, {false, true});
    EXPECT_FALSE(form.lstItems.Selected(0));
    EXPECT_TRUE(form.lstItems.Selected(1));
    EXPECT_EQ(form.lstItems.ItemData(1), 770);
    EXPECT_EQ(form.listChanges, 1);
    EXPECT_EQ(Shown(3).items.size(), 2u);
    EXPECT_EQ(form.lstItems.List(5), "");
}

TEST_F(FormTest, UnloadingStopsTimersAndEndsTheProgramsLastForm) {
    TestForm& form = ShowTestForm();
    form.Timer1.SetInterval(500);
    form.Timer1.SetEnabled(true);
    EXPECT_TRUE(form.Timer1.Running());
    EXPECT_EQ(fake.lastPageWindow->timers[1], 500u);
    form.OnTimer(1);
    EXPECT_EQ(form.ticks, 1);
    EXPECT_TRUE(ui::AnyFormLoaded());

    form.btnOk.onClick = [&form] { form.Unload(); };
    form.btnOk.Click();  // a handler unloading its own form

    EXPECT_FALSE(form.IsLoaded());
    EXPECT_FALSE(ui::AnyFormLoaded());
    EXPECT_TRUE(fake.lastPageWindow->destroyed);
    EXPECT_TRUE(fake.lastPageWindow->timers.empty());
    ui::RunMessageLoop();  // returns at once: nothing is loaded
}

TEST_F(FormTest, AFormPreparedAheadShowsTheWindowMadeEarlierWithEveryLaterChange) {
    auto& form = static_cast<TestForm&>(ui::Prepare(std::make_unique<TestForm>()));
    form.Timer1.SetInterval(500);
    form.Timer1.SetEnabled(true);
    {
        // A window that cannot be made ahead is made at the load instead.
        platform::faults::FailingCall failing("CreatePageWindow");
        ui::MakeWindowsAhead();
        EXPECT_TRUE(failing.Failed());
    }
    EXPECT_EQ(fake.pageWindowsCreated, 0);
    ui::MakeWindowsAhead();
    ui::MakeWindowsAhead();
    ASSERT_EQ(fake.pageWindowsCreated, 1);
    EXPECT_FALSE(fake.lastPageWindow->shown);
    EXPECT_TRUE(fake.lastPageWindow->timers.empty());  // no tick before the load
    form.chkAgree.SetValue(1);
    EXPECT_EQ(Shown(2).value, 1);

    ASSERT_EQ(ui::FindPrepared<TestForm>(), &form);
    form.Show();
    EXPECT_EQ(fake.pageWindowsCreated, 1);
    EXPECT_TRUE(fake.lastPageWindow->shown);
    EXPECT_EQ(fake.lastPageWindow->timers[1], 500u);
    EXPECT_EQ(ui::FindPrepared<TestForm>(), nullptr);
    form.Unload();
    form.Show();  // loaded again: a window of its own, as ever
    EXPECT_EQ(fake.pageWindowsCreated, 2);

    // One that will not be shown after all is given up: no window for it.
    ui::Discard(ui::Prepare(std::make_unique<TestForm>()));
    ui::MakeWindowsAhead();
    EXPECT_EQ(ui::FindPrepared<TestForm>(), nullptr);
    EXPECT_EQ(fake.pageWindowsCreated, 2);
}

TEST_F(FormTest, ModalFormHoldsTheCallerUntilItIsUnloadedAndBlocksTheOthers) {
    TestForm& page = ShowTestForm();
    platform::FakePageWindow* pageWindow = fake.lastPageWindow;
    TestForm list;
    bool pageBlocked = false;
    int events = 0;
    fake.onPump = [&] {
        pageBlocked = !pageWindow->enabled;
        if (++events == 3) list.btnOk.Click();  // the user's choice, at the third event
    };
    list.btnOk.onClick = [&list] { list.Unload(); };

    list.ShowModal();

    EXPECT_EQ(events, 3);
    EXPECT_TRUE(pageBlocked);
    EXPECT_TRUE(pageWindow->enabled);
    EXPECT_FALSE(list.IsLoaded());
    EXPECT_TRUE(page.IsLoaded());
}

}  // namespace
