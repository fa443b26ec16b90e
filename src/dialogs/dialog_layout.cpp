#include "dialogs/dialog_layout.h"

#include <algorithm>

#include "core/rounding.h"
#include "view/dialog_column.h"

namespace vellora {

DialogLayout ComputeDialogLayout(const LayoutRect& place, bool docked, bool hideInput) {
    DialogLayout l;
    const std::int32_t w = std::max(place.width, 0);
    std::int32_t y = place.y;
    std::int32_t height = place.height;
    std::int32_t column = kFloatingPictureWidth;
    std::int32_t pictureMax = kFloatingPictureHeight;
    if (docked) {
        l.label = {place.x, y, w, kTabLabelHeight};
        y += kTabLabelHeight;
        height -= kTabLabelHeight;
        column = kDockedPictureWidth;
        pictureMax = kDockedPictureHeight;
    }
    const std::int32_t contentX = place.x + column;
    const std::int32_t contentW = std::max(w - column, 0);
    // A place lower than the label leaves nothing below it, never less.
    const std::int32_t contentH = std::max(height, 0);
    if (hideInput) {
        l.pane = {contentX, y, contentW, contentH};
        l.input = {contentX, kHiddenInputY, contentW, kInputHeight};
    } else {
        const std::int32_t paneH = std::max(contentH - kInputHeight, 0);
        l.pane = {contentX, y, contentW, paneH};
        l.input = {contentX, y + paneH, contentW, kInputHeight};
    }
    const std::int32_t pictureH = std::min(contentH, pictureMax);
    const auto offset = static_cast<std::int32_t>(std::max<std::int64_t>(DivRoundHalfEven(contentH - pictureH, 2), 0));
    l.picture = {place.x, y + offset, column, pictureH};
    return l;
}

}  // namespace vellora
