#pragma once
// Window placement inside the work area of a monitor.

#include <windows.h>

#include "dialogs/work_area.h"

namespace vellora {

// The work area of the monitor nearest to (X, Y); the primary work area
// where monitors cannot be asked.
ScreenRect GetWorkAreaAt(std::int32_t x, std::int32_t y);

// Moves and sizes Window so that its restored rectangle lies inside the work
// area of the monitor at its centre (no Z-order change, no activation).
void FitWindowOnScreen(HWND window);

// Where a popup of Width x Height goes beside the mouse pointer, inside the
// work area of the monitor under it.
ScreenPlacement PlaceNearCursor(std::int32_t width, std::int32_t height);

}  // namespace vellora
