// The main window: its creation, layout, status bar and message routing.
#include "core/main_window_win32.h"

#include <commctrl.h>
#include <richedit.h>

#include "core/answer_arrival_win32.h"
#include "core/frm_main_win32.h"
#include "core/later_hooks_win32.h"
#include "core/main_layout.h"
#include "dialogs/focus_state_win32.h"
#include "dialogs/placement_win32.h"
#include "dialogs/toolkit_win32.h"
#include "text/chat_font_win32.h"
#include "text/rich_pane_win32.h"
#include "view/user_relations.h"

namespace vellora {

namespace {

HWND CreateChild(DWORD exStyle, const wchar_t* cls, const wchar_t* text, DWORD style, int x, int y, int w, int hgt,
                 HWND parent, int id) {
    return CreateWindowExW(exStyle, cls, text, style, x, y, w, hgt, parent,
                           reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), ProgramInstance(), nullptr);
}

void SetFont(HWND window, HFONT font) { SendMessageW(window, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE); }

// The plain user-interface font: the system's message font.
HFONT CreateUiFont() {
    NONCLIENTMETRICSW ncm{};
    ncm.cbSize = sizeof(ncm);
    if (!SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(ncm), &ncm, 0)) return nullptr;
    return CreateFontIndirectW(&ncm.lfMessageFont);
}

void Place(HWND window, const LayoutRect& r, bool keepSize = false) {
    SetWindowPos(window, nullptr, r.x, r.y, r.width, r.height,
                 SWP_NOZORDER | SWP_NOACTIVATE | (keepSize ? SWP_NOSIZE : 0));
}

}  // namespace

bool FrmMain::CreateMainWindow() {
    const std::wstring title = VersionValue(L"ProductName") + L" " + VersionValue(L"ProductVersion");
    h.MainWindow = CreateWindowExW(0x00010004, kMainWindowClass, title.c_str(), 0x06CF1000, 0, 0, 600, 400, nullptr,
                                   nullptr, ProgramInstance(), nullptr);
    if (!h.MainWindow) return false;
    Focus.MainWindow = h.MainWindow;
    SetWindowIcons(h.MainWindow, 1000);
    FitWindowOnScreen(h.MainWindow);

    if (!h.UiFont) h.UiFont = CreateUiFont();

    h.hMainInput = CreateChild(0x200, L"EDIT", L"", 0x56011080, 0, 0, 200, 19, h.MainWindow, kMainInputId);
    SetFont(h.hMainInput, h.UiFont);
    PrevMainInputProc = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(h.hMainInput, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(MainInputProc)));
    Focus.LastFocus = h.hMainInput;

    h.hUserList = CreateChild(0x200, L"LISTBOX", L"", 0x56310121, 0, 0, 169, 308, h.MainWindow, 0);
    SetFont(h.hUserList, h.UiFont);
    RECT lr{};
    h.ListItemWidth = GetClientRect(h.hUserList, &lr) ? lr.right - GetSystemMetrics(SM_CXVSCROLL) : 153;
    PrevUserListProc = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(h.hUserList, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(UserListProc)));

    h.hChatPane = CreateRichEdit(WS_EX_CLIENTEDGE, L"", 0x5020494C, 0, 50, 300, 200, h.MainWindow);
    SendMessageW(h.hChatPane, EM_LIMITTEXT, kPaneTextLimit, 0);
    Subclass(h.hChatPane, PaneProc);
    chatPane_.Attach(h.hChatPane);

    h.hOptionsButton = CreateChild(0, L"BUTTON", L"...", 0x56010000, 8, 208, 25, 19, h.MainWindow, 0);
    SetFont(h.hOptionsButton, h.UiFont);
    Subclass(h.hOptionsButton, OptionsButtonProc);

    h.hStatusBar = CreateChild(0, STATUSCLASSNAMEW, L"", 0x56000100, 0, 0, 200, 20, h.MainWindow, 0);

    later::RegisterMainToolTips();
    UpdateFontSize();
    return true;
}

void FrmMain::RealResize(bool repaint) {
    RECT rc{};
    if (!h.MainWindow || !GetClientRect(h.MainWindow, &rc)) return;
    MainLayoutInput in;
    in.clientWidth = rc.right;
    in.clientHeight = rc.bottom;
    in.statusBarShown = client.settings.StatusBar;
    in.statusBarHeight = h.StatusBarHeight;
    in.autoHideDialogTextBoxes = client.settings.AutoHideDialogTextBoxes;
    in.dockedOwnsFocus = later::DockedDialogFocusFlags();
    const MainLayout l = ComputeMainLayout(in);

    if (client.settings.StatusBar && h.hStatusBar) {
        SendMessageW(h.hStatusBar, WM_SIZE, 0, 0);
        int right = l.statusBarRight;
        SendMessageW(h.hStatusBar, SB_SETPARTS, 1, reinterpret_cast<LPARAM>(&right));
    }
    later::PlaceDockedDialogs(l.docked);
    Place(h.hOptionsButton, l.optionsButton, true);
    Place(h.hMainInput, l.mainInput);
    Place(h.hUserList, l.userList);
    Place(h.hChatPane, l.chatPane);
    ShowLastLine(h.hChatPane);
    if (repaint) {
        later::InvalidateDockedPanes();
        InvalidateRect(h.MainWindow, nullptr, TRUE);
    }
}

