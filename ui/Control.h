// A control of a form: designed as a plain data row, then a holder of
// properties that the form's handlers change. Nothing here knows a window;
// the form mirrors every change to its renderer.
#pragma once

#include <functional>
#include <initializer_list>
#include <memory>
#include <string>
#include <vector>

#include "platform/PageWindow.h"

namespace ui {

using platform::gui::ControlKind;

class Form;
class ControlArray;

namespace flag {
inline constexpr unsigned Default = 1u << 0;  // clicked by Enter
inline constexpr unsigned Cancel = 1u << 1;   // clicked by Esc
inline constexpr unsigned Hidden = 1u << 2;
inline constexpr unsigned Disabled = 1u << 3;
inline constexpr unsigned Bold = 1u << 4;
inline constexpr unsigned MultiLine = 1u << 5;  // word-wrapped text
inline constexpr unsigned Heading = 1u << 6;    // the page's large bold title
inline constexpr unsigned ReadOnly = 1u << 7;   // a text box to read, select and scroll
inline constexpr unsigned Checked = 1u << 8;    // a check box or option selected as designed
}  // namespace flag

// One control as designed. Positions and sizes are twips, relative to the
// form's client area.
struct ControlRow {
    ControlKind kind = ControlKind::Label;
    const char* name = "";
    const char* caption = "";
    int left = 0, top = 0, width = 0, height = 0;
    const char* tooltip = "";
    unsigned flags = 0;
    // Creation and Tab order; rows with equal numbers keep their declaration order.
    int tabIndex = 0;
    unsigned color = platform::gui::kDefaultColor;
};

class Control {
  public:
    Control(Form& owner, const ControlRow& row);
    Control(const Control&) = delete;
    Control& operator=(const Control&) = delete;

    const std::string& Name() const { return name_; }
    ControlKind Kind() const { return view_.kind; }
    // Position in its control array; -1 for a control on its own.
    int Index() const { return index_; }

    const std::string& Caption() const { return view_.caption; }
    void SetCaption(std::string caption);
    // The text of a text box (the same property as the caption).
    const std::string& Text() const { return view_.caption; }
    void SetText(std::string text) { SetCaption(std::move(text)); }

    int Left() const { return view_.left; }
    int Top() const { return view_.top; }
    int Width() const { return view_.width; }
    int Height() const { return view_.height; }
    void SetLeft(int left);
    void SetTop(int top);
    void SetWidth(int width);
    void SetHeight(int height);

    bool Visible() const { return view_.visible; }
    void SetVisible(bool visible);
    bool Enabled() const { return view_.enabled; }
    void SetEnabled(bool enabled);
    bool Bold() const { return view_.bold; }
    void SetBold(bool bold);
    const std::string& ToolTipText() const { return view_.tooltip; }
    void SetToolTipText(std::string tooltip);
    bool IsDefault() const { return view_.isDefault; }
    bool IsCancel() const { return view_.isCancel; }

    // Check box 0/1, option 0/1. Setting it from the program runs the click
    // logic exactly as a user's click does, when the value changes.
    int Value() const { return view_.value; }
    void SetValue(int value);

    // List box items with their item data.
    void AddItem(std::string text, long data = 0);
    void RemoveItem(int index);
    int ListCount() const { return static_cast<int>(view_.items.size()); }
    std::string List(int index) const;
    long ItemData(int index) const;
    bool Selected(int index) const;
    void SetSelected(int index, bool selected);

    const std::string& Picture() const { return view_.picture; }
    void SetPicture(std::string resourceName);
    // A custom mouse pointer (a cursor resource) over the control.
    const std::string& MouseIcon() const { return view_.cursor; }
    void SetMouseIcon(std::string cursorResource);

    // Gives the control the keyboard focus.
    void SetFocus();

    // What a click by the user does; the renderer and tests call this.
    // Buttons, links and labels run their handler, a check box toggles, an
    // option becomes the selected one of its group. Ignored while the control
    // is hidden or disabled, as a user could not click it either.
    void Click();

    // The handler, for a control on its own (arrays have one for all). For a
    // text box and a list box it runs when the user changes text or selection.
    std::function<void()> onClick;
    // A key pressed while the control has the focus; true when handled.
    std::function<bool(int keyCode, int shift)> onKeyDown;

  private:
    friend class Form;
    friend class ControlArray;

    void Changed();
    void RunClickLogic();
    // Edits the user made in the window itself: taken over without sending
    // them back to the window.
    void TakeUserText(const std::string& text);
    void TakeUserSelection(const std::vector<bool>& selected);

    Form& owner_;
    std::string name_;
    platform::gui::ControlView view_;
    int tabIndex_ = 0;
    std::size_t windowIndex_ = 0;
    ControlArray* array_ = nullptr;
    int index_ = -1;
};

// Controls addressed by index (an option group, for example), sharing one
// handler that receives the index. Indexes start at `firstIndex`, so that a
// group can be numbered by the values its options stand for.
class ControlArray {
  public:
    ControlArray(Form& owner, std::initializer_list<ControlRow> rows, int firstIndex = 0);
    ControlArray(const ControlArray&) = delete;
    ControlArray& operator=(const ControlArray&) = delete;

    Control& operator[](int index) { return *controls_.at(Position(index)); }
    const Control& operator[](int index) const { return *controls_.at(Position(index)); }
    int FirstIndex() const { return firstIndex_; }
    int LastIndex() const { return firstIndex_ + Count() - 1; }
    int Count() const { return static_cast<int>(controls_.size()); }

    std::function<void(int index)> onClick;

  private:
    friend class Control;
    std::size_t Position(int index) const {
        // Out of range becomes a huge position, which at() refuses.
        return static_cast<std::size_t>(static_cast<long long>(index) - firstIndex_);
    }

    int firstIndex_;
    std::vector<std::unique_ptr<Control>> controls_;
};

}  // namespace ui
