#include "platform/gui/Win32PageWindow.h"

#include <windows.h>
// after windows.h, which it needs
#include <commctrl.h>

#include <map>
#include <vector>

#include "platform/ScreenPointer.h"
#include "platform/gui/ControlClasses.h"
#include "platform/gui/Layout.h"
#include "platform/gui/Pictures.h"

namespace platform::gui {
namespace {

constexpr const char* kWindowClass = "ZevrinPageWindow";
constexpr int kFirstControlId = 100;
constexpr COLORREF kLinkColor = RGB(0, 70, 204);

bool IsPainted(ControlKind kind) { return ClassOf(kind).windowClass == nullptr; }

COLORREF ToColorRef(unsigned rgb) { return RGB((rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF); }

bool Contains(const ControlView& outer, const ControlView& inner) {
    return inner.left >= outer.left && inner.top >= outer.top &&
           inner.left + inner.width <= outer.left + outer.width &&
           inner.top + inner.height <= outer.top + outer.height;
}

int SystemDpi() {
    const UINT dpi = GetDpiForSystem();
    return dpi == 0 ? 96 : static_cast<int>(dpi);
}

// The fonts of one DPI: the dialog font, its bold face, the heading, and the
// underlined link faces.
class FontSet {
  public:
    FontSet() = default;
    ~FontSet() { Release(); }
    FontSet(const FontSet&) = delete;
    FontSet& operator=(const FontSet&) = delete;

    void Create(int dpi) {
        Release();
        NONCLIENTMETRICSW metrics{};
        metrics.cbSize = sizeof(metrics);
        if (!SystemParametersInfoForDpi(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0,
                                        static_cast<UINT>(dpi))) {
            SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0);
        }
        LOGFONTW font = metrics.lfMessageFont;
        normal_ = CreateFontIndirectW(&font);
        LOGFONTW boldFont = font;
        boldFont.lfWeight = FW_BOLD;
        bold_ = CreateFontIndirectW(&boldFont);
        LOGFONTW headingFont = boldFont;
        headingFont.lfHeight = font.lfHeight * 4 / 3;
        heading_ = CreateFontIndirectW(&headingFont);
        LOGFONTW linkFont = font;
        linkFont.lfUnderline = TRUE;
        link_ = CreateFontIndirectW(&linkFont);
        linkFont.lfWeight = FW_BOLD;
        linkBold_ = CreateFontIndirectW(&linkFont);
    }

    HFONT For(const ControlView& view) const {
        if (view.heading) return heading_;
        if (view.kind == ControlKind::Link) return view.bold ? linkBold_ : link_;
        return view.bold ? bold_ : normal_;
    }

  private:
    void Release() {
        for (HFONT* font : {&normal_, &bold_, &heading_, &link_, &linkBold_}) {
            if (*font != nullptr) DeleteObject(*font);
            *font = nullptr;
        }
    }

    HFONT normal_ = nullptr, bold_ = nullptr, heading_ = nullptr, link_ = nullptr,
          linkBold_ = nullptr;
};

class Win32PageWindow final : public PageWindow {
  public:
    Win32PageWindow(const WindowView& view, WindowEvents& events)
        : views_(view.controls), events_(events), caption_(view.caption) {
        Create(view);
    }
    ~Win32PageWindow() override {
        Destroy();
        for (auto& [color, brush] : brushes_) DeleteObject(brush);
        for (auto& [name, cursor] : cursors_) {
            if (cursor.owned) DestroyCursor(cursor.handle);
        }
    }

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
    struct Cursor {
        HCURSOR handle = nullptr;
        bool owned = false;
    };

    static LRESULT CALLBACK Procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam);