void FrmMain::StatusBar_Panel_SetText(int panel, const std::wstring& text) {
    if (!h.hStatusBar) return;
    const std::wstring padded = L" " + text + L" ";
    SendMessageW(h.hStatusBar, SB_SETTEXTW, static_cast<WPARAM>(panel), reinterpret_cast<LPARAM>(padded.c_str()));
}

void FrmMain::ShowStatusBar(bool shown) {
    client.settings.StatusBar = shown;
    if (h.hStatusBar) ShowWindow(h.hStatusBar, shown ? SW_SHOWNA : SW_HIDE);
    RealResize(true);
}

void FrmMain::ShowMainWindow() {
    if (h.MainWindow) ShowWindow(h.MainWindow, SW_SHOW);
}

void FrmMain::UpdateFontSize() {
    LOGFONTW base{};
    if (HFONT font = CreateChatFont(base)) {
        if (h.hChatPane) SendMessageW(h.hChatPane, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
        later::SetDialogPaneFonts(font);
        ReplaceChatFont(font);
        RebuildListFonts(base);
        rowStyle_.boldFont = SharedPaneFonts().listBold;
        rowStyle_.regularFont = SharedPaneFonts().listRegular;
    }
    RECT sr{};
    if (h.hStatusBar && GetWindowRect(h.hStatusBar, &sr)) h.StatusBarHeight = sr.bottom - sr.top;
    RerenderAllDialogs();
}

// ---------------------------------------------------------------------------
// Rows of the user list, in the roster's order.

void FrmMain::AddUserRow(const std::wstring& name, RowPicture picture, bool showNormal) {
    if (h.hUserList) AddListItem(h.hUserList, name, picture, showNormal);
}

void FrmMain::RemoveUserRow(std::size_t index) {
    if (h.hUserList) SendMessageW(h.hUserList, LB_DELETESTRING, static_cast<WPARAM>(index), 0);
}

void FrmMain::SetStatusBarText(const std::wstring& text) { StatusBar_Panel_SetText(0, text); }

void FrmMain::SetUserRowPicture(std::size_t index, RowPicture picture) {
    if (h.hUserList) UpdateListItem(h.hUserList, static_cast<int>(index), picture, L"");
}

void FrmMain::SetUserRowDetail(std::size_t index, const std::wstring& text) {
    if (h.hUserList) UpdateListItem(h.hUserList, static_cast<int>(index), kRowIconPending, text);
}

void FrmMain::SetUserRowNormal(std::size_t index, bool normal) {
    if (h.hUserList) SetListItemFlag(h.hUserList, static_cast<int>(index), normal);
}

int FrmMain::SelectedUserRow() const {
    if (!h.hUserList) return -1;
    LRESULT row = SendMessageW(h.hUserList, LB_GETCURSEL, 0, 0);
    return row == LB_ERR ? -1 : static_cast<int>(row);
}

// ---------------------------------------------------------------------------

LRESULT CALLBACK MainWindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    FrmMain* f = FrmMain::Instance();
    if (!f || hwnd != f->h.MainWindow) return DefWindowProcW(hwnd, msg, wParam, lParam);
    switch (msg) {
    case WM_SIZE:
        if (wParam != SIZE_MINIMIZED) f->RealResize(false);
        return 0;
    case WM_ACTIVATE:
        if (LOWORD(wParam) == WA_INACTIVE) f->FocusTo(nullptr);
        else f->SetFocusRestore();
        return 0;
    case WM_SETFOCUS:
        return 0;
    case WM_CLOSE:
        f->Unload();
        return 0;
    case WM_SYSCOLORCHANGE:
        f->UpdateFontSize();
        return 0;
    case WM_MEASUREITEM:
        MeasureUserRow(*reinterpret_cast<MEASUREITEMSTRUCT*>(lParam));
        return TRUE;
    case WM_DRAWITEM:
        DrawUserRow(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam), f->RowStyle());
        return TRUE;
    case WM_DELETEITEM:
        DeleteUserRow(*reinterpret_cast<const DELETEITEMSTRUCT*>(lParam));
        return TRUE;
    case WM_KEYDOWN:
        if (wParam == VK_TAB) f->TabNavigate(hwnd, nullptr);
        return 0;
    case WM_COMMAND: {
        auto from = reinterpret_cast<HWND>(lParam);
        if (from && from == f->h.hUserList && HIWORD(wParam) == LBN_DBLCLK) List1_DblClick(f->client);
        else if (from && from == f->h.hOptionsButton && HIWORD(wParam) == BN_CLICKED) later::EnterOptMenu();
        return 0;
    }
    case WM_LBUTTONUP:
        later::CheckDockedWindowsLClick(lParam);
        return 0;
    case WM_RBUTTONUP:
        later::CheckDockedWindowsRClick(lParam);
        return 0;
    case WM_THEMECHANGED:
        OpenThemes();
        return 0;
    case kChatAnswerMessage:
        f->ChatAnswerArrived(static_cast<SocketHandle>(wParam));
        return 0;
    default:
        return DefWindowProcW(hwnd, msg, wParam, lParam);
    }
}

}  // namespace vellora
