#pragma once
// The rows of the owner-drawn user list: one record per row, held as the
// row's item data, and the drawing of a row (36 pixels: the user's picture,
// the name in bold or regular type, a detail line below it).

#include <windows.h>

#include <cstdint>
#include <string>

namespace vellora {

// Row picture values besides an icon handle the record owns.
inline constexpr std::intptr_t kRowIconPending = -1;  // shared icon 1100: no picture yet
inline constexpr std::intptr_t kRowIconNone = -2;     // shared icon 1120: no picture could be made
inline constexpr int kUserRowHeight = 36;

struct ListItemRecord {
    std::intptr_t icon = 0;   // an owned HICON, kRowIconPending, kRowIconNone or 0
    std::wstring first;       // the user's name
    std::wstring second;      // detail text (age and place), may be empty
    bool normal = true;       // false: drawn grayed (regular type)
};

// What the rows are drawn with; owned by the main window.
struct UserRowStyle {
    HFONT boldFont = nullptr;
    HFONT regularFont = nullptr;
    HICON pendingIcon = nullptr;
    HICON noneIcon = nullptr;
};

// Adds a row at the end; its index, or -1 (the record is then released).
int AddListItem(HWND list, const std::wstring& text, std::intptr_t icon, bool normal);
// Sets the row's icon and detail text and repaints the list. An icon of -1
// leaves the icon as it is, an empty text the detail text; an icon the row
// owned before is destroyed when replaced.
void UpdateListItem(HWND list, int index, std::intptr_t icon, const std::wstring& text);
void SetListItemFlag(HWND list, int index, bool normal);
// The record of a row, or null.
const ListItemRecord* GetListItem(HWND list, int index);
// Releases a record and the icon it owns.
void FreeListItem(ListItemRecord* record);

// The list's owner routes these three messages here.
void MeasureUserRow(MEASUREITEMSTRUCT& item);
void DeleteUserRow(const DELETEITEMSTRUCT& item);
void DrawUserRow(const DRAWITEMSTRUCT& item, const UserRowStyle& style);

}  // namespace vellora
