#include "config/popup_placement.h"

#include <algorithm>

namespace vellora {
namespace {

// Right and bottom edges first, so that the left and top edges win when the
// menu is larger than the area.
ScreenPlacement KeepInside(ScreenPlacement p, const ScreenRect& a) {
    if (p.left + p.width > a.right) p.left = a.right - p.width;
    if (p.top + p.height > a.bottom) p.top = a.bottom - p.height;
    p.left = std::max(p.left, a.left);
    p.top = std::max(p.top, a.top);
    return p;
}

}  // namespace

ScreenPlacement PopupAtListRow(const ScreenRect& list, std::int32_t rowTop, std::int32_t rowHeight, std::int32_t width,
                               std::int32_t height, const ScreenRect& area) {
    const std::int32_t listWidth = list.right - list.left;
    ScreenPlacement p{list.left, rowTop + rowHeight * 5 / 4, width, height};
    if (listWidth > width) p.left = list.left + (listWidth - width) / 2;
    if (p.top + height > area.bottom) p.top = rowTop - rowHeight / 4 - height;
    return KeepInside(p, area);
}

ScreenPlacement PopupAtWindow(const ScreenRect& window, std::int32_t width, std::int32_t height,
                              const ScreenRect& area) {
    const std::int32_t quarterWidth = (window.right - window.left) / 4;
    const std::int32_t quarterHeight = (window.bottom - window.top) / 4;
    ScreenPlacement p{window.left + quarterWidth, window.bottom - quarterHeight, width, height};
    if (p.left + width > area.right) p.left = window.right - quarterWidth - width;
    if (p.top + height > area.bottom) p.top = window.top + quarterHeight - height;
    return KeepInside(p, area);
}

}  // namespace vellora
