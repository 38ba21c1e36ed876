#include "platform/gui/Win32DpiFonts.h"

#include "platform/gui/Layout.h"

namespace platform::gui {

int SystemDpi() {
    const UINT dpi = GetDpiForSystem();
    return dpi == 0 ? 96 : static_cast<int>(dpi);
}

RECT PixelRectOf(const ControlView& view, int dpi) {
    const PixelRect r = ToPixels(view.left, view.top, view.width, view.height, dpi);
    return {r.x, r.y, r.x + r.width, r.y + r.height};
}

void FontSet::Create(int dpi) {
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

HFONT FontSet::For(const ControlView& view) const {
    if (view.heading) return heading_;
    if (view.kind == ControlKind::Link) return view.bold ? linkBold_ : link_;
    return view.bold ? bold_ : normal_;
}

void FontSet::Release() {
    for (HFONT* font : {&normal_, &bold_, &heading_, &link_, &linkBold_}) {
        if (*font != nullptr) DeleteObject(*font);
        *font = nullptr;
    }
}

}  // namespace platform::gui
