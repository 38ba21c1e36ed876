// The pictures shared by all forms: the logo that every page copies into its
// own picture, and the hand pointer of link labels. Resource names of the
// program file.
#pragma once

namespace ui {

struct ResourceForm {
    const char* Logo = "LOGO";
    const char* icoHand = "ICOHAND";
};

inline constexpr ResourceForm frmRes{};

}  // namespace ui
