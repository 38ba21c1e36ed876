// Layout arithmetic of the renderer: twips to pixels at a DPI. Pure, so that
// tests pin it without a window.
#pragma once

#include "platform/PageWindow.h"

namespace platform::gui {

inline constexpr int kTwipsPerInch = 1440;

// Rounds to the nearest pixel; halves round away from zero.
int TwipsToPixels(int twips, int dpi);
int PixelsToTwips(int pixels, int dpi);

struct PixelRect {
    int x = 0, y = 0, width = 0, height = 0;
};

// A control's rectangle in pixels. Edges are converted, not sizes, so that
// controls laid edge to edge in twips stay edge to edge in pixels.
PixelRect ToPixels(int left, int top, int width, int height, int dpi);

}  // namespace platform::gui
