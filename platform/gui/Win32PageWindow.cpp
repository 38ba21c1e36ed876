#include "platform/gui/Win32PageWindow.h"

#include <windows.h>
// after windows.h, which it needs
#include <commctrl.h>

#include <vector>

#include "platform/TextConversion.h"
#include "platform/gui/ControlClasses.h"
#include "platform/gui/KeyPreview.h"
#include "platform/gui/Layout.h"
#include "platform/gui/ScreenPointer.h"
#include "platform/gui/Win32ChildControls.h"
#include "platform/gui/Win32DpiFonts.h"
#include "platform/gui/Win32Painting.h"

namespace platform::gui {
namespace {

void RegisterPageWindowClass();

constexpr DWORD kWindowExStyle = WS_EX_CONTROLPARENT;

DWORD WindowStyle(const WindowView& view) {
    DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_CLIPCHILDREN;
    if (view.hasCloseBox) style |= WS_SYSMENU | WS_MINIMIZEBOX;
    return style;
}

// The outer frame around the view's client area at the DPI, at 0,0.
RECT FrameAt(const WindowView& view, DWORD style, int dpi) {
    RECT frame{0, 0, TwipsToPixels(view.clientWidth, dpi), TwipsToPixels(view.clientHeight, dpi)};
    AdjustWindowRectExForDpi(&frame, style, FALSE, kWindowExStyle, static_cast<UINT>(dpi));
    return frame;
}

int ShiftState() {
    int shift = 0;
    if (GetKeyState(VK_SHIFT) < 0) shift |= kShiftKey;
    if (GetKeyState(VK_CONTROL) < 0) shift |= kCtrlKey;
    if (GetKeyState(VK_MENU) < 0) shift |= kAltKey;
    return shift;
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
    void SetCaption(const std::string& caption) override;
    void MoveTo(int left, int top) override;
    Rect OuterRect() const override;
    void Show() override;
    void SetEnabled(bool enabled) override;
    void Destroy() override;
    void SetTimer(int timerId, unsigned milliseconds) override;
    void FocusControl(std::size_t index) override;

  private:
    void Create(const WindowView& view);
    void RepaintArea(const ControlView& before, const ControlView& view);
    std::size_t FindRole(bool cancel) const;
    HWND InitialFocus() const;

    static LRESULT CALLBACK Procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam);
    // One handler for each message the window answers itself.
    bool OnKeyPreview(int keyCode, HWND focused);
    void OnCommand(int id, int code);
    void OnControlNotification(std::size_t index, int code);
    LRESULT OnGetDefaultId() const;
    void OnNextDialogControl(WPARAM wParam, LPARAM lParam);
    void OnPrintClient(HDC dc);
    bool OnSetCursor(HWND child);
    void OnActivate(bool active);
    void OnDpiChanged(int dpi, const RECT& suggested);

