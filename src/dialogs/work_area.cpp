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

}  // namespace vellora
