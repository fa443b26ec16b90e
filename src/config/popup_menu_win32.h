#pragma once
// Popup menus from the program's menu resources: loading one, wrapping it
// into a popup that owns it, and showing it beside the mouse or a window
// until the user chooses an item.

#include <windows.h>

#include "dialogs/handles_win32.h"

namespace vellora {

class Notifications;

// Menu resource Id of the program in the user's interface language, or null.
OwnedMenu LoadMenuRes(int id);

// A new popup menu holding Menu as its single submenu; it owns Menu from
// then on (destroying it destroys both). When no popup can be made Menu is
// destroyed, or kept with KeepOnFailure.
OwnedMenu WrapInPopup(OwnedMenu& menu, bool keepOnFailure);

// The menu a wrapper shows (its submenu), or null.
inline HMENU PopupItems(HMENU wrapper) { return wrapper ? GetSubMenu(wrapper, 0) : nullptr; }

// Shows the menu of Wrapper for Owner: beside the mouse cursor without an
// Anchor, else below the anchor list's caret row or over a corner of the
// anchor window, always inside the work area. Tooltips are held back while
// it is open. The chosen command, 0 when the user chose nothing.
int ShowPopupMenu(HWND owner, HMENU wrapper, HWND anchor, Notifications* tips);

}  // namespace vellora
