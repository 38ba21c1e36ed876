#include "platform/gui/Win32PageWindow.h"

#include <windows.h>
// after windows.h, which it needs
#include <commctrl.h>

#include <vector>

#include "platform/gui/ControlClasses.h"
#include "platform/gui/KeyPreview.h"
#include "platform/gui/Layout.h"
#include "platform/gui/ScreenPointer.h"
#include "platform/gui/Win32ChildKeys.h"
#include "platform/gui/Win32DpiFonts.h"
#include "platform/gui/Win32Painting.h"

namespace platform::gui {
namespace {

constexpr const char* kWindowClass = "ZevrinPageWindow";
constexpr int kFirstControlId = 100;

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

class Win32PageWindow final : public PageWindow {
  public:
    Win32PageWindow(const WindowView& view, WindowEvents& events)
        : views_(view.controls), events_(events), caption_(view.caption) {
        Create(view);
    }
    ~Win32PageWindow() override { Destroy(); }

    bool IsCreated() const { return hwnd_ != nullptr; }

    void UpdateControl(std::size_t index, const ControlView& view) override;
    void SetCaption(const std::string& caption) override {
        caption_ = caption;
        if (hwnd_ != nullptr) SetWindowTextA(hwnd_, caption.c_str());
    }
    void MoveTo(int left, int top) override {
        if (hwnd_ == nullptr) return;
        const int dpi = SystemDpi();
        SetWindowPos(hwnd_, nullptr, TwipsToPixels(left, dpi), TwipsToPixels(top, dpi), 0, 0,
                     SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    Rect OuterRect() const override {
        RECT r{};
        if (hwnd_ == nullptr || !GetWindowRect(hwnd_, &r)) return {};
        const int dpi = SystemDpi();
        return {PixelsToTwips(r.left, dpi), PixelsToTwips(r.top, dpi),
                PixelsToTwips(r.right - r.left, dpi), PixelsToTwips(r.bottom - r.top, dpi)};
    }
    void Show() override {
        if (hwnd_ == nullptr) return;
        ShowWindow(hwnd_, SW_SHOW);
        SetForegroundWindow(hwnd_);
        if (HWND focus = InitialFocus()) SetFocus(focus);
        UpdateWindow(hwnd_);
    }
    void SetEnabled(bool enabled) override {
        if (hwnd_ != nullptr) EnableWindow(hwnd_, enabled ? TRUE : FALSE);
    }
    void Destroy() override {
        if (hwnd_ != nullptr) DestroyWindow(hwnd_);
        hwnd_ = nullptr;
    }
    void SetTimer(int timerId, unsigned milliseconds) override {
        if (hwnd_ == nullptr) return;
        if (milliseconds == 0) {
            KillTimer(hwnd_, static_cast<UINT_PTR>(timerId));
        } else {
            ::SetTimer(hwnd_, static_cast<UINT_PTR>(timerId), milliseconds, nullptr);
        }
    }
    void FocusControl(std::size_t index) override {
        if (index < children_.size() && children_[index] != nullptr) ::SetFocus(children_[index]);
    }

  private:
    static LRESULT CALLBACK Procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam);

    void Create(const WindowView& view);
    void CreateChild(std::size_t index);
    void AddTooltip(std::size_t index);
    void PlaceChild(std::size_t index);
    void ParkFocus(HWND child);
    void UnparkFocus(HWND child);
    void ApplyChildState(std::size_t index, const ControlView* before);
    void FillList(std::size_t index);
    void OnCommand(int id, int code);
    std::size_t FindRole(bool cancel) const;
    HWND InitialFocus() const;
    std::size_t IndexOf(HWND child) const;
    void Relayout();

    HWND hwnd_ = nullptr;
    HWND tooltip_ = nullptr;
    std::vector<HWND> children_;
    std::vector<ControlView> views_;
    WindowEvents& events_;
    std::string caption_;
    int dpi_ = 96;
    FontSet fonts_;
    PagePainter painter_{views_, fonts_};
    HWND savedFocus_ = nullptr;
    HWND parkedFrom_ = nullptr, parkedAt_ = nullptr;
    bool settingText_ = false;  // edit notifications caused by the program itself
};

constexpr std::size_t kNone = static_cast<std::size_t>(-1);

void RegisterWindowClass() {
    static bool registered = false;
    if (registered) return;
    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);
    WNDCLASSEXA windowClass{};
    windowClass.cbSize = sizeof(windowClass);
    windowClass.lpfnWndProc = &DefWindowProcA;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.hIcon = LoadIconA(windowClass.hInstance, MAKEINTRESOURCEA(1));
    windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    windowClass.lpszClassName = kWindowClass;
    registered = RegisterClassExA(&windowClass) != 0;
}

DWORD WindowStyle(const WindowView& view) {
    DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_CLIPCHILDREN;
    if (view.hasCloseBox) style |= WS_SYSMENU | WS_MINIMIZEBOX;
    return style;
}

constexpr DWORD kWindowExStyle = WS_EX_CONTROLPARENT;

void Win32PageWindow::Create(const WindowView& view) {
    RegisterWindowClass();
    const DWORD style = WindowStyle(view);
    const int systemDpi = SystemDpi();
    RECT frame{0, 0, TwipsToPixels(view.clientWidth, systemDpi),
               TwipsToPixels(view.clientHeight, systemDpi)};
    AdjustWindowRectExForDpi(&frame, style, FALSE, kWindowExStyle, static_cast<UINT>(systemDpi));
    const int x = view.left < 0 ? CW_USEDEFAULT : TwipsToPixels(view.left, systemDpi);
    const int y = view.top < 0 ? CW_USEDEFAULT : TwipsToPixels(view.top, systemDpi);
    // Created with the default procedure; ours takes over once `this` is attached.
    hwnd_ = CreateWindowExA(kWindowExStyle, kWindowClass, caption_.c_str(), style, x, y,
                            frame.right - frame.left, frame.bottom - frame.top, nullptr, nullptr,
                            GetModuleHandleA(nullptr), nullptr);
    if (hwnd_ == nullptr) return;
    SetWindowLongPtrA(hwnd_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    SetWindowLongPtrA(hwnd_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&Procedure));

    dpi_ = static_cast<int>(GetDpiForWindow(hwnd_));
    if (dpi_ <= 0) dpi_ = systemDpi;
    if (dpi_ != systemDpi) {
        RECT scaled{0, 0, TwipsToPixels(view.clientWidth, dpi_),
                    TwipsToPixels(view.clientHeight, dpi_)};
        AdjustWindowRectExForDpi(&scaled, style, FALSE, kWindowExStyle, static_cast<UINT>(dpi_));
        SetWindowPos(hwnd_, nullptr, 0, 0, scaled.right - scaled.left, scaled.bottom - scaled.top,
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    fonts_.Create(dpi_);
    tooltip_ = CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr,
                               WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, CW_USEDEFAULT,
                               CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, hwnd_, nullptr,
                               GetModuleHandleA(nullptr), nullptr);
    if (tooltip_ != nullptr) SendMessageA(tooltip_, TTM_SETMAXTIPWIDTH, 0, 400);
    children_.assign(views_.size(), nullptr);
    for (std::size_t i = 0; i < views_.size(); ++i) CreateChild(i);
}

void Win32PageWindow::CreateChild(std::size_t index) {
    const ControlView& view = views_[index];
    const ControlClass& kind = ClassOf(view.kind);
    if (kind.windowClass == nullptr) return;
    const RECT r = PixelRectOf(view, dpi_);
    const std::string text = WindowTextOf(view);
    HWND child =
        CreateWindowExA(kind.exStyle, kind.windowClass, text.c_str(), StyleOf(view), r.left, r.top,
                        r.right - r.left, r.bottom - r.top, hwnd_,
                        reinterpret_cast<HMENU>(static_cast<INT_PTR>(kFirstControlId + index)),
                        GetModuleHandleA(nullptr), nullptr);
    children_[index] = child;
    if (child == nullptr) return;
    SendMessageA(child, WM_SETFONT, reinterpret_cast<WPARAM>(fonts_.For(view)), FALSE);
    if (HandlesItsOwnKeys(view)) TakeOverKeys(child);
    ApplyChildState(index, nullptr);
    AddTooltip(index);
}

void Win32PageWindow::AddTooltip(std::size_t index) {
    HWND child = children_[index];
    if (tooltip_ == nullptr || child == nullptr) return;
    TTTOOLINFOA tool{};
    tool.cbSize = sizeof(tool);
    tool.hwnd = hwnd_;
    tool.uId = reinterpret_cast<UINT_PTR>(child);
    SendMessageA(tooltip_, TTM_DELTOOLA, 0, reinterpret_cast<LPARAM>(&tool));
    if (views_[index].tooltip.empty()) return;
    tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    tool.lpszText = const_cast<char*>(views_[index].tooltip.c_str());
    SendMessageA(tooltip_, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&tool));
}

void Win32PageWindow::FillList(std::size_t index) {
    HWND list = children_[index];
    SendMessageA(list, WM_SETREDRAW, FALSE, 0);
    SendMessageA(list, LB_RESETCONTENT, 0, 0);
    for (const ListItem& item : views_[index].items) {
        const LRESULT at =
            SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item.text.c_str()));
        if (at < 0) continue;
        SendMessageA(list, LB_SETITEMDATA, static_cast<WPARAM>(at), item.data);
        if (item.selected) SendMessageA(list, LB_SETSEL, TRUE, at);
    }
    SendMessageA(list, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(list, nullptr, TRUE);
}

// Brings a child window in line with its view; `before` is the view it showed
// until now (nullptr right after creation).
void Win32PageWindow::ApplyChildState(std::size_t index, const ControlView* before) {
    HWND child = children_[index];
    const ControlView& view = views_[index];
    const bool fresh = before == nullptr;
    switch (view.kind) {
        case ControlKind::CheckBox:
        case ControlKind::Option:
            if (fresh || before->value != view.value) {
                SendMessageA(child, BM_SETCHECK, view.value != 0 ? BST_CHECKED : BST_UNCHECKED, 0);
            }
            break;
        case ControlKind::ListBox: {
            bool sameItems = !fresh && before->items.size() == view.items.size();
            for (std::size_t i = 0; sameItems && i < view.items.size(); ++i) {
                sameItems = before->items[i].text == view.items[i].text &&
                            before->items[i].data == view.items[i].data;
            }
            if (!sameItems) {
                FillList(index);
            } else {
                for (std::size_t i = 0; i < view.items.size(); ++i) {
                    if (before->items[i].selected != view.items[i].selected) {
                        SendMessageA(child, LB_SETSEL, view.items[i].selected,
                                     static_cast<LPARAM>(i));
                    }
                }
            }
            break;
        }
        default:
            break;
    }
    if (fresh) return;
    if (before->caption != view.caption && view.kind != ControlKind::ListBox) {
        settingText_ = true;
        SetWindowTextA(child, WindowTextOf(view).c_str());
        settingText_ = false;
    }
    if (before->left != view.left || before->top != view.top || before->width != view.width ||
        before->height != view.height) {
        PlaceChild(index);
    }
    if (before->bold != view.bold || before->heading != view.heading) {
        SendMessageA(child, WM_SETFONT, reinterpret_cast<WPARAM>(fonts_.For(view)), TRUE);
        if (view.kind == ControlKind::Link) InvalidateRect(child, nullptr, TRUE);
    }
    if (before->isDefault != view.isDefault || before->multiLine != view.multiLine) {
        SetWindowLongPtrA(child, GWL_STYLE, static_cast<LONG_PTR>(StyleOf(view)));
        if (view.kind == ControlKind::Button) {
            SendMessageA(child, BM_SETSTYLE, StyleOf(view) & BS_TYPEMASK, TRUE);
        }
        InvalidateRect(child, nullptr, TRUE);
    }
    const bool takenAway = (before->enabled && !view.enabled) || (before->visible && !view.visible);
    if (takenAway) ParkFocus(child);
    if (before->enabled != view.enabled) EnableWindow(child, view.enabled ? TRUE : FALSE);
    if (before->visible != view.visible) ShowWindow(child, view.visible ? SW_SHOWNA : SW_HIDE);
    if (!takenAway) UnparkFocus(child);
    if (before->tooltip != view.tooltip) AddTooltip(index);
}

// A control that is disabled or hidden while it has the focus would take the
// keyboard with it: the focus moves on to the next control that takes it,
// and comes back when the control does, unless the user moved it meanwhile.
void Win32PageWindow::ParkFocus(HWND child) {
    if (GetFocus() != child) return;
    HWND next = GetNextDlgTabItem(hwnd_, child, FALSE);
    if (next == nullptr || next == child) return;
    SetFocus(next);
    parkedFrom_ = child;
    parkedAt_ = next;
}

void Win32PageWindow::UnparkFocus(HWND child) {
    if (child != parkedFrom_ || !IsWindowEnabled(child) || !IsWindowVisible(child)) return;
    if (GetFocus() == parkedAt_) SetFocus(child);
    parkedFrom_ = parkedAt_ = nullptr;
}

void Win32PageWindow::PlaceChild(std::size_t index) {
    const RECT r = PixelRectOf(views_[index], dpi_);
    MoveWindow(children_[index], r.left, r.top, r.right - r.left, r.bottom - r.top, TRUE);
    // A label that moves onto or off a coloured area changes its background.
    InvalidateRect(children_[index], nullptr, TRUE);
}

void Win32PageWindow::UpdateControl(std::size_t index, const ControlView& view) {
    if (index >= views_.size()) return;
    const ControlView before = views_[index];
    views_[index] = view;
    if (hwnd_ == nullptr) return;
    if (IsPainted(view.kind)) {
        RECT oldRect = PixelRectOf(before, dpi_);
        RECT newRect = PixelRectOf(view, dpi_);
        InvalidateRect(hwnd_, &oldRect, FALSE);
        InvalidateRect(hwnd_, &newRect, FALSE);
        if (view.kind == ControlKind::Area) {
            // Labels lying on the area repaint their background.
            for (HWND child : children_) {
                if (child != nullptr) InvalidateRect(child, nullptr, TRUE);
            }
        }
        return;
    }
    if (children_[index] != nullptr) ApplyChildState(index, &before);
}

void Win32PageWindow::Relayout() {
    fonts_.Create(dpi_);
    for (std::size_t i = 0; i < children_.size(); ++i) {
        if (children_[i] == nullptr) continue;
        SendMessageA(children_[i], WM_SETFONT, reinterpret_cast<WPARAM>(fonts_.For(views_[i])),
                     FALSE);
        PlaceChild(i);
    }
    InvalidateRect(hwnd_, nullptr, TRUE);
}

std::size_t Win32PageWindow::IndexOf(HWND child) const {
    for (std::size_t i = 0; i < children_.size(); ++i) {
        if (children_[i] == child && child != nullptr) return i;
    }
    return kNone;
}

std::size_t Win32PageWindow::FindRole(bool cancel) const {
    for (std::size_t i = 0; i < views_.size(); ++i) {
        const ControlView& view = views_[i];
        if (view.kind != ControlKind::Button || !view.visible || !view.enabled) continue;
        if (cancel ? view.isCancel : view.isDefault) return i;
    }
    return kNone;
}

HWND Win32PageWindow::InitialFocus() const {
    const std::size_t byDefault = FindRole(false);
    if (byDefault != kNone && children_[byDefault] != nullptr) return children_[byDefault];
    for (HWND child : children_) {
        if (child != nullptr && IsWindowVisible(child) && IsWindowEnabled(child) &&
            (GetWindowLongPtrA(child, GWL_STYLE) & WS_TABSTOP) != 0) {
            return child;
        }
    }
    return nullptr;
}

void Win32PageWindow::OnCommand(int id, int code) {
    if (id == IDOK || id == IDCANCEL) {
        // Enter without a focused button, and Esc, as the dialog manager sends them.
        const std::size_t index = FindRole(id == IDCANCEL);
        if (index != kNone) events_.OnClicked(index);
        return;
    }
    if (id < kFirstControlId) return;
    const std::size_t index = static_cast<std::size_t>(id - kFirstControlId);
    if (index >= views_.size()) return;
    const ControlView& view = views_[index];
    switch (view.kind) {
        case ControlKind::Button:
        case ControlKind::CheckBox:
        case ControlKind::Option:
        case ControlKind::Link:
        case ControlKind::Label:
            if (code == BN_CLICKED && view.enabled && view.visible) events_.OnClicked(index);
            break;
        case ControlKind::TextBox:
            if (code == EN_CHANGE && !settingText_) {
                HWND edit = children_[index];
                std::string text(static_cast<std::size_t>(GetWindowTextLengthA(edit)) + 1, '\0');
                text.resize(static_cast<std::size_t>(
                    GetWindowTextA(edit, text.data(), static_cast<int>(text.size()))));
                events_.OnTextEdited(index, text);
            }
            break;
        case ControlKind::ListBox:
            if (code == LBN_SELCHANGE) {
                std::vector<bool> selected(view.items.size());
                for (std::size_t i = 0; i < selected.size(); ++i) {
                    selected[i] = SendMessageA(children_[index], LB_GETSEL, i, 0) > 0;
                }
                events_.OnSelectionChanged(index, selected);
            }
            break;
        default:
            break;
    }
}

LRESULT CALLBACK Win32PageWindow::Procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* self = reinterpret_cast<Win32PageWindow*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
    if (self == nullptr) return DefWindowProcA(hwnd, message, wParam, lParam);
    if (message == WM_NCDESTROY) {
        SetWindowLongPtrA(hwnd, GWLP_USERDATA, 0);
        self->hwnd_ = nullptr;
        self->tooltip_ = nullptr;
        self->children_.assign(self->children_.size(), nullptr);
        return DefWindowProcA(hwnd, message, wParam, lParam);
    }
    try {
        return self->Handle(message, wParam, lParam);
    } catch (...) {
        // No failure of a handler may leave through the system's frames.
        return 0;
    }
}

