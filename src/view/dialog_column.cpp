#include "view/dialog_column.h"

#include <algorithm>

#include "view/user_relations.h"

namespace vellora {

Form2* DockedDialogAt(const DialogList& dialogs, std::int32_t x, std::int32_t y) {
    for (const std::unique_ptr<Form2>& dialog : dialogs) {
        const LayoutRect& r = dialog->DockedPos;
        if (dialog->IsDocked && r.x <= x && x < r.x + r.width && r.y <= y && y < r.y + r.height)
            return dialog.get();
    }
    return nullptr;
}

PackedPoint MainWindowPoint(std::intptr_t lParam) {
    const auto bits = static_cast<std::uint32_t>(lParam);
    return {static_cast<std::int32_t>(bits & 0xFFFF), static_cast<std::int16_t>(bits >> 16)};
}

PackedPoint SignedPoint(std::intptr_t lParam) {
    const auto bits = static_cast<std::uint32_t>(lParam);
    return {static_cast<std::int16_t>(bits & 0xFFFF), static_cast<std::int16_t>(bits >> 16)};
}

std::int32_t TabCellLeft(std::int32_t width, TabCell cell) {
    return width - (4 - static_cast<std::int32_t>(cell)) * kTabCellWidth;
}

TabCell TabCellAt(std::int32_t width, std::int32_t height, std::int32_t x, std::int32_t y) {
    if (x < 0 || y < 0 || x >= width || y >= height) return TabCell::Outside;
    // A cell starts just right of its left edge; the edge still counts to
    // the part left of it.
    for (TabCell cell : {TabCell::Close, TabCell::Release, TabCell::MoveDown, TabCell::MoveUp}) {
        if (x > TabCellLeft(width, cell)) return cell;
    }
    return TabCell::Name;
}

bool MoveDialog(DialogList& dialogs, const Form2& dialog, bool moveDown) {
    auto at = std::find_if(dialogs.begin(), dialogs.end(), [&](const auto& d) { return d.get() == &dialog; });
    if (at == dialogs.end()) return false;
    if (moveDown) {
        if (at + 1 != dialogs.end()) std::iter_swap(at, at + 1);
        return true;
    }
    if (at == dialogs.begin()) return false;
    std::iter_swap(at - 1, at);
    return true;
}

bool MayClose(const Form2& dialog) { return TickElapsed(dialog.LastMsgTime, kCloseGuardMs); }

bool InGroup(const Client& client, const Form2& dialog, DialogGroup group) {
    switch (group) {
    case DialogGroup::UserOffline:
        return FindRosterEntry(client.roster, dialog.DlgUser) < 0;
    case DialogGroup::UserIdle: {
        int index = FindRosterEntry(client.roster, dialog.DlgUser);
        return index < 0 ||
               TickElapsed(client.roster[static_cast<std::size_t>(index)].LastActivity, IdleMs(client.settings));
    }
    case DialogGroup::Docked:
        return dialog.IsDocked;
    case DialogGroup::Undocked:
        return !dialog.IsDocked;
    case DialogGroup::All:
        return true;
    }
    return false;
}

}  // namespace vellora