    HWND hwnd_ = nullptr;
    std::vector<ControlView> views_;
    WindowEvents& events_;
    std::string caption_;
    int dpi_ = 96;
    FontSet fonts_;
    ChildControls children_{views_, fonts_};
    PagePainter painter_{views_, fonts_};
    HWND savedFocus_ = nullptr;
};

void Win32PageWindow::Create(const WindowView& view) {
    RegisterPageWindowClass();
    const DWORD style = WindowStyle(view);
    const int systemDpi = SystemDpi();
    const RECT frame = FrameAt(view, style, systemDpi);
    const int x = view.left < 0 ? CW_USEDEFAULT : TwipsToPixels(view.left, systemDpi);
    const int y = view.top < 0 ? CW_USEDEFAULT : TwipsToPixels(view.top, systemDpi);
    // Created with the default procedure; ours takes over once `this` is attached.
    hwnd_ = CreateWindowExW(kWindowExStyle, kWindowClass, ToWide(caption_).c_str(), style, x, y,
                            frame.right - frame.left, frame.bottom - frame.top, nullptr, nullptr,
                            GetModuleHandleW(nullptr), nullptr);
    if (hwnd_ == nullptr) return;
    SetWindowLongPtrW(hwnd_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    SetWindowLongPtrW(hwnd_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&Procedure));

    dpi_ = static_cast<int>(GetDpiForWindow(hwnd_));
    if (dpi_ <= 0) dpi_ = systemDpi;
    if (dpi_ != systemDpi) {
        const RECT scaled = FrameAt(view, style, dpi_);
        SetWindowPos(hwnd_, nullptr, 0, 0, scaled.right - scaled.left, scaled.bottom - scaled.top,
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    fonts_.Create(dpi_);
    children_.Create(hwnd_, dpi_);
}

void Win32PageWindow::UpdateControl(std::size_t index, const ControlView& view) {
    if (index >= views_.size()) return;
    const ControlView before = views_[index];
    views_[index] = view;
    if (hwnd_ == nullptr) return;
    if (IsPainted(view.kind)) {
        RepaintArea(before, view);
    } else if (children_.At(index) != nullptr) {
        children_.Update(index, before, dpi_);
    }
}

// A control the window paints: where it was and where it is now.
void Win32PageWindow::RepaintArea(const ControlView& before, const ControlView& view) {
    RECT oldRect = PixelRectOf(before, dpi_);
    RECT newRect = PixelRectOf(view, dpi_);
    InvalidateRect(hwnd_, &oldRect, FALSE);
    InvalidateRect(hwnd_, &newRect, FALSE);
    if (view.kind == ControlKind::Area) {
        // Labels lying on the area repaint their background.
        for (HWND child : children_.Windows()) {
            if (child != nullptr) InvalidateRect(child, nullptr, TRUE);
        }
    }
}

void Win32PageWindow::SetCaption(const std::string& caption) {
    caption_ = caption;
    if (hwnd_ != nullptr) SetWindowTextW(hwnd_, ToWide(caption).c_str());
}

void Win32PageWindow::MoveTo(int left, int top) {
    if (hwnd_ == nullptr) return;
    const int dpi = SystemDpi();
    SetWindowPos(hwnd_, nullptr, TwipsToPixels(left, dpi), TwipsToPixels(top, dpi), 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

Rect Win32PageWindow::OuterRect() const {
    RECT r{};
    if (hwnd_ == nullptr || !GetWindowRect(hwnd_, &r)) return {};
    const int dpi = SystemDpi();
    return {PixelsToTwips(r.left, dpi), PixelsToTwips(r.top, dpi),
            PixelsToTwips(r.right - r.left, dpi), PixelsToTwips(r.bottom - r.top, dpi)};
}

void Win32PageWindow::Show() {
    if (hwnd_ == nullptr) return;
    ShowWindow(hwnd_, SW_SHOW);
    SetForegroundWindow(hwnd_);
    if (HWND focus = InitialFocus()) SetFocus(focus);
    UpdateWindow(hwnd_);
}

void Win32PageWindow::SetEnabled(bool enabled) {
    if (hwnd_ != nullptr) EnableWindow(hwnd_, enabled ? TRUE : FALSE);
}

void Win32PageWindow::Destroy() {
    if (hwnd_ != nullptr) DestroyWindow(hwnd_);
    hwnd_ = nullptr;
}

void Win32PageWindow::SetTimer(int timerId, unsigned milliseconds) {
    if (hwnd_ == nullptr) return;
    if (milliseconds == 0) {
        KillTimer(hwnd_, static_cast<UINT_PTR>(timerId));
    } else {
        ::SetTimer(hwnd_, static_cast<UINT_PTR>(timerId), milliseconds, nullptr);
    }
}

void Win32PageWindow::FocusControl(std::size_t index) {
    if (HWND child = children_.At(index)) ::SetFocus(child);
}

std::size_t Win32PageWindow::FindRole(bool cancel) const {
    for (std::size_t i = 0; i < views_.size(); ++i) {
        const ControlView& view = views_[i];
        if (view.kind != ControlKind::Button || !view.visible || !view.enabled) continue;
        if (cancel ? view.isCancel : view.isDefault) return i;
    }
    return kNoControl;
}

HWND Win32PageWindow::InitialFocus() const {
    const std::size_t byDefault = FindRole(false);
    if (byDefault != kNoControl && children_.At(byDefault) != nullptr) {
        return children_.At(byDefault);
    }
    for (HWND child : children_.Windows()) {
        if (child != nullptr && IsWindowVisible(child) && IsWindowEnabled(child) &&
            (GetWindowLongPtrW(child, GWL_STYLE) & WS_TABSTOP) != 0) {
            return child;
        }
    }
    return nullptr;
}

LRESULT CALLBACK Win32PageWindow::Procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* self = reinterpret_cast<Win32PageWindow*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (self == nullptr) return DefWindowProcW(hwnd, message, wParam, lParam);
    if (message == WM_NCDESTROY) {
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
        self->hwnd_ = nullptr;
        self->children_.Forget();
        return DefWindowProcW(hwnd, message, wParam, lParam);
    }
    try {
        return self->Handle(message, wParam, lParam);
    } catch (...) {
        // No failure of a handler may leave through the system's frames.
        return 0;
    }
}

LRESULT Win32PageWindow::Handle(UINT message, WPARAM wParam, LPARAM lParam) {
    // A handler may destroy the window; what is left goes to the one it was.
    HWND hwnd = hwnd_;
    if (message == KeyPreviewMessage()) {
        return OnKeyPreview(static_cast<int>(wParam), reinterpret_cast<HWND>(lParam)) ? 1 : 0;
    }
    if (message == UserInputMessage()) {
        events_.OnUserInput();
        return 0;
    }
    switch (message) {
        case WM_COMMAND:
            OnCommand(LOWORD(wParam), HIWORD(wParam));
            return 0;
        case DM_GETDEFID:
            return OnGetDefaultId();
        case WM_CTLCOLORSTATIC:
        case WM_CTLCOLORBTN:
            return reinterpret_cast<LRESULT>(painter_.ColorChild(
                reinterpret_cast<HDC>(wParam), children_.IndexOf(reinterpret_cast<HWND>(lParam))));
        case WM_DRAWITEM: {
            const auto& item = *reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
            painter_.DrawLink(item, children_.IndexOf(item.hwndItem));
            return TRUE;
        }
        case WM_NEXTDLGCTL:
            OnNextDialogControl(wParam, lParam);
            return 0;
        case WM_ERASEBKGND:
            return 1;  // WM_PAINT paints everything, without flicker
        case WM_PAINT:
            painter_.PaintBuffered(hwnd, dpi_);
            return 0;
        case WM_PRINTCLIENT:
            OnPrintClient(reinterpret_cast<HDC>(wParam));
            return 0;
        case WM_SETCURSOR:
            if (OnSetCursor(reinterpret_cast<HWND>(wParam))) return TRUE;
            break;
        case WM_ACTIVATE:
            OnActivate(LOWORD(wParam) != WA_INACTIVE);
            return 0;
        case WM_TIMER:
            events_.OnTimer(static_cast<int>(wParam));
            return 0;
        case WM_CLOSE:
            events_.OnCloseRequested();
            return 0;
        case WM_DPICHANGED:
            OnDpiChanged(HIWORD(wParam), *reinterpret_cast<const RECT*>(lParam));
            return 0;
        default:
            break;
    }
    return DefWindowProcW(hwnd, message, wParam, lParam);
}

bool Win32PageWindow::OnKeyPreview(int keyCode, HWND focused) {
    return events_.OnKeyDown(children_.IndexOf(focused), keyCode, ShiftState());
}

void Win32PageWindow::OnCommand(int id, int code) {
    if (id == IDOK || id == IDCANCEL) {
        // Enter without a focused button, and Esc, as the dialog manager sends them.
        const std::size_t index = FindRole(id == IDCANCEL);
        if (index != kNoControl) events_.OnClicked(index);
        return;
    }
    if (id < kFirstControlId) return;
    const std::size_t index = static_cast<std::size_t>(id - kFirstControlId);
    if (index < views_.size()) OnControlNotification(index, code);
}

void Win32PageWindow::OnControlNotification(std::size_t index, int code) {
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
            if (code == EN_CHANGE && !children_.SettingText()) {
                events_.OnTextEdited(index, children_.TypedText(index));
            }
            break;
        case ControlKind::ListBox:
            if (code == LBN_SELCHANGE) events_.OnSelectionChanged(index, children_.Selection(index));
            break;
        default:
            break;
    }
}

LRESULT Win32PageWindow::OnGetDefaultId() const {
    const std::size_t index = FindRole(false);
    if (index == kNoControl) return 0;
    return MAKELRESULT(kFirstControlId + index, DC_HASDEFID);
}

// What the dialog manager asks of a dialog, for controls that move the focus themselves.
void Win32PageWindow::OnNextDialogControl(WPARAM wParam, LPARAM lParam) {
    HWND target = LOWORD(lParam) != 0
                      ? reinterpret_cast<HWND>(wParam)
                      : GetNextDlgTabItem(hwnd_, GetFocus(), wParam != 0 ? TRUE : FALSE);
    if (target != nullptr) SetFocus(target);
}

void Win32PageWindow::OnPrintClient(HDC dc) {
    RECT client;
    GetClientRect(hwnd_, &client);
    painter_.Paint(dc, client, dpi_);
}

bool Win32PageWindow::OnSetCursor(HWND child) {
    if (ApplyScreenPointer()) return true;
    const std::size_t index = children_.IndexOf(child);
    if (index == kNoControl || views_[index].cursor.empty() || !views_[index].enabled) {
        return false;
    }
    SetCursor(painter_.CursorNamed(views_[index].cursor));
    return true;
}

// The focus leaves with the window and comes back to where it was.
void Win32PageWindow::OnActivate(bool active) {
    if (!active) {
        HWND focus = GetFocus();
        if (focus != nullptr && IsChild(hwnd_, focus)) savedFocus_ = focus;
        return;
    }
    HWND focus = savedFocus_;
    if (focus == nullptr || !IsWindow(focus) || !IsWindowVisible(focus) ||
        !IsWindowEnabled(focus)) {
        focus = InitialFocus();
    }
    if (focus != nullptr) SetFocus(focus);
}

void Win32PageWindow::OnDpiChanged(int dpi, const RECT& suggested) {
    dpi_ = dpi;
    SetWindowPos(hwnd_, nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
                 suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
    fonts_.Create(dpi_);
    children_.Relayout(dpi_);
    InvalidateRect(hwnd_, nullptr, TRUE);
}

// The common controls and the page window class, set up by the first window.
void RegisterPageWindowClass() {
    static bool registered = false;
    if (registered) return;
    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof(windowClass);
    windowClass.lpfnWndProc = &DefWindowProcW;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.hIcon = LoadIconW(windowClass.hInstance, MAKEINTRESOURCEW(1));
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.lpszClassName = kWindowClass;
    registered = RegisterClassExW(&windowClass) != 0;
}

}  // namespace

std::unique_ptr<PageWindow> CreateWin32PageWindow(const WindowView& view, WindowEvents& events) {
    auto window = std::make_unique<Win32PageWindow>(view, events);
    if (!window->IsCreated()) return nullptr;
    return window;
}

}  // namespace platform::gui
