// The Database tools page as designed: what the tools are for, the link that
// installs them, and how to go on.
#pragma once

#include "wizard/pages/PageTemplate.h"

namespace dbtools_layout {

using namespace page_template;

// Control rows are laid out as a table.
// clang-format off
inline constexpr ui::ControlRow kTitel1 = Heading("Titel1", "Datenbank-Tools");
inline constexpr ui::ControlRow kTitel2 =
    SubHeading("Titel2", "Tools zur Datenbankneuanlage/Konvertierung");
inline constexpr ui::ControlRow kBody1{
    ControlKind::Label, "Body1",
    "ZEVRIN Tolvane stellt eine Reihe von Datenbank-Tools für SQL-Datenbanken zu Verfügung. "
    "Diese werden unter anderem zur Datenbank-Neuanlage, Datenbank-Konvertierung sowie "
    "Datensicherung benötigt und müssen am Datenbank- Server (das ist der PC, auf dem sich die "
    "Datenbank befindet. Also z.B. auch ein Einzelplatz) installiert werden.",
    kBodyLeft, kBodyTop, kBodyWidth, 5 * kLineHeight, "", ui::flag::MultiLine};
inline constexpr ui::ControlRow kLinkInstallDBSetup{
    ControlKind::Link, "LinkInstallDBSetup", "ZEVRIN Datenbanktools installieren", kBodyLeft,
    2640, 4200, kLineHeight + 30,
    "Klicken Sie hier, um die Installation für die ZEVRIN Datenbanktools zu starten."};
inline constexpr ui::ControlRow kBody2{
    ControlKind::Label, "Body2",
    "Klicken Sie auf \"ZEVRIN Datenbank-Tools installieren\" um diese jetzt zu installieren.",
    kBodyLeft, 3120, kBodyWidth, 2 * kLineHeight, "", ui::flag::MultiLine};
inline constexpr ui::ControlRow kLabel1{
    ControlKind::Label, "Label1",
    "Nach erfolgter Installation oder um diesen Schritt auszulassen, klicken Sie auf "
    "\"Weiter\".",
    kBodyLeft, 3690, kBodyWidth, 2 * kLineHeight, "", ui::flag::MultiLine};
// clang-format on

}  // namespace dbtools_layout
