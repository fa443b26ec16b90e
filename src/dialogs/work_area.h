#pragma once
// Keeping a window inside the work area of a monitor: the arithmetic, apart
// from the Win32 calls that find the work area.

#include <cstdint>
#include <functional>

namespace vellora {

struct ScreenRect {  // edges, right and bottom exclusive
    std::int32_t left = 0;
    std::int32_t top = 0;
    std::int32_t right = 0;
    std::int32_t bottom = 0;
    friend bool operator==(const ScreenRect&, const ScreenRect&) = default;
};

struct ScreenPlacement {  // a position and a size
    std::int32_t left = 0;
    std::int32_t top = 0;
    std::int32_t width = 0;
    std::int32_t height = 0;
    friend bool operator==(const ScreenPlacement&, const ScreenPlacement&) = default;
};

// Moves and, where it must, shrinks Rect into the work area that WorkAreaAt
// reports for the rectangle's centre: a window larger than the area gets the
// area's size, one that sticks out past the right or bottom edge is pushed
// back, and the left and top edges never leave the area.
ScreenPlacement ClampRectToWorkArea(const ScreenRect& rect,
                                    const std::function<ScreenRect(std::int32_t x, std::int32_t y)>& workAreaAt);

// Where a popup of Width x Height goes beside the mouse pointer at (CursorX,
// CursorY): below and right of the arrow's tip, clear of the arrow (its hot
// spot at (HotX, HotY) of a 32 x 32 cursor); above or left of it where the
// work area Area ends, and never outside Area's left and top edges.
struct CursorSpot {
    std::int32_t x = 0;
    std::int32_t y = 0;
    std::int32_t hotX = 0;
    std::int32_t hotY = 0;
};
ScreenPlacement PlaceNearCursor(std::int32_t width, std::int32_t height, const CursorSpot& cursor,
                                const ScreenRect& area);

}  // namespace vellora
