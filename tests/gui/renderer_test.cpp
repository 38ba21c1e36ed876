// The Win32 renderer in this process: keys work as in a dialog, property
// changes reach the windows, and a form's timer ticks while the program
// waits with its windows answering.
#include <gtest/gtest.h>
#include <windows.h>

#include "platform/Win32Platform.h"
#include "tests/support/ProgramRun.h"
#include "tests/support/WaitUntil.h"
#include "ui/Form.h"
#include "wizard/pages/FrmHinweis.h"

namespace {

using ui::ControlKind;

class KeyForm : public ui::Form {
  public:
    KeyForm()
        : ui::Form("Tastenprobe", 6000, 3000),
          txtName(*this, {ControlKind::TextBox, "txtName", "", 240, 240, 3000, 330}),
          btnOk(*this,
                {ControlKind::Button, "btnOk", "&OK", 240, 2400, 1200, 360, "", ui::flag::Default}),
          btnCancel(*this, {ControlKind::Button, "btnCancel", "Abbrechen", 1560, 2400, 1200, 360,
                            "", ui::flag::Cancel}),
          lblInfo(*this, {ControlKind::Label, "lblInfo", "Info", 240, 900, 3000, 255, "Hinweis"}) {
        btnOk.onClick = [this] { ++okClicks; };
        btnCancel.onClick = [this] { ++cancelClicks; };
        txtName.onClick = [this] { ++edits; };
    }
    ui::Control txtName, btnOk, btnCancel, lblInfo;
    int okClicks = 0, cancelClicks = 0, edits = 0;
};

class RendererTest : public ::testing::Test {
  protected:
    RendererTest() : guard_(win32_) {}
    ~RendererTest() override { ui::DiscardAllForms(); }

    void Key(WPARAM key) {
        HWND focus = GetFocus();
        ASSERT_NE(focus, nullptr);
        PostMessageA(focus, WM_KEYDOWN, key, 0x00010001);
        PostMessageA(focus, WM_KEYUP, key, 0xC0010001);
        win32_.PumpEvents();
    }

    platform::Win32Platform win32_;
    platform::ScopedPlatform guard_;
};

HWND ChildWithText(HWND parent, const char* text) {
    for (HWND child = GetWindow(parent, GW_CHILD); child != nullptr;
         child = GetWindow(child, GW_HWNDNEXT)) {
        if (testing_support::WindowText(child) == text) return child;
    }
    return nullptr;
}

TEST_F(RendererTest, EnterClicksTheDefaultButtonEscTheCancelButton) {
    KeyForm& form = ui::ShowModeless(std::make_unique<KeyForm>());
    HWND window = FindWindowA(nullptr, "Tastenprobe");
    ASSERT_NE(window, nullptr);
    win32_.PumpEvents();

    Key(VK_RETURN);
    EXPECT_EQ(form.okClicks, 1);
    Key(VK_ESCAPE);
    EXPECT_EQ(form.cancelClicks, 1);

    // Disabled, the default button no longer answers Enter.
    form.btnOk.SetEnabled(false);
    EXPECT_FALSE(IsWindowEnabled(ChildWithText(window, "&OK")));
    SetFocus(ChildWithText(window, "Abbrechen"));
    Key(VK_ESCAPE);
    EXPECT_EQ(form.cancelClicks, 2);
    EXPECT_EQ(form.okClicks, 1);
}

TEST_F(RendererTest, TypingReachesTheFormAndProgramChangesReachTheWindow) {
    KeyForm& form = ui::ShowModeless(std::make_unique<KeyForm>());
    HWND window = FindWindowA(nullptr, "Tastenprobe");
    ASSERT_NE(window, nullptr);
    HWND edit = GetWindow(window, GW_CHILD);  // first in Tab order
    SetWindowTextA(edit, "D:\\Server");       // as typing would change it
    EXPECT_EQ(form.txtName.Text(), "D:\\Server");
    EXPECT_EQ(form.edits, 1);

    form.lblInfo.SetCaption("Neu");
    form.lblInfo.SetVisible(false);
    form.SetCaption("Andere Probe");
    HWND label = ChildWithText(window, "Neu");
    ASSERT_NE(label, nullptr);
    EXPECT_FALSE(IsWindowVisible(label));
    EXPECT_EQ(FindWindowA(nullptr, "Andere Probe"), window);

    form.Move(1500, 1200);
    EXPECT_EQ(form.Left(), 1500);
    EXPECT_EQ(form.Top(), 1200);
    form.Unload();
    EXPECT_FALSE(IsWindow(window));
}

class LinkForm : public ui::Form {
  public:
    LinkForm()
        : ui::Form("Linkprobe", 6000, 3000),
          lnkOpen(*this, {ControlKind::Link, "lnkOpen", "Dokument öffnen", 240, 240, 3000, 255}),
          txtNote(*this, {ControlKind::TextBox, "txtNote", "eins\nzwei\rdrei", 240, 600, 3000, 900,
                          "", ui::flag::MultiLine | ui::flag::ReadOnly}),
          btnOk(*this, {ControlKind::Button, "btnOk", "&OK", 240, 2400, 1200, 360, "",
                        ui::flag::Default}) {
        lnkOpen.onClick = [this] { ++opened; };
        btnOk.onClick = [this] { ++okClicks; };
    }
    bool OnKeyPreview(int keyCode, int) override {
        if (keyCode != platform::gui::kKeyF1) return false;
        ++helpKeys;
        return true;
    }
    ui::Control lnkOpen, txtNote, btnOk;
    int opened = 0, okClicks = 0, helpKeys = 0;
};

TEST_F(RendererTest, LinksAndReadOnlyTextTakePartInTheKeyboard) {
    LinkForm& form = ui::ShowModeless(std::make_unique<LinkForm>());
    HWND window = FindWindowA(nullptr, "Linkprobe");
    ASSERT_NE(window, nullptr);
    win32_.PumpEvents();
    HWND link = ChildWithText(window, "Dokument öffnen");
    HWND note = ChildWithText(window, "eins\r\nzwei\r\ndrei");  // shown line by line
    ASSERT_NE(link, nullptr);
    ASSERT_NE(note, nullptr);
    EXPECT_EQ(form.txtNote.Text(), "eins\nzwei\rdrei");

    Key(VK_TAB);  // from the default button round to the link
    ASSERT_EQ(GetFocus(), link);
    Key(VK_SPACE);
    Key(VK_RETURN);  // Enter opens the focused link, not the default button
    EXPECT_EQ(form.opened, 2);
    EXPECT_EQ(form.okClicks, 0);
    Key(VK_TAB);
    ASSERT_EQ(GetFocus(), note);
    Key(VK_TAB);  // the note does not keep Tab
    EXPECT_EQ(GetFocus(), ChildWithText(window, "&OK"));
    Key(VK_F1);
    EXPECT_EQ(form.helpKeys, 1);
    // A control disabled under the focus hands the keyboard on, and takes it back.
    SetFocus(link);
    form.lnkOpen.SetEnabled(false);
    EXPECT_NE(GetFocus(), nullptr);
    form.lnkOpen.SetEnabled(true);
    EXPECT_EQ(GetFocus(), link);
}

class PaintedForm : public ui::Form {
  public:
    PaintedForm()
        : ui::Form("Malprobe", 3000, 1500),
          Band(*this, {ControlKind::Area, "Band", "", 0, 0, 3000, 600, "", 0, 0, 0xFF0000}),
          Trough(*this, {ControlKind::ProgressTrough, "Trough", "", 300, 900, 2400, 300}),
          Fill(*this,
               {ControlKind::ProgressFill, "Fill", "", 330, 930, 1170, 240, "", 0, 0, 0x0000FF}) {}
    ui::Control Band, Trough, Fill;
};

// The client area as the window paints it, read back pixel by pixel.
class ClientPicture {
  public:
    explicit ClientPicture(HWND window) {
        RECT client;
        GetClientRect(window, &client);
        HDC screen = GetDC(window);
        dc_ = CreateCompatibleDC(screen);
        bitmap_ = CreateCompatibleBitmap(screen, client.right, client.bottom);
        previous_ = SelectObject(dc_, bitmap_);
        ReleaseDC(window, screen);
        SendMessageA(window, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc_), PRF_CLIENT);
    }
    ~ClientPicture() {
        SelectObject(dc_, previous_);
        DeleteObject(bitmap_);
        DeleteDC(dc_);
    }
    // At a point given in twips at 96 DPI (15 twips a pixel).
    COLORREF At(int xTwips, int yTwips) const { return GetPixel(dc_, xTwips / 15, yTwips / 15); }

