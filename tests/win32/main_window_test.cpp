// The main window as the program creates it: classes, styles, layout, the
// status bar, the user-list rows and the keys of its controls.
#include <gtest/gtest.h>
#include <windows.h>

#include <commctrl.h>

#include <string>

#include "core/frm_main_win32.h"
#include "core/main_window_win32.h"
#include "dialogs/focus_state_win32.h"
#include "dialogs/toolkit_win32.h"
#include "dialogs/user_rows_win32.h"
#include "win32/gui_support.h"

namespace vellora {
namespace {

using test::ChildRect;
using test::MainObject;

std::wstring ClassOf(HWND w) {
    wchar_t name[64] = {};
    GetClassNameW(w, name, 64);
    return name;
}

// Sizes the main window so that its client area is W x H.
void SetClient(FrmMain& f, int w, int hgt) {
    RECT r{0, 0, w, hgt};
    AdjustWindowRectEx(&r, static_cast<DWORD>(GetWindowLongPtrW(f.h.MainWindow, GWL_STYLE)), FALSE,
                       static_cast<DWORD>(GetWindowLongPtrW(f.h.MainWindow, GWL_EXSTYLE)));
    SetWindowPos(f.h.MainWindow, nullptr, 0, 0, r.right - r.left, r.bottom - r.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    RECT c{};
    GetClientRect(f.h.MainWindow, &c);
    ASSERT_EQ(c.right, w);
    ASSERT_EQ(c.bottom, hgt);
}

TEST(MainWindowTest, ChildrenHaveTheirClassesStylesAndIds) {
    MainObject f;
    ASSERT_TRUE(f.loaded);
    const auto& h = f->h;
    EXPECT_EQ(ClassOf(h.MainWindow), L"VelloraWindow");
    EXPECT_EQ(GetWindowLongPtrW(h.MainWindow, GWL_EXSTYLE) & 0x00010004, 0x00010004);
    EXPECT_EQ(GetWindowLongPtrW(h.MainWindow, GWL_STYLE) & 0x06CF0000, 0x06CF0000);
    EXPECT_FALSE(IsWindowVisible(h.MainWindow));  // shown only once the chat is entered
    const std::wstring title = GetWindowTextString(h.MainWindow);
    EXPECT_EQ(title.rfind(L"Vellora ", 0), 0u) << std::string(title.begin(), title.end());
    EXPECT_NE(SendMessageW(h.MainWindow, WM_GETICON, ICON_SMALL, 0), 0);

    EXPECT_EQ(ClassOf(h.hMainInput), L"Edit");
    EXPECT_EQ(GetDlgCtrlID(h.hMainInput), 4097);
    EXPECT_EQ(GetWindowLongPtrW(h.hMainInput, GWL_STYLE) & 0x56011080, 0x56011080);
    EXPECT_EQ(ClassOf(h.hUserList), L"ListBox");
    // (The scroll-bar bits show only while the bars are needed.)
    EXPECT_EQ(GetWindowLongPtrW(h.hUserList, GWL_STYLE) & 0x56010121, 0x56010121);
    EXPECT_EQ(ClassOf(h.hChatPane), L"RichEdit20A");
    EXPECT_EQ(GetDlgCtrlID(h.hChatPane), 4097);
    EXPECT_EQ(SendMessageW(h.hChatPane, EM_GETLIMITTEXT, 0, 0), 0x10000000);
    EXPECT_EQ(ClassOf(h.hOptionsButton), L"Button");
    EXPECT_EQ(GetWindowTextString(h.hOptionsButton), L"...");
    EXPECT_EQ(ClassOf(h.hStatusBar), L"msctls_statusbar32");
    EXPECT_GT(h.StatusBarHeight, 0);
    EXPECT_GT(h.ListItemWidth, 100);
    // The input line, the list and the button share the interface font.
    EXPECT_EQ(SendMessageW(h.hMainInput, WM_GETFONT, 0, 0), reinterpret_cast<LRESULT>(h.UiFont));
    EXPECT_EQ(Focus.LastFocus, h.hMainInput);
}

TEST(MainWindowTest, ChatColumnFillsAFourHundredPixelWindow) {
    MainObject f;
    ASSERT_TRUE(f.loaded);
    f->client.settings.StatusBar = true;
    SetClient(*f, 400, 300);
    const int bar = f->h.StatusBarHeight;
    const int y = 300 - bar - 19;
    RECT list = ChildRect(f->h.hUserList), pane = ChildRect(f->h.hChatPane);
    RECT input = ChildRect(f->h.hMainInput), button = ChildRect(f->h.hOptionsButton);
    EXPECT_EQ(list.left, 0);
    EXPECT_EQ(list.right - list.left, 169);
    EXPECT_EQ(list.bottom, y);
    EXPECT_EQ(pane.left, 169);
    EXPECT_EQ(pane.right - pane.left, 231);
    EXPECT_EQ(input.left, 0);
    EXPECT_EQ(input.top, y);
    EXPECT_EQ(input.right - input.left, 375);
    EXPECT_EQ(button.left, 375);
    EXPECT_EQ(button.top, y);
    EXPECT_EQ(button.right - button.left, 25);
    EXPECT_EQ(ChildRect(f->h.hStatusBar).top, y + 19);  // directly above the status bar

    // Hidden status bar: the input line sits on the bottom edge.
    f->ShowStatusBar(false);
    EXPECT_FALSE(IsWindowVisible(f->h.hStatusBar));
    EXPECT_EQ(ChildRect(f->h.hMainInput).bottom, 300);
    EXPECT_EQ(ChildRect(f->h.hChatPane).bottom, 281);
    f->ShowStatusBar(true);
    EXPECT_EQ(ChildRect(f->h.hMainInput).bottom, 300 - bar);
}

TEST(MainWindowTest, NarrowWindowsGiveNoNegativeSizes) {
    MainObject f;
    ASSERT_TRUE(f.loaded);
    for (int w : {190, 150, 120}) {
        SetClient(*f, w, 120);
        RECT input = ChildRect(f->h.hMainInput), pane = ChildRect(f->h.hChatPane);
        EXPECT_GE(input.right - input.left, 0) << w;
        EXPECT_GE(pane.right - pane.left, 0) << w;
        EXPECT_EQ(ChildRect(f->h.hOptionsButton).left, input.right) << w;
    }
    SetClient(*f, 190, 120);
    EXPECT_EQ(ChildRect(f->h.hMainInput).right, 165);
    EXPECT_EQ(ChildRect(f->h.hChatPane).right - ChildRect(f->h.hChatPane).left, 21);
}

TEST(MainWindowTest, StatusBarTextHasOneSpaceOnEachSide) {
    MainObject f;
    ASSERT_TRUE(f.loaded);
    f->StatusBar_Panel_SetText(0, L"3 chatter, 4 listener");
    EXPECT_EQ(test::StatusBarText(f->h.hStatusBar, 0), L" 3 chatter, 4 listener ");
    f->StatusBar_Panel_SetText(0, L"");
    EXPECT_EQ(test::StatusBarText(f->h.hStatusBar, 0), L"  ");
}

TEST(MainWindowTest, UserRowsKeepTheirRecordsAndHeight) {
    MainObject f;
    ASSERT_TRUE(f.loaded);
    f->AddUserRow(L"anna", kRowIconPending, true);
    f->AddUserRow(L"ben", kRowIconNone, false);
    HICON own = LoadIconRes(1000, 32);
    f->AddUserRow(L"carl", reinterpret_cast<std::intptr_t>(own), true);
    HWND list = f->h.hUserList;
    EXPECT_EQ(SendMessageW(list, LB_GETCOUNT, 0, 0), 3);
    EXPECT_EQ(SendMessageW(list, LB_GETITEMHEIGHT, 1, 0), 36);
    EXPECT_EQ(GetListItem(list, 1)->first, L"ben");
    EXPECT_FALSE(GetListItem(list, 1)->normal);

    f->SetUserRowDetail(0, L"25, Berlin");
    f->SetUserRowNormal(0, false);
    EXPECT_EQ(GetListItem(list, 0)->second, L"25, Berlin");
    EXPECT_FALSE(GetListItem(list, 0)->normal);
    f->SetUserRowDetail(0, L"");  // an empty text keeps the detail
    EXPECT_EQ(GetListItem(list, 0)->second, L"25, Berlin");

    // A row's own icon is destroyed when it is replaced, and with the row.
    HICON second = LoadIconRes(1015, 32);
    f->SetUserRowPicture(2, reinterpret_cast<std::intptr_t>(second));
    ICONINFO info{};
    EXPECT_FALSE(GetIconInfo(own, &info));
    f->RemoveUserRow(2);
    EXPECT_FALSE(GetIconInfo(second, &info));
    EXPECT_EQ(SendMessageW(list, LB_GETCOUNT, 0, 0), 2);
    EXPECT_EQ(GetListItem(list, 1)->first, L"ben");
}

// Draws row Index of the list into a bitmap and counts the pixels in a band
// that differ from the row's background.
int InkInBand(FrmMain& f, int index, RECT band) {
    HWND list = f.h.hUserList;
    HDC screen = GetDC(list);
    HDC dc = CreateCompatibleDC(screen);
    HBITMAP bmp = CreateCompatibleBitmap(screen, 169, 36);
    ReleaseDC(list, screen);
    HGDIOBJ old = SelectObject(dc, bmp);
    DRAWITEMSTRUCT di{};
    di.CtlType = ODT_LISTBOX;
    di.itemID = static_cast<UINT>(index);
    di.itemAction = ODA_DRAWENTIRE;
    di.hwndItem = list;
    di.hDC = dc;
    di.rcItem = RECT{0, 0, 169, 36};
    di.itemData = static_cast<ULONG_PTR>(SendMessageW(list, LB_GETITEMDATA, static_cast<WPARAM>(index), 0));
    SendMessageW(f.h.MainWindow, WM_DRAWITEM, 0, reinterpret_cast<LPARAM>(&di));
    const COLORREF background = GetSysColor(COLOR_WINDOW);
    int ink = 0;
    for (int y = band.top; y < band.bottom; ++y)
        for (int x = band.left; x < band.right; ++x)
            if (GetPixel(dc, x, y) != background) ++ink;
    SelectObject(dc, old);
    DeleteObject(bmp);
    DeleteDC(dc);
    return ink;
}

TEST(MainWindowTest, RowsShowPictureNameAndDetail) {
    MainObject f;
    ASSERT_TRUE(f.loaded);
    f->AddUserRow(L"anna", kRowIconPending, true);
    f->AddUserRow(L"anna", 0, false);
    f->SetUserRowDetail(0, L"25, Berlin");
    const RECT icon{2, 2, 34, 34}, name{36, 2, 169, 18}, detail{36, 18, 169, 34};
    EXPECT_GT(InkInBand(*f, 0, icon), 50);
    EXPECT_GT(InkInBand(*f, 0, name), 20);
    EXPECT_GT(InkInBand(*f, 0, detail), 20);
    EXPECT_EQ(InkInBand(*f, 1, icon), 0);    // no picture
    EXPECT_EQ(InkInBand(*f, 1, detail), 0);  // no detail text
    // The grayed row's name is set in the regular, lighter type.
    EXPECT_LT(InkInBand(*f, 1, name), InkInBand(*f, 0, name));
}

TEST(MainWindowTest, TabMovesBetweenTheMainControls) {
    MainObject f;
    ASSERT_TRUE(f.loaded);
    ShowWindow(f->h.MainWindow, SW_SHOW);
    // Activating the window puts the focus into the input line.
    ASSERT_TRUE(test::FocusArrivesAt(f->h.MainWindow, f->h.hMainInput));
    SendMessageW(f->h.hMainInput, WM_KEYDOWN, VK_TAB, 0);
    EXPECT_EQ(GetFocus(), f->h.hUserList);
    SetFocus(f->h.hOptionsButton);
    EXPECT_EQ(Focus.LastFocus, f->h.hOptionsButton);
    SendMessageW(f->h.hOptionsButton, WM_KEYDOWN, VK_TAB, 0);
    EXPECT_EQ(GetFocus(), f->h.hMainInput);
    // Escape in the input line is swallowed; the text stays.
    SetWindowTextW(f->h.hMainInput, L"hello");
    SendMessageW(f->h.hMainInput, WM_KEYDOWN, VK_ESCAPE, 0);
    SendMessageW(f->h.hMainInput, WM_CHAR, 0x1B, 0);
    EXPECT_EQ(GetWindowTextString(f->h.hMainInput), L"hello");
}

TEST(MainWindowTest, ClosingTheWindowUnloadsTheObject) {
    MainObject f;
    ASSERT_TRUE(f.loaded);
    HWND main = f->h.MainWindow;
    SendMessageW(main, WM_CLOSE, 0, 0);
    EXPECT_TRUE(f->Unloaded());
    EXPECT_FALSE(IsWindow(main));
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof(wc);
    EXPECT_FALSE(GetClassInfoExW(ProgramInstance(), L"VelloraWindow", &wc));
}

}  // namespace
}  // namespace vellora
