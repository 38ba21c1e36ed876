// The Terminal server page as designed: the two terminal-server roles in a
// frame, the database hint under the second, the note on console installs.
#pragma once

#include "wizard/pages/PageTemplate.h"

namespace terminal_server_layout {

using namespace page_template;

inline constexpr int kOptionLeft = kBodyLeft + 240;
inline constexpr int kOptionWidth = kBodyWidth - 480;
inline constexpr int kNoteLeft = 1440;

// Control rows are laid out as a table.
// clang-format off
inline constexpr ui::ControlRow kTitel1 = Heading("Titel1", "Terminal-Server");
inline constexpr ui::ControlRow kTitel2 = SubHeading("Titel2", "Wo befindet sich die Datenbank");
inline constexpr ui::ControlRow kBody1{
    ControlKind::Label, "Body1",
    "Bitte geben Sie an, ob der Terminal-Server auch gleichzeitig als Datenbankserver verwendet "
    "wird.",
    kBodyLeft, kBodyTop, kBodyWidth, 2 * kLineHeight, "", ui::flag::MultiLine};
inline constexpr ui::ControlRow kFrame1{ControlKind::Frame, "Frame1", "", kBodyLeft, 1860,
                                        kBodyWidth, 1080};
inline constexpr ui::ControlRow kWithDatabase{
    ControlKind::Option, "MachineType",
    "Dieser PC wird gleichzeitig auch als Datenbank-Server verwendet.", kOptionLeft, 2040,
    kOptionWidth, 270,
    "Wählen Sie diese Option, wenn der Terminal-Server gleichzeitig auch als Datenbank-Server "
    "verwendet werden soll."};
inline constexpr ui::ControlRow kTerminalOnly{
    ControlKind::Option, "MachineType",
    "Dieser PC wird ausschließlich für die Terminal-Dienste verwendet", kOptionLeft, 2355,
    kOptionWidth, 270,
    "Wählen Sie diese Option, wenn als Datenbank-Server ein anderer PC verwendet wird."};
inline constexpr ui::ControlRow kLblDatabase{
    ControlKind::Label, "lblDatabase", "(Die Datenbank befindet sich auf einem anderen PC)",
    kOptionLeft + 270, 2625, kOptionWidth - 270, kLineHeight};
inline constexpr ui::ControlRow kLabel2{ControlKind::Label, "Label2", "Hinweis:", kBodyLeft, 3105,
                                        kNoteLeft - kBodyLeft - 120, kLineHeight, "",
                                        ui::flag::Bold};
inline constexpr ui::ControlRow kLabel3{
    ControlKind::Label, "Label3",
    "Bei der Installation auf einem Terminal-Server ist es wichtig, dass diese direkt an der "
    "Konsole des Terminal-Servers und nicht über eine Remote-Sitzung vorgenommen wird, da bei "
    "der Remote-Installation ActiveX-Komponenten nicht registriert werden können.",
    kNoteLeft, 3105, kClientWidth - kNoteLeft - kMargin, 4 * kLineHeight, "",
    ui::flag::MultiLine};
inline constexpr ui::ControlRow kLabel1 = page_template::ContinueHint(4335);
// clang-format on

}  // namespace terminal_server_layout
