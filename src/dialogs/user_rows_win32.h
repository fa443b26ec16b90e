#pragma once
// The rows of the owner-drawn user list: one record per row, held as the
// row's item data, and the drawing of a row (36 pixels: the user's picture,
// the name in bold or regular type, a detail line below it).

#include <windows.h>

#include <cstdint>
#include <string>

#include "dialogs/handles_win32.h"

namespace vellora {

// Row picture values besides an icon handle.
inline constexpr std::intptr_t kRowIconPending = -1;  // shared icon 1100: no picture yet
inline constexpr std::intptr_t kRowIconNone = -2;     // shared icon 1120: no picture could be made
inline constexpr int kUserRowHeight = 36;

// True for a picture value that is an icon handle.
inline bool IsRowIcon(std::intptr_t picture) {
    return picture != 0 && picture != kRowIconPending && picture != kRowIconNone;
}

struct ListItemRecord {
    std::intptr_t icon = 0;  // what the row shows: an icon, kRowIconPending, kRowIconNone or 0
    OwnedIcon ownIcon;       // the icon when the row owns it (shared icons are not the row's)
    std::wstring first;      // the user's name
    std::wstring second;     // detail text (age and place), may be empty
    bool normal = true;      // false: drawn grayed (regular type)
};

// What the rows are drawn with; owned by the main window.
struct UserRowStyle {
    HFONT boldFont = nullptr;
    HFONT regularFont = nullptr;
    HICON pendingIcon = nullptr;
    HICON noneIcon = nullptr;
};

// Adds a row at the end; its index, or -1 (the record is then released).
// With OwnsIcon the row takes Icon and destroys it with the row.
int AddListItem(HWND list, const std::wstring& text, std::intptr_t icon, bool ownsIcon, bool normal);
// Sets the row's icon and detail text and repaints the list. An icon of -1
// leaves the icon as it is, an empty text the detail text; an icon the row
// owned before is destroyed when replaced.
void UpdateListItem(HWND list, int index, std::intptr_t icon, bool ownsIcon, const std::wstring& text);
void SetListItemFlag(HWND list, int index, bool normal);
// The record of a row, or null.
const ListItemRecord* GetListItem(HWND list, int index);

// The list's owner routes these three messages here.
void MeasureUserRow(MEASUREITEMSTRUCT& item);
void DeleteUserRow(const DELETEITEMSTRUCT& item);
void DrawUserRow(const DRAWITEMSTRUCT& item, const UserRowStyle& style);

}  // namespace vellora
