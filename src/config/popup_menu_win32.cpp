#include "config/popup_menu_win32.h"

#include <algorithm>
#include <string>

#include "config/popup_placement.h"
#include "dialogs/placement_win32.h"
#include "dialogs/toolkit_win32.h"
#include "notify/notifications_win32.h"

namespace vellora {

namespace {

ScreenRect ScreenRectOf(HWND window) {
    RECT r{};
    GetWindowRect(window, &r);
    return {r.left, r.top, r.right, r.bottom};
}

// The width of an item's text as the menu draws it: without the mnemonic
// marks, with room between the label and a shortcut after a tab.
int TextWidth(HDC dc, std::wstring text) {
    text.erase(std::remove(text.begin(), text.end(), L'&'), text.end());
    std::replace(text.begin(), text.end(), L'\t', L' ');
    SIZE size{};
    GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &size);
    return size.cx;
}

// The size the menu will have on the screen, measured from its items in the
// menu font: room for check marks and submenu arrows on both sides of the
// widest text, a row per item (half a row per separator) and the frame.
SIZE MeasurePopupMenu(HMENU menu) {
    NONCLIENTMETRICSW ncm{};
    ncm.cbSize = sizeof(ncm);
    SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(ncm), &ncm, 0);
    OwnedFont font(CreateFontIndirectW(&ncm.lfMenuFont));
    OwnedMemoryDc dc = CreateMemoryDc();
    Selection selected(dc, font);
    TEXTMETRICW tm{};
    GetTextMetricsW(dc, &tm);
    const int row = std::max<int>(GetSystemMetrics(SM_CYMENUSIZE), tm.tmHeight + 4);

    int widest = 0;
    int height = 0;
    for (int i = 0, n = GetMenuItemCount(menu); i < n; ++i) {
        wchar_t text[256] = {};
        MENUITEMINFOW info{};
        info.cbSize = sizeof(info);
        info.fMask = MIIM_FTYPE | MIIM_STRING;
        info.dwTypeData = text;
        info.cch = 255;
        GetMenuItemInfoW(menu, static_cast<UINT>(i), TRUE, &info);
        if (info.fType & MFT_SEPARATOR) {
            height += row / 2;
        } else {
            height += row;
            widest = std::max(widest, TextWidth(dc, text));
        }
    }
    return SIZE{
        widest + 2 * GetSystemMetrics(SM_CXMENUCHECK) + 2 * tm.tmAveCharWidth + 2 * GetSystemMetrics(SM_CXDLGFRAME),
        height + 2 * GetSystemMetrics(SM_CYDLGFRAME)};
}

bool IsListBox(HWND window) {
    wchar_t name[16] = {};
    GetClassNameW(window, name, 16);
    return _wcsicmp(name, L"ListBox") == 0;
}

// Below (or above) the list's caret row, which is first scrolled into the
// middle of the list when it cannot be seen.
ScreenPlacement PlaceAtListRow(HWND list, SIZE size) {
    const ScreenRect listRect = ScreenRectOf(list);
    const ScreenRect area = GetWorkAreaAt((listRect.left + listRect.right) / 2, (listRect.top + listRect.bottom) / 2);
    const LRESULT caret = SendMessageW(list, LB_GETCARETINDEX, 0, 0);
    RECT client{}, row{};
    GetClientRect(list, &client);
    if (caret < 0 ||
        SendMessageW(list, LB_GETITEMRECT, static_cast<WPARAM>(caret), reinterpret_cast<LPARAM>(&row)) == LB_ERR) {
        return PopupAtWindow(listRect, size.cx, size.cy, area);
    }
    if (row.top < client.top || row.bottom > client.bottom) {
        const int rowHeight = std::max<int>(1, row.bottom - row.top);
        const LRESULT shown = client.bottom / rowHeight;
        SendMessageW(list, LB_SETTOPINDEX, static_cast<WPARAM>(std::max<LRESULT>(0, caret - shown / 2)), 0);
        SendMessageW(list, LB_GETITEMRECT, static_cast<WPARAM>(caret), reinterpret_cast<LPARAM>(&row));
    }
    MapWindowPoints(list, nullptr, reinterpret_cast<POINT*>(&row), 2);
    return PopupAtListRow(listRect, row.top, row.bottom - row.top, size.cx, size.cy, area);
}

ScreenPlacement PlaceAtAnchor(HWND anchor, SIZE size) {
    if (IsListBox(anchor)) return PlaceAtListRow(anchor, size);
    const ScreenRect r = ScreenRectOf(anchor);
    return PopupAtWindow(r, size.cx, size.cy, GetWorkAreaAt((r.left + r.right) / 2, (r.top + r.bottom) / 2));
}

}  // namespace

OwnedMenu LoadMenuRes(int id) { return OwnedMenu(LoadMenuW(ProgramInstance(), MAKEINTRESOURCEW(id))); }

OwnedMenu WrapInPopup(OwnedMenu& menu, bool keepOnFailure) {
    OwnedMenu wrapper(CreatePopupMenu());
    if (wrapper && menu && AppendMenuW(wrapper, MF_POPUP | MF_STRING, reinterpret_cast<UINT_PTR>(menu.get()), L"")) {
        menu.release();
        return wrapper;
    }
    if (!keepOnFailure) menu.reset();
    return OwnedMenu();
}

int ShowPopupMenu(HWND owner, HMENU wrapper, HWND anchor, Notifications* tips) {
    HMENU menu = PopupItems(wrapper);
    if (!menu) return 0;
    const SIZE size = MeasurePopupMenu(menu);
    const ScreenPlacement at = anchor ? PlaceAtAnchor(anchor, size) : PlaceNearCursor(size.cx, size.cy);
    if (tips) tips->TooltipSuspend();
    const int command = static_cast<int>(
        TrackPopupMenuEx(menu, TPM_LEFTALIGN | TPM_TOPALIGN | TPM_RIGHTBUTTON | TPM_RETURNCMD | TPM_NONOTIFY, at.left,
                         at.top, owner, nullptr));
    // Lets the menu close properly when it was dismissed by a click elsewhere.
    PostMessageW(owner, WM_NULL, 0, 0);
    if (tips) tips->TooltipResume();
    return command;
}

}  // namespace vellora
