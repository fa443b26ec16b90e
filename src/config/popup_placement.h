#pragma once
// Where a popup menu opens when it belongs to a window rather than to the
// mouse: below the list's caret row (or above it near the bottom of the
// screen), or overlapping a corner of any other window; in both cases kept
// inside the work area. Beside the mouse it is PlaceNearCursor.

#include <cstdint>

#include "dialogs/work_area.h"

namespace vellora {

// A menu of Width x Height for the row of List (its screen rectangle) whose
// top is RowTop: 1.25 rows under the row's top, or ending a quarter row above
// it when that would leave Area at the bottom; centred on a list wider than
// the menu.
ScreenPlacement PopupAtListRow(const ScreenRect& list, std::int32_t rowTop, std::int32_t rowHeight, std::int32_t width,
                               std::int32_t height, const ScreenRect& area);

// A menu for any other window: its corner at a quarter of the window's width
// from the left and a quarter of its height from the bottom, mirrored on the
// side where it would leave Area.
ScreenPlacement PopupAtWindow(const ScreenRect& window, std::int32_t width, std::int32_t height,
                              const ScreenRect& area);

}  // namespace vellora
