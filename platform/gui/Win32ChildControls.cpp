#include "platform/gui/Win32ChildControls.h"

#include <commctrl.h>

#include "platform/TextConversion.h"
#include "platform/gui/ControlClasses.h"
#include "platform/gui/Win32ChildKeys.h"

namespace platform::gui {
namespace {

// The text as the window shows it. A multi-line edit control breaks lines
// only at CR LF; a text with lines ended by CR or LF alone would run together.
std::string WindowTextOf(const ControlView& view) {
    if (view.kind == ControlKind::ListBox) return {};
    if (view.kind != ControlKind::TextBox || !view.multiLine) return view.caption;
    std::string text;
    text.reserve(view.caption.size());
    for (std::size_t i = 0; i < view.caption.size(); ++i) {
        const char c = view.caption[i];
        if (c == '\r' || c == '\n') {
            text += "\r\n";
            if (c == '\r' && i + 1 < view.caption.size() && view.caption[i + 1] == '\n') ++i;
        } else {
            text += c;
        }
    }
    return text;
}

bool SameItems(const ControlView& before, const ControlView& view) {
    if (before.items.size() != view.items.size()) return false;
    for (std::size_t i = 0; i < view.items.size(); ++i) {
        if (before.items[i].text != view.items[i].text ||
            before.items[i].data != view.items[i].data) {
            return false;
        }
    }
    return true;
}

}  // namespace

void ChildControls::Create(HWND parent, int dpi) {
    parent_ = parent;
    children_.assign(views_.size(), nullptr);
    for (std::size_t i = 0; i < views_.size(); ++i) CreateChild(i, dpi);
}

void ChildControls::CreateChild(std::size_t index, int dpi) {
    const ControlView& view = views_[index];
    const ControlClass& kind = ClassOf(view.kind);
    if (kind.windowClass == nullptr) return;
    const RECT r = PixelRectOf(view, dpi);
    const std::string text = WindowTextOf(view);
    HWND child =
        CreateWindowExW(kind.exStyle, kind.windowClass, ToWide(text).c_str(), StyleOf(view), r.left, r.top,
                        r.right - r.left, r.bottom - r.top, parent_,
                        reinterpret_cast<HMENU>(static_cast<INT_PTR>(kFirstControlId + index)),
                        GetModuleHandleW(nullptr), nullptr);
    children_[index] = child;
    if (child == nullptr) return;
    SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(fonts_.For(view)), FALSE);
    if (HandlesItsOwnKeys(view)) TakeOverKeys(child);
    ApplyValue(index, nullptr);
    AddTooltip(index);
}

// Made with the first tip: a window without any (the notice) needs none.
bool ChildControls::HasTooltipWindow() {
    if (tooltip_ != nullptr) return true;
    tooltip_ = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr,
                               WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, CW_USEDEFAULT,
                               CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, parent_, nullptr,
                               GetModuleHandleW(nullptr), nullptr);
    if (tooltip_ != nullptr) SendMessageW(tooltip_, TTM_SETMAXTIPWIDTH, 0, 400);
    return tooltip_ != nullptr;
}

