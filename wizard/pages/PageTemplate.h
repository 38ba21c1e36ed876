// The geometry all wizard pages share, in twips: a white header band with the
// heading, the sub-heading and the logo, an etched line under it, the body,
// an etched line above the button row Zurück / Weiter / Abbrechen / Hilfe.
#pragma once

#include "ui/Control.h"

namespace page_template {

using ui::ControlKind;

inline constexpr int kClientWidth = 8400;
inline constexpr int kClientHeight = 5640;
inline constexpr int kMargin = 240;
inline constexpr int kHeaderHeight = 1140;
inline constexpr int kBodyTop = 1320;
inline constexpr int kBodyLeft = 480;
inline constexpr int kBodyWidth = kClientWidth - kBodyLeft - kMargin;
inline constexpr int kLineHeight = 225;  // one line of dialog text
inline constexpr int kFooterLineTop = 4995;
inline constexpr int kButtonTop = 5130;
inline constexpr int kButtonWidth = 1200;
inline constexpr int kButtonHeight = 360;
inline constexpr int kButtonGap = 120;
inline constexpr int kLogoSize = 720;

// Buttons come last in the Tab order, after the page's own controls.
inline constexpr int kButtonTabIndex = 90;

inline constexpr int kHelpLeft = kClientWidth - kMargin - kButtonWidth;
inline constexpr int kCancelLeft = kHelpLeft - kButtonGap - kButtonWidth;
inline constexpr int kNextLeft = kCancelLeft - 2 * kButtonGap - kButtonWidth;
inline constexpr int kBackLeft = kNextLeft - kButtonWidth;

// Control rows are laid out as a table.
// clang-format off
inline constexpr ui::ControlRow kTop{ControlKind::Area, "Top", "", 0, 0, kClientWidth,
                                     kHeaderHeight, "", 0, 0, 0xFFFFFF};
inline constexpr ui::ControlRow kLogo{ControlKind::Picture, "Logo", "",
                                      kClientWidth - kMargin - kLogoSize, (kHeaderHeight - kLogoSize) / 2,
                                      kLogoSize, kLogoSize};
inline constexpr ui::ControlRow kHeaderLine{ControlKind::Line, "Line3", "", 0, kHeaderHeight,
                                            kClientWidth, 30};
inline constexpr ui::ControlRow kFooterLine{ControlKind::Line, "Line4", "", 0, kFooterLineTop,
                                            kClientWidth, 30};
inline constexpr ui::ControlRow kBack{ControlKind::Button, "btnBack", "< &Zurück", kBackLeft,
                                      kButtonTop, kButtonWidth, kButtonHeight, "", 0,
                                      kButtonTabIndex};
inline constexpr ui::ControlRow kNext{ControlKind::Button, "btnNext", "&Weiter >", kNextLeft,
                                      kButtonTop, kButtonWidth, kButtonHeight, "",
                                      ui::flag::Default, kButtonTabIndex + 1};
inline constexpr ui::ControlRow kCancel{ControlKind::Button, "btnCancel", "Abbrechen",
                                        kCancelLeft, kButtonTop, kButtonWidth, kButtonHeight, "",
                                        ui::flag::Cancel, kButtonTabIndex + 2};
inline constexpr ui::ControlRow kHelp{ControlKind::Button, "btnHelp", "Hilfe", kHelpLeft,
                                      kButtonTop, kButtonWidth, kButtonHeight, "", 0,
                                      kButtonTabIndex + 3};

// The heading: large and bold, up to two lines beside the logo.
constexpr ui::ControlRow Heading(const char* name, const char* caption, int lines = 1) {
    return {ControlKind::Label, name, caption, kMargin, 180,
            kClientWidth - 2 * kMargin - kLogoSize - kMargin, 300 * lines, "",
            ui::flag::Heading | ui::flag::MultiLine};
}

constexpr ui::ControlRow SubHeading(const char* name, const char* caption) {
    return {ControlKind::Label, name, caption, kBodyLeft, 600,
            kClientWidth - kBodyLeft - 2 * kMargin - kLogoSize, 2 * kLineHeight, "",
            ui::flag::MultiLine};
}

// The hint above the button row on the pages that lead to the installation.
constexpr ui::ControlRow ContinueHint(int top) {
    return {ControlKind::Label, "Label1",
            "Klicken Sie auf \"Weiter\", um mit der Installation fortzufahren.", kBodyLeft, top,
            kBodyWidth, kLineHeight};
}

// clang-format on

}  // namespace page_template
