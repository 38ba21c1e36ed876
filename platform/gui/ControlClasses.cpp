#include "platform/gui/ControlClasses.h"

#include <array>

namespace platform::gui {
namespace {

constexpr DWORD kTab = WS_TABSTOP;

// Check boxes are not automatic: the form decides their state, so that a
// click from the program and a click by the user run the same logic. Options
// are automatic only so that the arrow keys select them as they move the
// focus; the form still sets every option's state itself.
// Links are drawn buttons, so that Tab reaches them and Space opens them.
// A group box paints only its frame: transparent, it leaves its inside to
// the page, which would otherwise skip it.
// clang-format off
constexpr std::array<ControlClass, static_cast<std::size_t>(ControlKind::Count)> kClasses{{
    /* Label          */ {L"STATIC", SS_NOPREFIX | SS_NOTIFY, 0},
    /* Button         */ {L"BUTTON", BS_PUSHBUTTON | kTab, 0},
    /* CheckBox       */ {L"BUTTON", BS_CHECKBOX | kTab, 0},
    /* Option         */ {L"BUTTON", BS_AUTORADIOBUTTON, 0},
    /* TextBox        */ {L"EDIT", ES_AUTOHSCROLL | kTab, WS_EX_CLIENTEDGE},
    /* ListBox        */ {L"LISTBOX",
                          LBS_EXTENDEDSEL | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | WS_VSCROLL | kTab,
                          WS_EX_CLIENTEDGE},
    /* Link           */ {L"BUTTON", BS_OWNERDRAW | kTab, 0},
    /* Picture        */ {nullptr, 0, 0},
    /* Line           */ {nullptr, 0, 0},
    /* Area           */ {nullptr, 0, 0},
    /* Frame          */ {L"BUTTON", BS_GROUPBOX, WS_EX_TRANSPARENT},
    /* ProgressTrough */ {nullptr, 0, 0},
    /* ProgressFill   */ {nullptr, 0, 0},
}};
// clang-format on
static_assert(kClasses.size() == kControlKindNames.size());

}  // namespace

const ControlClass& ClassOf(ControlKind kind) { return kClasses[static_cast<std::size_t>(kind)]; }

bool IsPainted(ControlKind kind) { return ClassOf(kind).windowClass == nullptr; }

DWORD StyleOf(const ControlView& view) {
    DWORD style = ClassOf(view.kind).style | WS_CHILD;
    switch (view.kind) {
        case ControlKind::Label:
            style |= view.multiLine ? SS_LEFT : (SS_LEFTNOWORDWRAP | SS_ENDELLIPSIS);
            break;
        case ControlKind::Button:
            if (view.isDefault) style = (style & ~BS_PUSHBUTTON) | BS_DEFPUSHBUTTON;
            if (view.multiLine) style |= BS_MULTILINE;
            break;
        case ControlKind::CheckBox:
            if (view.multiLine) style |= BS_MULTILINE;
            break;
        case ControlKind::Option:
            if (view.multiLine) style |= BS_MULTILINE;
            if (view.startsGroup) style |= kTab;
            break;
        case ControlKind::TextBox:
            if (view.multiLine) style |= ES_MULTILINE | ES_AUTOVSCROLL | WS_VSCROLL;
            if (view.readOnly) style |= ES_READONLY;
            break;
        default:
            break;
    }
    // Every control but the further options of a group starts a group of its
    // own, so that the arrow keys stay inside an option group.
    if (view.kind != ControlKind::Option || view.startsGroup) style |= WS_GROUP;
    if (view.visible) style |= WS_VISIBLE;
    if (!view.enabled) style |= WS_DISABLED;
    return style;
}

}  // namespace platform::gui
