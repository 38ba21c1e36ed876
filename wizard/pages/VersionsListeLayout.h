// The old installation files page as designed: the version folders found
// on the server in a list, and the button that deletes the selected ones.
#pragma once

#include "wizard/pages/PageTemplate.h"

namespace versions_liste_layout {

using namespace page_template;

inline constexpr int kListWidth = 4920;
inline constexpr int kDeleteLeft = kBodyLeft + kListWidth + 240;

// Control rows are laid out as a table.
// clang-format off
inline constexpr ui::ControlRow kTitel1 = Heading("Titel1", "Installations-Dateien auf dem Server");
inline constexpr ui::ControlRow kTitel2 = SubHeading("Titel2", "Alte Installationsdateien verwalten");
inline constexpr ui::ControlRow kBody1{ControlKind::Label, "Body1",
                                       "Folgende Installationsdateien wurden gefunden:", kBodyLeft,
                                       kBodyTop, kBodyWidth, kLineHeight};
inline constexpr ui::ControlRow kList{ControlKind::ListBox, "lst_Versionen", "", kBodyLeft, 1620,
                                      kListWidth, 1680};
inline constexpr ui::ControlRow kDelete{ControlKind::Button, "cmd_DelVersion",
                                        "&Frühere Versionen löschen", kDeleteLeft, 1620,
                                        kClientWidth - kMargin - kDeleteLeft, kButtonHeight, "",
                                        ui::flag::Disabled};
inline constexpr ui::ControlRow kLabel1{
    ControlKind::Label, "Label1",
    "Um Speicherplatz auf dem Server frei zu geben, sollten die früheren Installations- dateien "
    "gelöscht werden. Markieren Sie die zu löschenden Versionen und klicken Sie auf den Schalter "
    "\"Frühere Versionen löschen\".",
    kBodyLeft, 3480, kBodyWidth, 3 * kLineHeight, "", ui::flag::MultiLine};
// clang-format on

}  // namespace versions_liste_layout
