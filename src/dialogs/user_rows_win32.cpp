#include "dialogs/user_rows_win32.h"

#include <memory>

namespace vellora {

namespace {

ListItemRecord* RecordOf(LRESULT data) {
    if (data == LB_ERR || data == 0) return nullptr;
    return reinterpret_cast<ListItemRecord*>(data);
}

void SetIcon(ListItemRecord& record, std::intptr_t icon, bool ownsIcon) {
    record.icon = icon;
    record.ownIcon.reset(ownsIcon && IsRowIcon(icon) ? reinterpret_cast<HICON>(icon) : nullptr);
}

}  // namespace

int AddListItem(HWND list, const std::wstring& text, std::intptr_t icon, bool ownsIcon, bool normal) {
    auto record = std::make_unique<ListItemRecord>();
    SetIcon(*record, icon, ownsIcon);
    record->first = text;
    record->normal = normal;
    // The row's string is the user's name, for screen readers and LB_GETTEXT;
    // the drawing takes everything from the record in the item data, which
    // the list owns from here on (WM_DELETEITEM gives it back).
    LRESULT index = SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
    if (index == LB_ERR || index == LB_ERRSPACE) return -1;
    if (SendMessageW(list, LB_SETITEMDATA, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(record.get())) ==
        LB_ERR) {
        SendMessageW(list, LB_DELETESTRING, static_cast<WPARAM>(index), 0);
        return -1;
    }
    record.release();
    SendMessageW(list, LB_SETITEMHEIGHT, static_cast<WPARAM>(index), kUserRowHeight);
    return static_cast<int>(index);
}

void UpdateListItem(HWND list, int index, std::intptr_t icon, bool ownsIcon, const std::wstring& text) {
    ListItemRecord* record = RecordOf(SendMessageW(list, LB_GETITEMDATA, static_cast<WPARAM>(index), 0));
    if (!record) return;
    if (icon != kRowIconPending && icon != record->icon) SetIcon(*record, icon, ownsIcon);
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

void MeasureUserRow(MEASUREITEMSTRUCT& item) { item.itemHeight = kUserRowHeight; }

void DeleteUserRow(const DELETEITEMSTRUCT& item) { delete reinterpret_cast<ListItemRecord*>(item.itemData); }

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
        Selection font(dc, nameFont);
        const UINT flags = DT_NOPREFIX | DT_NOCLIP | DT_BOTTOM | DT_SINGLELINE;
        RECT nameRect{rc.left + 36, rc.top + 2, rc.right, rc.top + 18};
        DrawTextW(dc, record->first.c_str(), static_cast<int>(record->first.size()), &nameRect, flags);
        if (!record->second.empty()) {
            if (regular) SelectObject(dc, regular);
            RECT detailRect{rc.left + 36, rc.top + 18, rc.right, rc.top + 34};
            DrawTextW(dc, record->second.c_str(), static_cast<int>(record->second.size()), &detailRect, flags);
        }
    }
    SetBkColor(dc, oldBack);
    SetTextColor(dc, oldFore);
    if (focused) DrawFocusRect(dc, &rc);
}

}  // namespace vellora
