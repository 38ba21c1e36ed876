// What the page renderer shows and reports, without a window handle in sight:
// the page window's side of the seam. The forms of ui/ describe their
// controls with these views; the Win32 renderer in platform/gui/ (and the
// test double) turns them into windows.
#pragma once

#include <array>
#include <cstddef>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace platform::gui {

enum class ControlKind {
    Label,   // static text, bold and multi-line as flagged
    Button,  // push button; default (Enter) and cancel (Esc) roles
    CheckBox,
    Option,  // one option of a group addressed by index
    TextBox,
    ListBox,         // multi-select, with item data
    Link,            // text that looks and acts like a hyperlink; a Tab stop
    Picture,         // a picture resource, painted with its transparency
    Line,            // etched separator, horizontal or vertical by its shape
    Area,            // a filled background rectangle (header band)
    Frame,           // group box
    ProgressTrough,  // sunken well of a progress bar
    ProgressFill,    // the bar inside it; its width shows the progress
    Count
};

inline constexpr std::array<std::string_view, static_cast<std::size_t>(ControlKind::Count)>
    kControlKindNames{"Label",   "Button",         "CheckBox",    "Option", "TextBox",
                      "ListBox", "Link",           "Picture",     "Line",   "Area",
                      "Frame",   "ProgressTrough", "ProgressFill"};
static_assert(kControlKindNames.size() == static_cast<std::size_t>(ControlKind::Count));

// 0xRRGGBB; kDefaultColor lets the renderer choose the system colour.
inline constexpr unsigned kDefaultColor = 0xFFFFFFFFu;

struct ListItem {
    std::string text;
    long data = 0;
    bool selected = false;
};

// Positions and sizes are twips (1/1440 inch), relative to the client area.
struct ControlView {
    ControlKind kind = ControlKind::Label;
    std::string caption;
    int left = 0, top = 0, width = 0, height = 0;
    std::string tooltip;
    bool isDefault = false, isCancel = false;
    bool visible = true, enabled = true;
    bool bold = false, multiLine = false, heading = false;
    bool readOnly = false;           // text box the user can read, select and scroll only
    int value = 0;                   // check box 0/1, option selected 0/1
    std::vector<ListItem> items;     // list box
    std::string picture;             // resource name of a picture
    std::string cursor;              // resource name of a custom mouse pointer
    unsigned color = kDefaultColor;  // area and progress fill
    bool startsGroup = false;        // first option of a group (arrow keys stay inside)
};

// The window itself: caption, position (screen twips, top-left of the outer
// frame; -1 = let the system choose) and client size (twips).
struct WindowView {
    std::string caption;
    int left = -1, top = -1;
    int clientWidth = 0, clientHeight = 0;
    bool hasCloseBox = true;
    std::vector<ControlView> controls;
};

struct Rect {
    int left = 0, top = 0, width = 0, height = 0;
};

inline constexpr std::size_t kNoControl = static_cast<std::size_t>(-1);
inline constexpr int kShiftKey = 1, kCtrlKey = 2, kAltKey = 4;
// Key codes, numbered as the virtual-key codes.
inline constexpr int kKeyControl = 0x11, kKeyF1 = 0x70;

// What the user did; a form implements this and the renderer calls it.
class WindowEvents {
  public:
    virtual ~WindowEvents() = default;
    // Mouse click, Space, Enter on the default button, Esc for the cancel
    // button, a mnemonic.
    virtual void OnClicked(std::size_t control) = 0;
    virtual void OnTextEdited(std::size_t control, const std::string& text) = 0;
    virtual void OnSelectionChanged(std::size_t control, const std::vector<bool>& selected) = 0;
    // The title bar's close box or Alt+F4.
    virtual void OnCloseRequested() = 0;
    // A key pressed while the window or one of its controls (`control`;
    // kNoControl for the window itself) has the focus, before the control
    // sees it; `shift` holds kShiftKey, kCtrlKey and kAltKey. True when the
    // key was handled and must go no further.
    virtual bool OnKeyDown(std::size_t control, int keyCode, int shift) = 0;
    virtual void OnTimer(int timerId) = 0;
    // A key or a mouse button pressed on the window or one of its controls,
    // before anything else comes of it. Only the user's own input: what the
    // program does through the controls never arrives here.
    virtual void OnUserInput() = 0;
};

class PageWindow {
  public:
    virtual ~PageWindow() = default;
    virtual void UpdateControl(std::size_t index, const ControlView& view) = 0;
    virtual void SetCaption(const std::string& caption) = 0;
    virtual void MoveTo(int left, int top) = 0;  // screen twips
    // The outer frame in screen twips.
    virtual Rect OuterRect() const = 0;
    virtual void Show() = 0;
    // A disabled window takes no input (while a modal form is open).
    virtual void SetEnabled(bool enabled) = 0;
    // Destroys the window; the object stays valid (and inert) until deleted,
    // so a handler may unload the form whose window is calling it.
    virtual void Destroy() = 0;
    // A timer of period `milliseconds`; 0 stops it.
    virtual void SetTimer(int timerId, unsigned milliseconds) = 0;
    // Gives the control the keyboard focus.
    virtual void FocusControl(std::size_t index) = 0;
};

}  // namespace platform::gui
