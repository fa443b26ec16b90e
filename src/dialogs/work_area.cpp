#include "dialogs/work_area.h"

#include <algorithm>

#include "core/rounding.h"

namespace vellora {

ScreenPlacement ClampRectToWorkArea(const ScreenRect& rect,
                                    const std::function<ScreenRect(std::int32_t, std::int32_t)>& workAreaAt) {
    const auto cx = static_cast<std::int32_t>(DivRoundHalfEven(std::int64_t{rect.left} + rect.right, 2));
    const auto cy = static_cast<std::int32_t>(DivRoundHalfEven(std::int64_t{rect.top} + rect.bottom, 2));
    const ScreenRect a = workAreaAt(cx, cy);

    ScreenPlacement p;
    p.width = std::min(rect.right - rect.left, a.right - a.left);
    p.height = std::min(rect.bottom - rect.top, a.bottom - a.top);
    p.left = rect.left;
    p.top = rect.top;
    if (p.left + p.width > a.right) p.left = a.right - p.width;
    if (p.top + p.height > a.bottom) p.top = a.bottom - p.height;
    p.left = std::max(p.left, a.left);
    p.top = std::max(p.top, a.top);
    return p;
}

ScreenPlacement PlaceNearCursor(std::int32_t width, std::int32_t height, const CursorSpot& c, const ScreenRect& a) {
    // The gaps keep the popup off the arrow: right of and below its tip, or
    // left of and above it when it must flip.
    const std::int32_t down = c.hotY < 17 ? 16 : 36 - c.hotY;
    const std::int32_t right = c.hotX < 17 ? 16 : 36 - c.hotX;
    const std::int32_t up = c.hotY < 17 ? c.hotY + 4 : 16;
    const std::int32_t left = c.hotX < 17 ? c.hotX + 4 : 16;

    ScreenPlacement p{c.x + right, c.y + down, width, height};
    if (c.x + width + right > a.right) {
        p.left = c.x - width - left;
        if (p.left + width > a.right) p.left = a.right - width;
    }
    if (c.y + height + down > a.bottom) {
        p.top = c.y - height - up;
        if (p.top + height + down > a.bottom) p.top = a.bottom - height;
    }
    p.left = std::max(p.left, a.left);
    p.top = std::max(p.top, a.top);
    return p;
}

}  // namespace vellora