int ShiftState() {
    int shift = 0;
    if (GetKeyState(VK_SHIFT) < 0) shift |= kShiftKey;
    if (GetKeyState(VK_CONTROL) < 0) shift |= kCtrlKey;
    if (GetKeyState(VK_MENU) < 0) shift |= kAltKey;
    return shift;
}

LRESULT Win32PageWindow::Handle(UINT message, WPARAM wParam, LPARAM lParam) {
    HWND hwnd = hwnd_;
    if (message == KeyPreviewMessage()) {
        const std::size_t control = IndexOf(reinterpret_cast<HWND>(lParam));
        return events_.OnKeyDown(control == kNone ? kNoControl : control, static_cast<int>(wParam),
                                 ShiftState())
                   ? 1
                   : 0;
    }
    switch (message) {
        case WM_COMMAND:
            OnCommand(LOWORD(wParam), HIWORD(wParam));
            return 0;
        case DM_GETDEFID: {
            const std::size_t index = FindRole(false);
            if (index == kNone) return 0;
            return MAKELRESULT(kFirstControlId + index, DC_HASDEFID);
        }
        case WM_CTLCOLORSTATIC:
        case WM_CTLCOLORBTN: {
            const std::size_t index = IndexOf(reinterpret_cast<HWND>(lParam));
            return reinterpret_cast<LRESULT>(
                painter_.ColorChild(reinterpret_cast<HDC>(wParam), index));
        }
        case WM_DRAWITEM: {
            const auto& item = *reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
            painter_.DrawLink(item, IndexOf(item.hwndItem));
            return TRUE;
        }
        case WM_NEXTDLGCTL: {
            // What the dialog manager asks of a dialog, for controls that move
            // the focus themselves.
            HWND target = LOWORD(lParam) != 0
                              ? reinterpret_cast<HWND>(wParam)
                              : GetNextDlgTabItem(hwnd, GetFocus(), wParam != 0 ? TRUE : FALSE);
            if (target != nullptr) SetFocus(target);
            return 0;
        }
        case WM_ERASEBKGND:
            return 1;  // WM_PAINT paints everything, without flicker
        case WM_PAINT:
            painter_.PaintBuffered(hwnd, dpi_);
            return 0;
        case WM_PRINTCLIENT: {
            RECT client;
            GetClientRect(hwnd, &client);
            painter_.Paint(reinterpret_cast<HDC>(wParam), client, dpi_);
            return 0;
        }
        case WM_SETCURSOR: {
            if (ApplyScreenPointer()) return TRUE;
            const std::size_t index = IndexOf(reinterpret_cast<HWND>(wParam));
            if (index != kNone && !views_[index].cursor.empty() && views_[index].enabled) {
                SetCursor(painter_.CursorNamed(views_[index].cursor));
                return TRUE;
            }
            break;
        }
        case WM_ACTIVATE:
            if (LOWORD(wParam) == WA_INACTIVE) {
                HWND focus = GetFocus();
                if (focus != nullptr && IsChild(hwnd, focus)) savedFocus_ = focus;
            } else {
                HWND focus = savedFocus_;
                if (focus == nullptr || !IsWindow(focus) || !IsWindowVisible(focus) ||
                    !IsWindowEnabled(focus)) {
                    focus = InitialFocus();
                }
                if (focus != nullptr) SetFocus(focus);
            }
            return 0;
        case WM_TIMER:
            events_.OnTimer(static_cast<int>(wParam));
            return 0;
        case WM_CLOSE:
            events_.OnCloseRequested();
            return 0;
        case WM_DPICHANGED: {
            dpi_ = HIWORD(wParam);
            const RECT* suggested = reinterpret_cast<const RECT*>(lParam);
            SetWindowPos(hwnd, nullptr, suggested->left, suggested->top,
                         suggested->right - suggested->left, suggested->bottom - suggested->top,
                         SWP_NOZORDER | SWP_NOACTIVATE);
            Relayout();
            return 0;
        }
        default:
            break;
    }
    return DefWindowProcA(hwnd, message, wParam, lParam);
}

}  // namespace

std::unique_ptr<PageWindow> CreateWin32PageWindow(const WindowView& view, WindowEvents& events) {
    auto window = std::make_unique<Win32PageWindow>(view, events);
    if (!window->IsCreated()) return nullptr;
    return window;
}

}  // namespace platform::gui
