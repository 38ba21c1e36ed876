// The Update note page as designed: the note in a large text area and the
// confirmation box under it.
#pragma once

#include "wizard/pages/PageTemplate.h"

namespace update_note_layout {

using namespace page_template;

// Control rows are laid out as a table.
// clang-format off
inline constexpr ui::ControlRow kTitel1 = Heading("Titel1", "Update-Hinweis");
inline constexpr ui::ControlRow kLblUpdateNote =
    SubHeading("lblUpdateNote", "Hinweis für die Aktualisierung");
// The note may be longer than its area: it scrolls, and the keyboard reaches it.
inline constexpr ui::ControlRow kLblUpdateText{
    ControlKind::TextBox, "lblUpdateText", "Hinweis", kBodyLeft, kBodyTop, kBodyWidth, 2730, "",
    ui::flag::MultiLine | ui::flag::ReadOnly, 0, 0xFFFFFF};
inline constexpr ui::ControlRow kOldVersionChecked{
    ControlKind::CheckBox, "OldVersionChecked",
    "Die installierte Version erfüllt die obenstehenden Voraussetzungen.", kBodyLeft, 4230,
    kBodyWidth, 300};
// clang-format on

}  // namespace update_note_layout
