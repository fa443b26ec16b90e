#pragma once
// The docked column and the closing of dialogs, as far as no window is
// involved: which docked dialog a click on the main window hits, which icon
// of a tab label a point is on, moving a dialog up or down the column, the
// rule that keeps a dialog with a fresh line open, and the groups of dialogs
// the options menu closes.

#include <cstdint>

#include "core/client.h"

namespace vellora {

// The first docked dialog whose place holds the main window's client point
// (X, Y), or null.
Form2* DockedDialogAt(const DialogList& dialogs, std::int32_t x, std::int32_t y);

// A client point as mouse messages pack it: x in the low 16 bits, y in the
// high 16 bits. The main window reads x unsigned and y signed; the tab label
// reads both signed.
struct PackedPoint {
    std::int32_t x = 0;
    std::int32_t y = 0;
};
PackedPoint MainWindowPoint(std::intptr_t lParam);
PackedPoint SignedPoint(std::intptr_t lParam);

// The parts of a tab label: the name, then four 16-pixel icons at the right.
enum class TabCell : std::int32_t {
    Outside = -2,  // not on the label
    Name = -1,
    MoveUp = 0,
    MoveDown = 1,
    Release = 2,
    Close = 3,
};
inline constexpr std::int32_t kTabCellWidth = 16;
inline constexpr std::int32_t kTabLabelHeight = 16;

// Which part of a Width x Height label the point (X, Y) is on.
TabCell TabCellAt(std::int32_t width, std::int32_t height, std::int32_t x, std::int32_t y);
// The left edge of an icon cell in a label Width wide.
std::int32_t TabCellLeft(std::int32_t width, TabCell cell);

// Moves Dialog one place towards the end of the collection (MoveDown) or the
// start. False when nothing is to be laid out again: moving the first dialog
// up. Moving the last one down changes nothing but is laid out all the same.
bool MoveDialog(DialogList& dialogs, const Form2& dialog, bool moveDown);

// A dialog that had a line from its user less than 1500 ms ago stays open,
// so a close meant for the old state does not swallow the new line.
inline constexpr std::uint32_t kCloseGuardMs = 1500;
bool MayClose(const Form2& dialog);

// The groups of dialogs the options menu's "Close all dialogs" items close.
enum class DialogGroup { UserOffline, UserIdle, Docked, Undocked, All };
// True when Dialog belongs to Group: its user is not in the chat (offline),
// not in the chat or idle for GrayOrHilightUsersIdleTime minutes (idle), it
// is docked, it is not docked, or always.
bool InGroup(const Client& client, const Form2& dialog, DialogGroup group);

}  // namespace vellora
