// The System requirements page as designed: the requirements as caption and
// value pairs, the link to the full requirements, the confirmation box.
#pragma once

#include "wizard/pages/PageTemplate.h"

namespace system_pruefung_layout {

using namespace page_template;

inline constexpr int kCaptionLeft = kBodyLeft;
inline constexpr int kIndentedLeft = kBodyLeft + 240;
inline constexpr int kValueLeft = 3240;
inline constexpr int kCaptionWidth = kValueLeft - kCaptionLeft - 120;
inline constexpr int kIndentedWidth = kValueLeft - kIndentedLeft - 120;
inline constexpr int kValueWidth = kClientWidth - kValueLeft - kMargin;

constexpr ui::ControlRow Caption(const char* name, const char* caption, int top,
                                 int left = kCaptionLeft, int width = kCaptionWidth) {
    return {ControlKind::Label, name, caption, left, top, width, kLineHeight};
}
constexpr ui::ControlRow Value(const char* name, const char* caption, int top) {
    return {ControlKind::Label, name, caption, kValueLeft, top, kValueWidth, kLineHeight};
}

// Control rows are laid out as a table.
// clang-format off
inline constexpr ui::ControlRow kTitel1 = Heading("Titel1", "Mindestvoraussetzungen");
inline constexpr ui::ControlRow kTitel2 = SubHeading("Titel2", "Für {Produktname} {Version}");
inline constexpr ui::ControlRow kLabel6{ControlKind::Label, "Label6", "Mindestvoraussetzungen",
                                        kCaptionLeft, kBodyTop, kBodyWidth, kLineHeight, "",
                                        ui::flag::Bold};
inline constexpr ui::ControlRow kProduktCaption = Caption("LabelProduktCaption", "{Produkt}", 1680);
inline constexpr ui::ControlRow kProduktValue = Value("LabelProduktValue", "{Produkt}", 1680);
inline constexpr ui::ControlRow kLabel1 = Caption("Label1", "Betriebssysteme", 2040);
inline constexpr ui::ControlRow kLabel2 = Caption("Label2", "Einzelplatz/Arbeitsstation:", 2310,
                                                  kIndentedLeft, kIndentedWidth);
inline constexpr ui::ControlRow kOSEinzelValue = Value("LabelOSEinzelValue", "{OSEinzel}", 2310);
inline constexpr ui::ControlRow kLabel3 = Caption("Label3", "Server:", 2580, kIndentedLeft,
                                                  kIndentedWidth);
inline constexpr ui::ControlRow kOSServerValue = Value("LabelOSServerValue", "{OSServer}", 2580);
inline constexpr ui::ControlRow kLabel5 = Caption("Label5", "SQL-Version:", 2940);
inline constexpr ui::ControlRow kSQLValue = Value("LabelSQLValue", "{SQLVersion}", 2940);
inline constexpr ui::ControlRow kLabel4 = Caption("Label4", ".NET Framework:", 3210);
inline constexpr ui::ControlRow kFrameworkValue = Value("LabelFrameworkValue", "{Framework}", 3210);
inline constexpr ui::ControlRow kLink{
    ControlKind::Link, "LinkSystemvoraussetungen",
    "Weitere Systemvoraussetzungen für {Produkt} öffnen.", kCaptionLeft, 3660, kBodyWidth,
    kLineHeight + 30, "Klicken Sie hier, für die aktuellen Systemvoraussetzungen."};
inline constexpr ui::ControlRow kCheck{
    ControlKind::CheckBox, "CheckSystemvoraussetzungenGelesen",
    "Ich habe die Systemvoraussetzungen gelesen und akzeptiert.", kCaptionLeft, 4230, kBodyWidth,
    300};
// clang-format on

}  // namespace system_pruefung_layout