  private:
    HDC dc_;
    HBITMAP bitmap_;
    HGDIOBJ previous_;
};

TEST_F(RendererTest, AreasAndTheProgressFillArePaintedAsTheirPropertiesSay) {
    PaintedForm& form = ui::ShowModeless(std::make_unique<PaintedForm>());
    HWND window = FindWindowA(nullptr, "Malprobe");
    ASSERT_NE(window, nullptr);
    if (GetDpiForWindow(window) != 96) GTEST_SKIP() << "pixel positions assume 96 DPI";
    {
        ClientPicture picture(window);
        EXPECT_EQ(picture.At(1500, 300), RGB(255, 0, 0));
        EXPECT_EQ(picture.At(900, 1050), RGB(0, 0, 255));              // inside the fill
        EXPECT_EQ(picture.At(2400, 1050), GetSysColor(COLOR_WINDOW));  // empty trough
    }
    form.Fill.SetWidth(2340);
    form.Band.SetVisible(false);
    {
        ClientPicture picture(window);
        EXPECT_EQ(picture.At(2400, 1050), RGB(0, 0, 255));
        EXPECT_EQ(picture.At(1500, 300), GetSysColor(COLOR_BTNFACE));
    }
}

TEST_F(RendererTest, NoticeDotsMoveWhileTheProgramWaits) {
    FrmHinweisNotice notice;
    notice.Show();
    HWND window = FindWindowA(nullptr, "Systemaktualisierung");
    ASSERT_NE(window, nullptr);
    const std::string text = notice.Shown()->Hinweistext;
    const auto caption = [&] { return notice.Shown()->Label1.Caption(); };

    // Waiting as the program does, until two ticks of 500 ms have added their
    // dots; they fit into 1.3 s.
    testing_support::WaitUntil(
        [&] {
            win32_.WaitPumpingEvents(50);
            return caption().size() >= text.size() + 2;
        },
        1300, 0);

    const std::string shown = caption();
    ASSERT_GT(shown.size(), text.size());
    EXPECT_EQ(shown.substr(0, text.size()), text);
    EXPECT_GE(shown.size() - text.size(), 2u);
    EXPECT_NE(ChildWithText(window, shown.c_str()), nullptr);
    notice.Unload();
    EXPECT_FALSE(IsWindow(window));
}

}  // namespace
