// What a page window paints itself: the face, coloured areas, separator
// lines, pictures and the progress bar; the links, drawn as hyperlinks; the
// colours its children ask for; and the mouse pointers they show.
#pragma once

#include <windows.h>

#include <cstddef>
#include <map>
#include <string>
#include <vector>

#include "platform/PageWindow.h"
#include "platform/gui/Pictures.h"
#include "platform/gui/Win32DpiFonts.h"

namespace platform::gui {

// Solid brushes by colour, made on first use and kept while the page lives.
class BrushCache {
  public:
    BrushCache() = default;
    ~BrushCache();
    BrushCache(const BrushCache&) = delete;
    BrushCache& operator=(const BrushCache&) = delete;

    HBRUSH For(COLORREF color);

  private:
    std::map<COLORREF, HBRUSH> brushes_;
};

// Mouse pointers of the program's resources by name, loaded on first use.
class CursorCache {
  public:
    CursorCache() = default;
    ~CursorCache();
    CursorCache(const CursorCache&) = delete;
    CursorCache& operator=(const CursorCache&) = delete;

    HCURSOR Named(const std::string& name);

  private:
    struct Cursor {
        HCURSOR handle = nullptr;
        bool owned = false;
    };
    std::map<std::string, Cursor> cursors_;
};

class PagePainter {
  public:
    PagePainter(const std::vector<ControlView>& views, const FontSet& fonts)
        : views_(views), fonts_(fonts) {}

    // WM_PAINT: the page drawn into a bitmap and copied at once, without flicker.
    void PaintBuffered(HWND window, int dpi);
    // The face and every visible control the window paints itself.
    void Paint(HDC dc, const RECT& client, int dpi);
    // The brush for a child's background, its text and background colours
    // set; `index` is the child's control (kNoControl for none of them).
    HBRUSH ColorChild(HDC dc, std::size_t index);
    // A link: its text in the link colour, the focus frame hugging the text.
    void DrawLink(const DRAWITEMSTRUCT& item, std::size_t index);
    HCURSOR CursorNamed(const std::string& name) { return cursors_.Named(name); }

  private:
    void PaintControl(HDC dc, const ControlView& view, int dpi);
    // The face colour, or that of the coloured area the control lies on.
    COLORREF BackgroundOf(std::size_t index) const;

    const std::vector<ControlView>& views_;
    const FontSet& fonts_;
    PictureCache pictures_;
    BrushCache brushes_;
    CursorCache cursors_;
};

}  // namespace platform::gui