void ChildControls::AddTooltip(std::size_t index) {
    HWND child = children_[index];
    if (child == nullptr) return;
    if (tooltip_ == nullptr && views_[index].tooltip.empty()) return;
    if (!HasTooltipWindow()) return;
    TTTOOLINFOW tool{};
    tool.cbSize = sizeof(tool);
    tool.hwnd = parent_;
    tool.uId = reinterpret_cast<UINT_PTR>(child);
    SendMessageW(tooltip_, TTM_DELTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
    if (views_[index].tooltip.empty()) return;
    tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    std::wstring tip = ToWide(views_[index].tooltip);
    tool.lpszText = tip.data();
    SendMessageW(tooltip_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
}

void ChildControls::Update(std::size_t index, const ControlView& before, int dpi) {
    const ControlView& view = views_[index];
    ApplyValue(index, &before);
    if (before.caption != view.caption && view.kind != ControlKind::ListBox) {
        settingText_ = true;
        SetWindowTextW(children_[index], ToWide(WindowTextOf(view)).c_str());
        settingText_ = false;
    }
    ApplyLook(index, before, dpi);
    ApplyAvailability(index, before);
    if (before.tooltip != view.tooltip) AddTooltip(index);
}

// The check mark and the list's items; `before` is nullptr right after creation.
void ChildControls::ApplyValue(std::size_t index, const ControlView* before) {
    const ControlView& view = views_[index];
    switch (view.kind) {
        case ControlKind::CheckBox:
        case ControlKind::Option:
            if (before == nullptr || before->value != view.value) {
                SendMessageW(children_[index], BM_SETCHECK,
                             view.value != 0 ? BST_CHECKED : BST_UNCHECKED, 0);
            }
            break;
        case ControlKind::ListBox:
            ApplyItems(index, before);
            break;
        default:
            break;
    }
}

// Other items fill the list anew; the same items change their selection only.
void ChildControls::ApplyItems(std::size_t index, const ControlView* before) {
    const ControlView& view = views_[index];
    if (before == nullptr || !SameItems(*before, view)) {
        FillList(index);
        return;
    }
    for (std::size_t i = 0; i < view.items.size(); ++i) {
        if (before->items[i].selected != view.items[i].selected) {
            SendMessageW(children_[index], LB_SETSEL, view.items[i].selected,
                         static_cast<LPARAM>(i));
        }
    }
}

void ChildControls::FillList(std::size_t index) {
    HWND list = children_[index];
    SendMessageW(list, WM_SETREDRAW, FALSE, 0);
    SendMessageW(list, LB_RESETCONTENT, 0, 0);
    for (const ListItem& item : views_[index].items) {
        const std::wstring text = ToWide(item.text);
        const LRESULT at = SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
        if (at < 0) continue;
        SendMessageW(list, LB_SETITEMDATA, static_cast<WPARAM>(at), item.data);
        if (item.selected) SendMessageW(list, LB_SETSEL, TRUE, at);
    }
    SendMessageW(list, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(list, nullptr, TRUE);
}

// Place, font and the styles that follow the view's flags.
void ChildControls::ApplyLook(std::size_t index, const ControlView& before, int dpi) {
    HWND child = children_[index];
    const ControlView& view = views_[index];
    if (before.left != view.left || before.top != view.top || before.width != view.width ||
        before.height != view.height) {
        PlaceChild(index, dpi);
    }
    if (before.bold != view.bold || before.heading != view.heading) {
        SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(fonts_.For(view)), TRUE);
        if (view.kind == ControlKind::Link) InvalidateRect(child, nullptr, TRUE);
    }
    if (before.isDefault != view.isDefault || before.multiLine != view.multiLine) {
        SetWindowLongPtrW(child, GWL_STYLE, static_cast<LONG_PTR>(StyleOf(view)));
        if (view.kind == ControlKind::Button) {
            SendMessageW(child, BM_SETSTYLE, StyleOf(view) & BS_TYPEMASK, TRUE);
        }
        InvalidateRect(child, nullptr, TRUE);
    }
}

void ChildControls::ApplyAvailability(std::size_t index, const ControlView& before) {
    HWND child = children_[index];
    const ControlView& view = views_[index];
    const bool takenAway = (before.enabled && !view.enabled) || (before.visible && !view.visible);
    if (takenAway) ParkFocus(child);
    if (before.enabled != view.enabled) EnableWindow(child, view.enabled ? TRUE : FALSE);
    if (before.visible != view.visible) ShowWindow(child, view.visible ? SW_SHOWNA : SW_HIDE);
    if (!takenAway) UnparkFocus(child);
}

// A control that is disabled or hidden while it has the focus would take the
// keyboard with it: the focus moves on to the next control that takes it,
// and comes back when the control does, unless the user moved it meanwhile.
void ChildControls::ParkFocus(HWND child) {
    if (GetFocus() != child) return;
    HWND next = GetNextDlgTabItem(parent_, child, FALSE);
    if (next == nullptr || next == child) return;
    SetFocus(next);
    parkedFrom_ = child;
    parkedAt_ = next;
}

void ChildControls::UnparkFocus(HWND child) {
    if (child != parkedFrom_ || !IsWindowEnabled(child) || !IsWindowVisible(child)) return;
    if (GetFocus() == parkedAt_) SetFocus(child);
    parkedFrom_ = parkedAt_ = nullptr;
}

void ChildControls::PlaceChild(std::size_t index, int dpi) {
    const RECT r = PixelRectOf(views_[index], dpi);
    MoveWindow(children_[index], r.left, r.top, r.right - r.left, r.bottom - r.top, TRUE);
    // A label that moves onto or off a coloured area changes its background.
    InvalidateRect(children_[index], nullptr, TRUE);
}

void ChildControls::Relayout(int dpi) {
    for (std::size_t i = 0; i < children_.size(); ++i) {
        if (children_[i] == nullptr) continue;
        SendMessageW(children_[i], WM_SETFONT, reinterpret_cast<WPARAM>(fonts_.For(views_[i])),
                     FALSE);
        PlaceChild(i, dpi);
    }
}

void ChildControls::Forget() {
    parent_ = nullptr;
    tooltip_ = nullptr;
    children_.assign(children_.size(), nullptr);
}

HWND ChildControls::At(std::size_t index) const {
    return index < children_.size() ? children_[index] : nullptr;
}

std::size_t ChildControls::IndexOf(HWND child) const {
    for (std::size_t i = 0; i < children_.size(); ++i) {
        if (children_[i] == child && child != nullptr) return i;
    }
    return kNoControl;
}

std::string ChildControls::TypedText(std::size_t index) const {
    HWND edit = children_[index];
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(edit)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(
        GetWindowTextW(edit, text.data(), static_cast<int>(text.size()))));
    return FromWide(text);
}

std::vector<bool> ChildControls::Selection(std::size_t index) const {
    std::vector<bool> selected(views_[index].items.size());
    for (std::size_t i = 0; i < selected.size(); ++i) {
        selected[i] = SendMessageW(children_[index], LB_GETSEL, i, 0) > 0;
    }
    return selected;
}

}  // namespace platform::gui
