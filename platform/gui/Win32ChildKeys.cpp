#include "platform/gui/Win32ChildKeys.h"

namespace platform::gui {
namespace {

// Where a child window keeps the procedure of its class while ours runs first.
constexpr const wchar_t* kClassProcedure = L"ZevrinClassProcedure";

bool IsLinkWindow(HWND child) {
    return (GetWindowLongPtrW(child, GWL_STYLE) & BS_TYPEMASK) == BS_OWNERDRAW;
}

LRESULT CALLBACK ChildProcedure(HWND child, UINT message, WPARAM wParam, LPARAM lParam) {
    auto classProcedure = reinterpret_cast<WNDPROC>(GetPropW(child, kClassProcedure));
    if (classProcedure == nullptr) return DefWindowProcW(child, message, wParam, lParam);
    const bool isLink = IsLinkWindow(child);
    switch (message) {
        case WM_GETDLGCODE: {
            LRESULT code = CallWindowProcW(classProcedure, child, message, wParam, lParam);
            const auto* key = reinterpret_cast<const MSG*>(lParam);
            if (isLink) {
                if (key != nullptr && key->message == WM_KEYDOWN && key->wParam == VK_RETURN) {
                    code |= DLGC_WANTMESSAGE;
                }
            } else {
                // No select-all on Tab either: the note is read, not replaced.
                code &= ~static_cast<LRESULT>(DLGC_WANTALLKEYS | DLGC_HASSETSEL);
            }
            return code;
        }
        case WM_KEYDOWN:
            if (isLink && wParam == VK_RETURN) {
                SendMessageW(GetParent(child), WM_COMMAND,
                             MAKEWPARAM(GetDlgCtrlID(child), BN_CLICKED),
                             reinterpret_cast<LPARAM>(child));
                return 0;
            }
            break;
        case WM_CHAR:
            if (isLink && wParam == '\r') return 0;
            break;
        case WM_NCDESTROY:
            SetWindowLongPtrW(child, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(classProcedure));
            RemovePropW(child, kClassProcedure);
            break;
        default:
            break;
    }
    return CallWindowProcW(classProcedure, child, message, wParam, lParam);
}

}  // namespace

bool HandlesItsOwnKeys(const ControlView& view) {
    return view.kind == ControlKind::Link ||
           (view.kind == ControlKind::TextBox && view.readOnly && view.multiLine);
}

void TakeOverKeys(HWND child) {
    const LONG_PTR classProcedure = GetWindowLongPtrW(child, GWLP_WNDPROC);
    if (!SetPropW(child, kClassProcedure, reinterpret_cast<HANDLE>(classProcedure))) return;
    SetWindowLongPtrW(child, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&ChildProcedure));
}

}  // namespace platform::gui
