#include "platform/gui/ControlClasses.h"

#include <array>

namespace platform::gui {
namespace {

constexpr DWORD kTab = WS_TABSTOP | WS_GROUP;

// Check boxes and options are not automatic: the form decides their state,
// so that a click from the program and a click by the user run the same logic.
// clang-format off
constexpr std::array<ControlClass, static_cast<std::size_t>(ControlKind::Count)> kClasses{{
    /* Label          */ {"STATIC", SS_NOPREFIX | SS_NOTIFY, 0},
    /* Button         */ {"BUTTON", BS_PUSHBUTTON | kTab, 0},
    /* CheckBox       */ {"BUTTON", BS_CHECKBOX | kTab, 0},
    /* Option         */ {"BUTTON", BS_RADIOBUTTON, 0},
    /* TextBox        */ {"EDIT", ES_AUTOHSCROLL | kTab, WS_EX_CLIENTEDGE},
    /* ListBox        */ {"LISTBOX",
                          LBS_EXTENDEDSEL | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | WS_VSCROLL | kTab,
                          WS_EX_CLIENTEDGE},
    /* Link           */ {"STATIC", SS_NOPREFIX | SS_NOTIFY, 0},
    /* Picture        */ {nullptr, 0, 0},
    /* Line           */ {nullptr, 0, 0},
    /* Area           */ {nullptr, 0, 0},
    /* Frame          */ {"BUTTON", BS_GROUPBOX, 0},
    /* ProgressTrough */ {nullptr, 0, 0},
    /* ProgressFill   */ {nullptr, 0, 0},
}};
// clang-format on
static_assert(kClasses.size() == kControlKindNames.size());

}  // namespace

const ControlClass& ClassOf(ControlKind kind) { return kClasses[static_cast<std::size_t>(kind)]; }

DWORD StyleOf(const ControlView& view) {
    DWORD style = ClassOf(view.kind).style | WS_CHILD;
    switch (view.kind) {
        case ControlKind::Label:
        case ControlKind::Link:
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
            break;
        default:
            break;
    }
    if (view.visible) style |= WS_VISIBLE;
    if (!view.enabled) style |= WS_DISABLED;
    return style;
}

}  // namespace platform::gui
