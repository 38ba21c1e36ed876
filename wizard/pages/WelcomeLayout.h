// The Welcome page as designed: the left column holds the picture, the two
// document links and the build, the right column the texts.
#pragma once

#include "wizard/pages/PageTemplate.h"

namespace welcome_layout {

using namespace page_template;

inline constexpr int kLeftColumnWidth = 2400;
inline constexpr int kRightColumn = kMargin + kLeftColumnWidth + kMargin;
inline constexpr int kRightColumnWidth = kClientWidth - kRightColumn - kMargin;

// Control rows are laid out as a table.
// clang-format off
inline constexpr ui::ControlRow kImage1{ControlKind::Picture, "Image1", "", kMargin + 240, kBodyTop,
                                        1920, 1920};
inline constexpr ui::ControlRow kTitle1 =
    Heading("Title1", "Willkommen beim Setup-Assistent für ZEVRIN Tolvane", 2);
inline constexpr ui::ControlRow kBody1{
    ControlKind::Label, "Body1",
    "Der Setup-Assistent wird für Sie die erforderlichen Installations- schritte ermitteln und "
    "zur Installation vorschlagen.",
    kRightColumn, kBodyTop, kRightColumnWidth, 3 * kLineHeight, "", ui::flag::MultiLine};
inline constexpr ui::ControlRow kBody2{
    ControlKind::Label, "Body2",
    "Wenn Sie eine Netzwerk-Installation vornehmen, führen Sie den Setup-Assistenten bitte "
    "zunächst am Datenbank-Server und danach an den Netzwerk-Arbeitsplätzen durch.",
    kRightColumn, 2100, kRightColumnWidth, 3 * kLineHeight, "", ui::flag::MultiLine};
inline constexpr ui::ControlRow kVersion{ControlKind::Label, "lblVersion", "Version",
                                         kRightColumn, 2940, kRightColumnWidth, kLineHeight, "",
                                         ui::flag::Bold};
inline constexpr ui::ControlRow kLabel3{
    ControlKind::Label, "Label3",
    "Um die Installation mit Hilfe des Setup-Assistenten durchzuführen, klicken Sie auf "
    "\"Weiter\". ",
    kRightColumn, 3420, kRightColumnWidth, 2 * kLineHeight, "", ui::flag::MultiLine};
inline constexpr ui::ControlRow kLinkReadMe{
    ControlKind::Link, "LinkReadMe", "Info über ", kMargin, 3520, kLeftColumnWidth,
    2 * kLineHeight,
    "Klicken Sie hier, um mehr über die Neuerungen der aktuellen Version zu erfahren.",
    ui::flag::MultiLine};
inline constexpr ui::ControlRow kLinkSystemvoraussetzung{
    ControlKind::Link, "LinkSystemvoraussetzung", "Systemvoraussetzungen", kMargin, 4100,
    kLeftColumnWidth, kLineHeight, "Klicken Sie hier, für die aktuellen Systemvoraussetzungen."};
inline constexpr ui::ControlRow kBuild{ControlKind::Label, "lblBuild", "Build", kMargin, 4650,
                                       kLeftColumnWidth, kLineHeight};
inline constexpr ui::ControlRow kExpress{
    ControlKind::Button, "btnExpress", "Express-Setup", kMargin, kButtonTop, 1560, kButtonHeight,
    "Installation ohne Hilfe des Assistenten durchführen (nur für erfahrene Anwender)",
    ui::flag::Hidden, kButtonTabIndex - 1};

// The picture of the left column, a resource of the program file.
inline constexpr const char* kWelcomePicture = "WELCOME";

// Where the left column's controls move.
inline constexpr int kReadMeTopForUpdate = 3900;
inline constexpr int kBuildTopWithoutLinks = 4100;

// clang-format on

}  // namespace welcome_layout
