// The main window as the program creates it: classes, ids, layout, the
// status bar, the user-list rows and the keys of its controls.
#include <gtest/gtest.h>
#include <windows.h>

#include "core/main_window_win32.h"
#include "win32/gui_support.h"

namespace vellora {
namespace {

using test::ChildRect;
using test::MainObject;

// Written with the platform's names, the styles are the numbers other
// programs know the windows by.
static_assert(kMainWindowExStyle == 0x00010004 && kMainWindowStyle == 0x06CF1000);
static_assert(kMainInputStyle == 0x56011080 && kUserListStyle == 0x56310121 && kChatPaneStyle == 0x5020494C);
static_assert(kOptionsButtonStyle == 0x56010000 && kStatusBarStyle == 0x56000100 && kProgramClassStyle == 0x4B);

std::wstring ClassOf(HWND w) {
    wchar_t name[64] = {};
    GetClassNameW(w, name, 64);
    return name;
}

TEST(MainWindowTest, ChildrenHaveTheirClassesIdsAndPlaces) {
    MainObject f;
    ASSERT_TRUE(f.loaded);
    const auto& h = f->h;
    EXPECT_EQ(ClassOf(h.MainWindow), L"VelloraWindow");
    EXPECT_FALSE(IsWindowVisible(h.MainWindow));  // shown only once the chat is entered
    EXPECT_EQ(GetWindowTextString(h.MainWindow).rfind(L"Vellora ", 0), 0u);
    EXPECT_NE(SendMessageW(h.MainWindow, WM_GETICON, ICON_SMALL, 0), 0);
    EXPECT_EQ(ClassOf(h.hMainInput) + ClassOf(h.hUserList) + ClassOf(h.hChatPane) + ClassOf(h.hOptionsButton) +
                  ClassOf(h.hStatusBar),
              L"EditListBoxRichEdit20AButtonmsctls_statusbar32");
    EXPECT_EQ(GetDlgCtrlID(h.hMainInput), 4097);
    EXPECT_EQ(GetDlgCtrlID(h.hChatPane), 4097);
    EXPECT_EQ(SendMessageW(h.hChatPane, EM_GETLIMITTEXT, 0, 0), 0x10000000);
    EXPECT_EQ(GetWindowTextString(h.hOptionsButton), L"...");
    // The input line, the list and the button share the interface font.
    EXPECT_EQ(SendMessageW(h.hMainInput, WM_GETFONT, 0, 0), reinterpret_cast<LRESULT>(h.UiFont.get()));
    EXPECT_EQ(f->focus.LastFocus, h.hMainInput);
    f->StatusBar_Panel_SetText(0, L"3 chatter, 4 listener");
    EXPECT_EQ(test::StatusBarText(h.hStatusBar, 0), L" 3 chatter, 4 listener ");

    // The layout's numbers are the portable layout's (tested there); here the
    // input line sits directly above the status bar, or on the bottom edge
    // without it.
    RECT r{0, 0, 400, 300};
    AdjustWindowRectEx(&r, kMainWindowStyle, FALSE, kMainWindowExStyle);
    SetWindowPos(h.MainWindow, nullptr, 0, 0, r.right - r.left, r.bottom - r.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    const RECT pane = ChildRect(h.hChatPane), input = ChildRect(h.hMainInput);
    EXPECT_EQ(pane.left, 169);
    EXPECT_EQ(pane.right, 400);
    EXPECT_EQ(input.bottom, ChildRect(h.hStatusBar).top);
    EXPECT_EQ(ChildRect(h.hOptionsButton).left, input.right);
    f->ShowStatusBar(false);
    EXPECT_FALSE(IsWindowVisible(h.hStatusBar));
    EXPECT_EQ(ChildRect(h.hMainInput).bottom, 300);
}

bool IconAlive(RowPicture icon) {
    ICONINFO info{};
    if (!GetIconInfo(reinterpret_cast<HICON>(icon), &info)) return false;
    OwnedBitmap color(info.hbmColor), mask(info.hbmMask);
    return true;
}

TEST(MainWindowTest, UserRowsKeepTheirRecordsAndOwnOnlyTheirOwnIcons) {
    MainObject f;
    ASSERT_TRUE(f.loaded);
    HWND list = f->h.hUserList;
    auto own = reinterpret_cast<RowPicture>(LoadIconRes(1000, 32).release());
    f->AddUserRow(L"anna", kRowIconPending, true);
    f->AddUserRow(L"ben", kRowIconNone, false);
    f->AddUserRow(L"carl", own, true);
    EXPECT_EQ(GetListItem(list, 1)->first, L"ben");
    EXPECT_FALSE(GetListItem(list, 1)->normal);
    f->SetUserRowDetail(0, L"25, Berlin");
    f->SetUserRowDetail(0, L"");  // an empty text keeps the detail
    EXPECT_EQ(GetListItem(list, 0)->second, L"25, Berlin");

    // A row's own icon is destroyed when it is replaced, and with the row.
    auto second = reinterpret_cast<RowPicture>(LoadIconRes(1015, 32).release());
    f->SetUserRowPicture(2, second);
    EXPECT_FALSE(IconAlive(own));
    f->RemoveUserRow(2);
    EXPECT_FALSE(IconAlive(second));
    EXPECT_EQ(SendMessageW(list, LB_GETCOUNT, 0, 0), 2);

    // A default avatar's icon is shared: rows that show it come and go, it stays.
    PictureHandle placeholder = f->Pictures().Placeholder(L"F_25_35");
    RowPicture shared = f->Pictures().MakeUserIcon(placeholder);
    f->AddUserRow(L"dora", shared, true);
    f->SetUserRowPicture(0, shared);
    f->RemoveUserRow(2);
    f->RemoveUserRow(0);
    EXPECT_TRUE(IconAlive(shared));
}

// Draws row Index into a bitmap; the pixels in Band that differ from the
// row's background.
int InkInBand(FrmMain& f, int index, RECT band) {
    OwnedMemoryDc dc = CreateMemoryDc();
    HDC screen = GetDC(nullptr);
    OwnedBitmap bmp(CreateCompatibleBitmap(screen, 169, 36));
    ReleaseDC(nullptr, screen);
    Selection into(dc, bmp);
    HWND list = f.h.hUserList;
    const auto data = static_cast<ULONG_PTR>(SendMessageW(list, LB_GETITEMDATA, static_cast<WPARAM>(index), 0));
    DRAWITEMSTRUCT di{ODT_LISTBOX, 0, static_cast<UINT>(index), ODA_DRAWENTIRE, 0, list, dc, {0, 0, 169, 36}, data};
    SendMessageW(f.h.MainWindow, WM_DRAWITEM, 0, reinterpret_cast<LPARAM>(&di));
    int ink = 0;
    for (int y = band.top; y < band.bottom; ++y)
        for (int x = band.left; x < band.right; ++x) ink += GetPixel(dc, x, y) != GetSysColor(COLOR_WINDOW);
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
    EXPECT_EQ(f->focus.LastFocus, f->h.hOptionsButton);
    SendMessageW(f->h.hOptionsButton, WM_KEYDOWN, VK_TAB, 0);
    EXPECT_EQ(GetFocus(), f->h.hMainInput);
    // Escape in the input line is swallowed; the text stays.
    SetWindowTextW(f->h.hMainInput, L"hello");
    SendMessageW(f->h.hMainInput, WM_KEYDOWN, VK_ESCAPE, 0);
    SendMessageW(f->h.hMainInput, WM_CHAR, VK_ESCAPE, 0);
    EXPECT_EQ(GetWindowTextString(f->h.hMainInput), L"hello");
}

}  // namespace
}  // namespace vellora
