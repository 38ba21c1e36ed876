// The DPI a page is drawn at, and what follows from it: control rectangles
// in pixels and the fonts.
#pragma once

#include <windows.h>

#include "platform/PageWindow.h"

namespace platform::gui {

// The system's DPI; 96 when the system tells none.
int SystemDpi();

// A control's rectangle in pixels at the DPI.
RECT PixelRectOf(const ControlView& view, int dpi);

// The fonts of one DPI: the dialog font, its bold face, the heading, and the
// underlined link faces.
class FontSet {
  public:
    FontSet() = default;
    ~FontSet() { Release(); }
    FontSet(const FontSet&) = delete;
    FontSet& operator=(const FontSet&) = delete;

    // Made anew for the DPI; those made before are deleted.
    void Create(int dpi);
    HFONT For(const ControlView& view) const;

  private:
    void Release();

    HFONT normal_ = nullptr, bold_ = nullptr, heading_ = nullptr, link_ = nullptr,
          linkBold_ = nullptr;
};

}  // namespace platform::gui
