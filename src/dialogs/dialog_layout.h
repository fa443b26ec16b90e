#pragma once
// Where a dialog's windows go inside the rectangle it is given: its own
// window's client area while it floats, its place in the main window's docked
// column (tab label included) while docked. Pure numbers; the window layer
// only moves the windows there.

#include "core/main_layout.h"

namespace vellora {

inline constexpr std::int32_t kDialogClientWidth = 480;
inline constexpr std::int32_t kDialogClientHeight = 156;

// The picture column: the whole picture beside a floating dialog, a quarter
// of it beside a docked one.
inline constexpr std::int32_t kFloatingPictureWidth = 130;
inline constexpr std::int32_t kFloatingPictureHeight = 156;
inline constexpr std::int32_t kDockedPictureWidth = 63;
inline constexpr std::int32_t kDockedPictureHeight = 76;

// Where the input line goes while it is hidden: above the visible area.
inline constexpr std::int32_t kHiddenInputY = -38;

struct DialogLayout {
    LayoutRect label;    // docked only
    LayoutRect pane;
    LayoutRect input;
    LayoutRect picture;  // the picture control, centred in its column
};

// Lays a dialog out in Place. HideInput gives the pane the input line's room
// and moves the input out of sight.
DialogLayout ComputeDialogLayout(const LayoutRect& place, bool docked, bool hideInput);

}  // namespace vellora
