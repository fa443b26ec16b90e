#include "dialogs/user_rows_win32.h"

namespace vellora {

namespace {

ListItemRecord* RecordOf(LRESULT data) {
    if (data == LB_ERR || data == 0) return nullptr;
    return reinterpret_cast<ListItemRecord*>(data);
}

bool OwnsIcon(std::intptr_t icon) { return icon != 0 && icon != kRowIconPending && icon != kRowIconNone; }

}  // namespace

int AddListItem(HWND list, const std::wstring& text, std::intptr_t icon, bool normal) {
    auto* record = new ListItemRecord{icon, text, {}, normal};
    // The row's string is the user's name, for screen readers and LB_GETTEXT;
    // the drawing takes everything from the record in the item data.
    LRESULT index = SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
    if (index == LB_ERR || index == LB_ERRSPACE) {
        FreeListItem(record);
        return -1;
    }
    if (SendMessageW(list, LB_SETITEMDATA, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(record)) == LB_ERR) {
        SendMessageW(list, LB_DELETESTRING, static_cast<WPARAM>(index), 0);
        FreeListItem(record);
        return -1;
    }
    SendMessageW(list, LB_SETITEMHEIGHT, static_cast<WPARAM>(index), kUserRowHeight);
    return static_cast<int>(index);
}

void UpdateListItem(HWND list, int index, std::intptr_t icon, const std::wstring& text) {
    ListItemRecord* record = RecordOf(SendMessageW(list, LB_GETITEMDATA, static_cast<WPARAM>(index), 0));
    if (!record) return;
    if (icon != kRowIconPending && icon != record->icon) {
        if (OwnsIcon(record->icon)) DestroyIcon(reinterpret_cast<HICON>(record->icon));
        record->icon = icon;
    }
    if (!text.empty()) record->second = text;
    InvalidateRect(list, nullptr, TRUE);
}

void SetListItemFlag(HWND list, int index, bool normal) {
    ListItemRecord* record = RecordOf(SendMessageW(list, LB_GETITEMDATA, static_cast<WPARAM>(index), 0));
    if (!record) return;
    record->normal = normal;
    InvalidateRect(list, nullptr, TRUE);
}

const ListItemRecord* GetListItem(HWND list, int index) {
    return RecordOf(SendMessageW(list, LB_GETITEMDATA, static_cast<WPARAM>(index), 0));
}

void FreeListItem(ListItemRecord* record) {
    if (!record) return;
    if (OwnsIcon(record->icon)) DestroyIcon(reinterpret_cast<HICON>(record->icon));
    delete record;
}

void MeasureUserRow(MEASUREITEMSTRUCT& item) { item.itemHeight = kUserRowHeight; }

void DeleteUserRow(const DELETEITEMSTRUCT& item) {
    FreeListItem(reinterpret_cast<ListItemRecord*>(item.itemData));
}

void DrawUserRow(const DRAWITEMSTRUCT& item, const UserRowStyle& style) {
    HDC dc = item.hDC;
    if (!dc) return;
    RECT rc = item.rcItem;
    const bool selected = (item.itemState & ODS_SELECTED) != 0;
    const bool focused = (item.itemState & ODS_FOCUS) != 0;

    int fill = COLOR_WINDOW;
    int back = COLOR_WINDOW;
    int fore = -1;  // keep the device context's text colour
    if (selected && focused) {
        fill = back = COLOR_HIGHLIGHT;
        fore = COLOR_HIGHLIGHTTEXT;
    } else if (selected) {
        fill = back = COLOR_BTNFACE;
        fore = COLOR_BTNTEXT;
    }
    FillRect(dc, &rc, GetSysColorBrush(fill));
    COLORREF oldBack = SetBkColor(dc, GetSysColor(back));
    COLORREF oldFore = fore >= 0 ? SetTextColor(dc, GetSysColor(fore)) : GetTextColor(dc);

    const auto* record = (item.itemID == static_cast<UINT>(-1)) ? nullptr
                                                                 : reinterpret_cast<const ListItemRecord*>(item.itemData);
    if (record) {
        HICON icon = nullptr;
        if (record->icon == kRowIconPending) icon = style.pendingIcon;
        else if (record->icon == kRowIconNone) icon = style.noneIcon;
        else icon = reinterpret_cast<HICON>(record->icon);
        if (icon) DrawIconEx(dc, rc.left + 2, rc.top + 2, icon, 32, 32, 0, nullptr, DI_NORMAL);

        HFONT bold = style.boldFont ? style.boldFont : style.regularFont;
        HFONT regular = style.regularFont ? style.regularFont : style.boldFont;
        HFONT nameFont = record->normal ? bold : regular;
        HGDIOBJ oldFont = nameFont ? SelectObject(dc, nameFont) : nullptr;
        const UINT flags = DT_NOPREFIX | DT_NOCLIP | DT_BOTTOM | DT_SINGLELINE;
        RECT nameRect{rc.left + 36, rc.top + 2, rc.right, rc.top + 18};
        DrawTextW(dc, record->first.c_str(), static_cast<int>(record->first.size()), &nameRect, flags);
        if (!record->second.empty()) {
            if (regular) SelectObject(dc, regular);
            RECT detailRect{rc.left + 36, rc.top + 18, rc.right, rc.top + 34};
            DrawTextW(dc, record->second.c_str(), static_cast<int>(record->second.size()), &detailRect, flags);
        }
        if (oldFont) SelectObject(dc, oldFont);
    }
    SetBkColor(dc, oldBack);
    SetTextColor(dc, oldFore);
    if (focused) DrawFocusRect(dc, &rc);
}

}  // namespace vellora
