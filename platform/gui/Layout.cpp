#include "platform/gui/Layout.h"

#include <cstdint>

namespace platform::gui {
namespace {

int ScaleRounded(int value, int numerator, int denominator) {
    if (denominator <= 0) return 0;
    const std::int64_t product = static_cast<std::int64_t>(value) * numerator;
    const std::int64_t half = denominator / 2;
    const std::int64_t scaled =
        product >= 0 ? (product + half) / denominator : -((-product + half) / denominator);
    return static_cast<int>(scaled);
}

}  // namespace

int TwipsToPixels(int twips, int dpi) { return ScaleRounded(twips, dpi, kTwipsPerInch); }

int PixelsToTwips(int pixels, int dpi) { return ScaleRounded(pixels, kTwipsPerInch, dpi); }

PixelRect ToPixels(int left, int top, int width, int height, int dpi) {
    const int x = TwipsToPixels(left, dpi);
    const int y = TwipsToPixels(top, dpi);
    return {x, y, TwipsToPixels(left + width, dpi) - x, TwipsToPixels(top + height, dpi) - y};
}

}  // namespace platform::gui
