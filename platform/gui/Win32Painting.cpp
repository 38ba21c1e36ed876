#include "platform/gui/Win32Painting.h"

#include <algorithm>

#include "platform/TextConversion.h"
#include "platform/gui/ControlClasses.h"

namespace platform::gui {
namespace {

constexpr COLORREF kLinkColor = RGB(0, 70, 204);

COLORREF ToColorRef(unsigned rgb) { return RGB((rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF); }

bool Contains(const ControlView& outer, const ControlView& inner) {
    return inner.left >= outer.left && inner.top >= outer.top &&
           inner.left + inner.width <= outer.left + outer.width &&
           inner.top + inner.height <= outer.top + outer.height;
}

void DrawLine(HDC dc, RECT r, const ControlView& view) {
    const bool vertical = view.height > view.width;
    if (vertical) {
        r.right = r.left + 2;
    } else {
        r.bottom = r.top + 2;
    }
    DrawEdge(dc, &r, EDGE_ETCHED, vertical ? BF_LEFT : BF_TOP);
}

}  // namespace

BrushCache::~BrushCache() {
    for (auto& [color, brush] : brushes_) DeleteObject(brush);
}

HBRUSH BrushCache::For(COLORREF color) {
    auto found = brushes_.find(color);
    if (found != brushes_.end()) return found->second;
    HBRUSH brush = CreateSolidBrush(color);
    brushes_.emplace(color, brush);
    return brush;
}

CursorCache::~CursorCache() {
    for (auto& [name, cursor] : cursors_) {
        if (cursor.owned) DestroyCursor(cursor.handle);
    }
}

HCURSOR CursorCache::Named(const std::string& name) {
    auto found = cursors_.find(name);
    if (found != cursors_.end()) return found->second.handle;
    Cursor cursor;
    cursor.handle = static_cast<HCURSOR>(
        LoadImageW(GetModuleHandleW(nullptr), ToWide(name).c_str(), IMAGE_CURSOR, 0, 0, LR_DEFAULTSIZE));
    cursor.owned = cursor.handle != nullptr;
    // Without the program's own picture the system's hand does the same job.
    if (cursor.handle == nullptr) cursor.handle = LoadCursorW(nullptr, IDC_HAND);
    cursors_.emplace(name, cursor);
    return cursor.handle;
}

void PagePainter::PaintBuffered(HWND window, int dpi) {
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(window, &paint);
    RECT client;
    GetClientRect(window, &client);
    HDC buffer = CreateCompatibleDC(dc);
    HBITMAP bitmap = CreateCompatibleBitmap(dc, client.right, client.bottom);
    HGDIOBJ previous = SelectObject(buffer, bitmap);
    Paint(buffer, client, dpi);
    BitBlt(dc, 0, 0, client.right, client.bottom, buffer, 0, 0, SRCCOPY);
    SelectObject(buffer, previous);
    DeleteObject(bitmap);
    DeleteDC(buffer);
    EndPaint(window, &paint);
}

void PagePainter::Paint(HDC dc, const RECT& client, int dpi) {
    FillRect(dc, &client, GetSysColorBrush(COLOR_BTNFACE));
    for (const ControlView& view : views_) {
        if (view.visible && IsPainted(view.kind)) PaintControl(dc, view, dpi);
    }
}

void PagePainter::PaintControl(HDC dc, const ControlView& view, int dpi) {
    RECT r = PixelRectOf(view, dpi);
    switch (view.kind) {
        case ControlKind::Area:
            FillRect(dc, &r,
                     view.color == kDefaultColor ? GetSysColorBrush(COLOR_WINDOW)
                                                 : brushes_.For(ToColorRef(view.color)));
            break;
        case ControlKind::Line:
            DrawLine(dc, r, view);
            break;
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
                                                     : brushes_.For(ToColorRef(view.color)));
            }
            break;
        default:
            break;
    }
}

COLORREF PagePainter::BackgroundOf(std::size_t index) const {
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

HBRUSH PagePainter::ColorChild(HDC dc, std::size_t index) {
    if (index == kNoControl) return GetSysColorBrush(COLOR_BTNFACE);
    const ControlView& view = views_[index];
    // A text box keeps its own colour: a note on white, a path on the face colour.
    const COLORREF background = view.kind == ControlKind::TextBox && view.color != kDefaultColor
                                    ? ToColorRef(view.color)
                                    : BackgroundOf(index);
    SetTextColor(dc, GetSysColor(view.enabled ? COLOR_BTNTEXT : COLOR_GRAYTEXT));
    SetBkColor(dc, background);
    return brushes_.For(background);
}

void PagePainter::DrawLink(const DRAWITEMSTRUCT& item, std::size_t index) {
    if (index == kNoControl) return;
    const ControlView& view = views_[index];
    HDC dc = item.hDC;
    RECT area = item.rcItem;
    FillRect(dc, &area, brushes_.For(BackgroundOf(index)));
    const HGDIOBJ previousFont = SelectObject(dc, fonts_.For(view));
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, view.enabled ? kLinkColor : GetSysColor(COLOR_GRAYTEXT));
    const UINT format =
        DT_NOPREFIX | (view.multiLine ? DT_WORDBREAK : (DT_SINGLELINE | DT_END_ELLIPSIS));
    RECT text = area;
    const std::wstring caption = ToWide(view.caption);
    DrawTextW(dc, caption.c_str(), -1, &text, format | DT_CALCRECT);
    DrawTextW(dc, caption.c_str(), -1, &area, format);
    if ((item.itemState & ODS_FOCUS) != 0 && (item.itemState & ODS_NOFOCUSRECT) == 0) {
        // The focus frame hugs the text, as on a hyperlink.
        text.right = std::min(text.right + 1, item.rcItem.right);
        text.bottom = std::min(text.bottom, item.rcItem.bottom);
        DrawFocusRect(dc, &text);
    }
    SelectObject(dc, previousFont);
}

}  // namespace platform::gui