    void Create(const WindowView& view);
    void CreateChild(std::size_t index);
    void AddTooltip(std::size_t index);
    void PlaceChild(std::size_t index);
    void ApplyChildState(std::size_t index, const ControlView* before);
    void FillList(std::size_t index);
    RECT PixelRectOf(const ControlView& view) const;
    void Paint(HDC dc, const RECT& client);
    void OnCommand(int id, int code);
    std::size_t FindRole(bool cancel) const;
    HWND InitialFocus() const;
    HBRUSH Brush(COLORREF color);
    COLORREF BackgroundOf(std::size_t index) const;
    LRESULT ColorStatic(HDC dc, HWND child);
    HCURSOR CursorNamed(const std::string& name);
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
    PictureCache pictures_;
    std::map<COLORREF, HBRUSH> brushes_;
    std::map<std::string, Cursor> cursors_;
    HWND savedFocus_ = nullptr;
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

RECT Win32PageWindow::PixelRectOf(const ControlView& view) const {
    const PixelRect r = ToPixels(view.left, view.top, view.width, view.height, dpi_);
    return {r.x, r.y, r.x + r.width, r.y + r.height};
}

void Win32PageWindow::CreateChild(std::size_t index) {
    const ControlView& view = views_[index];
    const ControlClass& kind = ClassOf(view.kind);
    if (kind.windowClass == nullptr) return;
    const RECT r = PixelRectOf(view);
    const std::string text = view.kind == ControlKind::ListBox ? std::string() : view.caption;
    HWND child =
        CreateWindowExA(kind.exStyle, kind.windowClass, text.c_str(), StyleOf(view), r.left, r.top,
                        r.right - r.left, r.bottom - r.top, hwnd_,
                        reinterpret_cast<HMENU>(static_cast<INT_PTR>(kFirstControlId + index)),
                        GetModuleHandleA(nullptr), nullptr);
    children_[index] = child;
    if (child == nullptr) return;
    SendMessageA(child, WM_SETFONT, reinterpret_cast<WPARAM>(fonts_.For(view)), FALSE);
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
        SetWindowTextA(child, view.caption.c_str());
        settingText_ = false;
    }
    if (before->left != view.left || before->top != view.top || before->width != view.width ||
        before->height != view.height) {
        PlaceChild(index);
    }
    if (before->bold != view.bold || before->heading != view.heading) {
        SendMessageA(child, WM_SETFONT, reinterpret_cast<WPARAM>(fonts_.For(view)), TRUE);
    }
    if (before->isDefault != view.isDefault || before->multiLine != view.multiLine) {
        SetWindowLongPtrA(child, GWL_STYLE, static_cast<LONG_PTR>(StyleOf(view)));
        if (view.kind == ControlKind::Button) {
            SendMessageA(child, BM_SETSTYLE, StyleOf(view) & BS_TYPEMASK, TRUE);
        }
        InvalidateRect(child, nullptr, TRUE);
    }
    if (before->enabled != view.enabled) EnableWindow(child, view.enabled ? TRUE : FALSE);
    if (before->visible != view.visible) ShowWindow(child, view.visible ? SW_SHOWNA : SW_HIDE);
    if (before->tooltip != view.tooltip) AddTooltip(index);
}

void Win32PageWindow::PlaceChild(std::size_t index) {
    const RECT r = PixelRectOf(views_[index]);
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
        RECT oldRect = PixelRectOf(before);
        RECT newRect = PixelRectOf(view);
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

HBRUSH Win32PageWindow::Brush(COLORREF color) {
    auto found = brushes_.find(color);
    if (found != brushes_.end()) return found->second;
    HBRUSH brush = CreateSolidBrush(color);
    brushes_.emplace(color, brush);
    return brush;
}

COLORREF Win32PageWindow::BackgroundOf(std::size_t index) const {
    COLORREF color = GetSysColor(COLOR_BTNFACE);
    for (std::size_t i = 0; i < views_.size(); ++i) {
        const ControlView& area = views_[i];
        if (i == index || area.kind != ControlKind::Area || !area.visible) continue;
        if (Contains(area, views_[index])) {
            color =
                area.color == kDefaultColor ? GetSysColor(COLOR_WINDOW) : ToColorRef(area.color);
        }
    }
    return color;
}

std::size_t Win32PageWindow::IndexOf(HWND child) const {
    for (std::size_t i = 0; i < children_.size(); ++i) {
        if (children_[i] == child && child != nullptr) return i;
    }
    return kNone;
}

LRESULT Win32PageWindow::ColorStatic(HDC dc, HWND child) {
    const std::size_t index = IndexOf(child);
    if (index == kNone) return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
    const COLORREF background = BackgroundOf(index);
    const ControlView& view = views_[index];
    if (view.kind == ControlKind::Link && view.enabled) {
        SetTextColor(dc, kLinkColor);
    } else if (!view.enabled) {
        SetTextColor(dc, GetSysColor(COLOR_GRAYTEXT));
    } else {
        SetTextColor(dc, GetSysColor(COLOR_BTNTEXT));
    }
    SetBkColor(dc, background);
    return reinterpret_cast<LRESULT>(Brush(background));
}

HCURSOR Win32PageWindow::CursorNamed(const std::string& name) {
    auto found = cursors_.find(name);
    if (found != cursors_.end()) return found->second.handle;
    Cursor cursor;
    cursor.handle = static_cast<HCURSOR>(
        LoadImageA(GetModuleHandleA(nullptr), name.c_str(), IMAGE_CURSOR, 0, 0, LR_DEFAULTSIZE));
    cursor.owned = cursor.handle != nullptr;
    // Without the program's own picture the system's hand does the same job.
    if (cursor.handle == nullptr) cursor.handle = LoadCursorA(nullptr, IDC_HAND);
    cursors_.emplace(name, cursor);
    return cursor.handle;
}

void Win32PageWindow::Paint(HDC dc, const RECT& client) {
    FillRect(dc, &client, GetSysColorBrush(COLOR_BTNFACE));
    for (const ControlView& view : views_) {
        if (!view.visible || !IsPainted(view.kind)) continue;
        RECT r = PixelRectOf(view);
        switch (view.kind) {
            case ControlKind::Area:
                FillRect(dc, &r,
                         view.color == kDefaultColor ? GetSysColorBrush(COLOR_WINDOW)
                                                     : Brush(ToColorRef(view.color)));
                break;
            case ControlKind::Line: {
                const bool vertical = view.height > view.width;
                if (vertical) {
                    r.right = r.left + 2;
                } else {
                    r.bottom = r.top + 2;
                }
                DrawEdge(dc, &r, EDGE_ETCHED, vertical ? BF_LEFT : BF_TOP);
                break;
            }
            case ControlKind::Picture:
                if (!view.picture.empty()) pictures_.Draw(dc, view.picture, r);
                break;
            case ControlKind::ProgressTrough:
                FillRect(dc, &r, GetSysColorBrush(COLOR_WINDOW));
                DrawEdge(dc, &r, EDGE_SUNKEN, BF_RECT);
                break;
            case ControlKind::ProgressFill:
                if (r.right > r.left) {
                    FillRect(dc, &r,
                             view.color == kDefaultColor ? GetSysColorBrush(COLOR_HIGHLIGHT)
                                                         : Brush(ToColorRef(view.color)));
                }
                break;
            default:
                break;
        }
    }
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

LRESULT Win32PageWindow::Handle(UINT message, WPARAM wParam, LPARAM lParam) {
    HWND hwnd = hwnd_;
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
        case WM_CTLCOLORBTN:
            return ColorStatic(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam));
        case WM_ERASEBKGND:
            return 1;  // WM_PAINT paints everything, without flicker
        case WM_PAINT: {
            PAINTSTRUCT paint;
            HDC dc = BeginPaint(hwnd, &paint);
            RECT client;
            GetClientRect(hwnd, &client);
            HDC buffer = CreateCompatibleDC(dc);
            HBITMAP bitmap = CreateCompatibleBitmap(dc, client.right, client.bottom);
            HGDIOBJ previous = SelectObject(buffer, bitmap);
            Paint(buffer, client);
            BitBlt(dc, 0, 0, client.right, client.bottom, buffer, 0, 0, SRCCOPY);
            SelectObject(buffer, previous);
            DeleteObject(bitmap);
            DeleteDC(buffer);
            EndPaint(hwnd, &paint);
            return 0;
        }
        case WM_PRINTCLIENT: {
            RECT client;
            GetClientRect(hwnd, &client);
            Paint(reinterpret_cast<HDC>(wParam), client);
            return 0;
        }
        case WM_SETCURSOR: {
            if (ApplyScreenPointer()) return TRUE;
            const std::size_t index = IndexOf(reinterpret_cast<HWND>(wParam));
            if (index != kNone && !views_[index].cursor.empty() && views_[index].enabled) {
                SetCursor(CursorNamed(views_[index].cursor));
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
