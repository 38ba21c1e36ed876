// The server copy page as designed: the explanation, the two options with
// the server folder under them, the note, and the progress of a copy.
#pragma once

#include "wizard/pages/PageTemplate.h"

namespace copy_to_server_layout {

using namespace page_template;

inline constexpr int kOptionLeft = kBodyLeft;
inline constexpr int kPathLeft = kBodyLeft;
inline constexpr int kPathTop = 3135;
inline constexpr int kPathWidth = 6165;
// With the version folder shown beside it, the path box makes room for it.
inline constexpr int kPathWidthBesideVersion = 4845;
inline constexpr int kBrowseWidth = 1395;
inline constexpr int kBrowseLeft = kClientWidth - kMargin - kBrowseWidth;
inline constexpr int kVersionLeft = kPathLeft + kPathWidthBesideVersion + 60;
inline constexpr int kProgressTop = 4335;
inline constexpr int kProgressHeight = 270;
// The fill keeps a margin of 60 twips to the trough on every side.
inline constexpr int kProgressMargin = 60;

// Control rows are laid out as a table.
// clang-format off
inline constexpr ui::ControlRow kTitel1 = Heading("Titel1", "Setup auf Server kopieren");
inline constexpr ui::ControlRow kTitel2 =
    SubHeading("Titel2", "Workstation-Setup vom Server ausführen?");
inline constexpr ui::ControlRow kBody1{ControlKind::Label, "Body1", "", kBodyLeft, kBodyTop,
                                       kBodyWidth, 5 * kLineHeight, "", ui::flag::MultiLine};
inline constexpr ui::ControlRow kNoCopy{ControlKind::Option, "optCopyCD",
                                        "Installation vom Image durchführen", kOptionLeft, 2535,
                                        kBodyWidth, 270, "", ui::flag::Checked | ui::flag::Bold};
inline constexpr ui::ControlRow kCopy{ControlKind::Option, "optCopyCD",
                                      "Installationsprozedur kopieren nach:", kOptionLeft, 2835,
                                      kBodyWidth, 270};
inline constexpr ui::ControlRow kTxtServerPath{
    ControlKind::TextBox, "txtServerPath", "", kPathLeft, kPathTop, kPathWidth, 315, "",
    ui::flag::ReadOnly};
inline constexpr ui::ControlRow kLblVersion{ControlKind::Label, "Lbl_Version", "\\Version_0_0_0",
                                            kVersionLeft, kPathTop + 45,
                                            kBrowseLeft - 60 - kVersionLeft, kLineHeight, "",
                                            ui::flag::Hidden};
inline constexpr ui::ControlRow kBtnBrowse{ControlKind::Button, "btnBrowse", "Durchsuchen...",
                                           kBrowseLeft, kPathTop - 15, kBrowseWidth, 345};
inline constexpr ui::ControlRow kBody2{ControlKind::Label, "Body2", "", kBodyLeft, 3600,
                                       kBodyWidth, 2 * kLineHeight, "",
                                       ui::flag::MultiLine | ui::flag::Hidden};
inline constexpr ui::ControlRow kProgressTitle{ControlKind::Label, "ProgressTitle", "",
                                               kBodyLeft, kProgressTop - kLineHeight - 30,
                                               kBodyWidth, kLineHeight, "", ui::flag::Hidden};
inline constexpr ui::ControlRow kProgressBack{ControlKind::ProgressTrough, "ProgressBack", "",
                                              kBodyLeft, kProgressTop, kBodyWidth,
                                              kProgressHeight, "", ui::flag::Hidden};
inline constexpr ui::ControlRow kProgressBar{
    ControlKind::ProgressFill, "ProgressBar", "", kBodyLeft + kProgressMargin,
    kProgressTop + kProgressMargin, 0, kProgressHeight - 2 * kProgressMargin, "",
    ui::flag::Hidden};
inline constexpr ui::ControlRow kLabel1 = page_template::ContinueHint(4695);
// clang-format on

}  // namespace copy_to_server_layout
