// The child windows of a page, one for every control the page window does not
// paint itself: made from the views, kept in step with them, with their tool
// tips, and the keyboard focus parked while its control is away.
#pragma once

#include <windows.h>

#include <cstddef>
#include <string>
#include <vector>

#include "platform/PageWindow.h"
#include "platform/gui/Win32DpiFonts.h"

namespace platform::gui {

// A child's control ID is this plus the index of its control.
inline constexpr int kFirstControlId = 100;

class ChildControls {
  public:
    ChildControls(const std::vector<ControlView>& views, const FontSet& fonts)
        : views_(views), fonts_(fonts) {}

    // A child of `parent` for every control that has one, and the tool tip
    // window once a control has a tip.
    void Create(HWND parent, int dpi);
    // Brings the child in line with its control's view; `before` is the view
    // it showed until now.
    void Update(std::size_t index, const ControlView& before, int dpi);
    // Every child takes the fonts made for the DPI and its place at it.
    void Relayout(int dpi);
    // The windows are gone with their parent.
    void Forget();

    // nullptr when the control has no child window.
    HWND At(std::size_t index) const;
    // kNoControl for a window that is none of the children.
    std::size_t IndexOf(HWND child) const;
    const std::vector<HWND>& Windows() const { return children_; }
    // What the user typed into a text box.
    std::string TypedText(std::size_t index) const;
    // Which items of a list box are selected.
    std::vector<bool> Selection(std::size_t index) const;
    // The edit notification comes from the program setting the text, not the user.
    bool SettingText() const { return settingText_; }

  private:
    void CreateChild(std::size_t index, int dpi);
    void AddTooltip(std::size_t index);
    bool HasTooltipWindow();
    void PlaceChild(std::size_t index, int dpi);
    void ApplyValue(std::size_t index, const ControlView* before);
    void ApplyItems(std::size_t index, const ControlView* before);
    void FillList(std::size_t index);
    void ApplyLook(std::size_t index, const ControlView& before, int dpi);
    void ApplyAvailability(std::size_t index, const ControlView& before);
    void ParkFocus(HWND child);
    void UnparkFocus(HWND child);

    const std::vector<ControlView>& views_;
    const FontSet& fonts_;
    HWND parent_ = nullptr;
    HWND tooltip_ = nullptr;
    std::vector<HWND> children_;
    HWND parkedFrom_ = nullptr, parkedAt_ = nullptr;
    bool settingText_ = false;
};

}  // namespace platform::gui
