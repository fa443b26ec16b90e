#include "core/main_layout.h"

#include <algorithm>

#include "core/rounding.h"

namespace vellora {
namespace {

std::int32_t AtLeastZero(std::int64_t v) { return static_cast<std::int32_t>(std::max<std::int64_t>(v, 0)); }

// The docked column: 0.4 of the width, but the chat column keeps at least
// the user list's width.
void LayOutDockedColumn(const MainLayoutInput& in, std::int32_t w, std::int32_t h, MainLayout& out) {
    const auto d = static_cast<std::int64_t>(in.dockedOwnsFocus.size());
    out.chatWidth = w;
    out.dockWidth = 0;
    if (d == 0) return;

    std::int64_t dockW = DivRoundHalfEven(std::int64_t{w} * 4, 10);
    std::int64_t chatW = DivRoundHalfEven(std::int64_t{w} * 6, 10);
    if (chatW < kUserListWidth) {
        chatW = kUserListWidth;
        dockW = std::max<std::int64_t>(w - kUserListWidth, 0);
    }
    out.chatWidth = static_cast<std::int32_t>(chatW);
    out.dockWidth = static_cast<std::int32_t>(dockW);

    const bool focusDocked = std::find(in.dockedOwnsFocus.begin(), in.dockedOwnsFocus.end(), true) !=
                             in.dockedOwnsFocus.end();
    std::int64_t base, full;
    if (in.autoHideDialogTextBoxes) {
        // Only the focused dialog keeps its input line; the others share
        // what is left. A window too low for that gets empty dialogs rather
        // than negative heights.
        base = std::max<std::int64_t>(DivRoundHalfEven(h - (focusDocked ? kInputHeight : 0), d), 0);
        full = base + kInputHeight;
    } else {
        base = full = DivRoundHalfEven(h, d);
    }

    std::int64_t y = 0;
    for (std::int64_t k = 0; k < d; ++k) {
        DockedPlacement p;
        const bool showsInput = !in.autoHideDialogTextBoxes || in.dockedOwnsFocus[static_cast<std::size_t>(k)];
        const std::int64_t height = showsInput ? full : base;
        p.rect = {out.chatWidth, static_cast<std::int32_t>(y), out.dockWidth, static_cast<std::int32_t>(height)};
        p.inputHidden = !showsInput;
        p.upEnabled = k != 0;
        p.downEnabled = k != d - 1;
        out.docked.push_back(p);
        y += height;
    }
}

}  // namespace

MainLayout ComputeMainLayout(const MainLayoutInput& in) {
    MainLayout out;
    const std::int32_t w = AtLeastZero(in.clientWidth);
    std::int32_t h = AtLeastZero(in.clientHeight);
    out.statusBarRight = w;
    if (in.statusBarShown) h = AtLeastZero(std::int64_t{h} - in.statusBarHeight);

    LayOutDockedColumn(in, w, h, out);

    const std::int32_t c = out.chatWidth;
    const std::int32_t y = AtLeastZero(std::int64_t{h} - kInputHeight);
    const std::int32_t b = AtLeastZero(std::int64_t{c} - kOptionsButtonWidth);
    out.optionsButton = {b, y, kOptionsButtonWidth, kInputHeight};
    out.mainInput = {0, y, b, kInputHeight};
    out.userList = {0, 0, kUserListWidth, y};
    out.chatPane = {kUserListWidth, 0, AtLeastZero(std::int64_t{c} - kUserListWidth), y};
    return out;
}

}  // namespace vellora
