// The main window: its creation, layout, status bar and message routing.
#include "core/main_window_win32.h"

#include "core/answer_arrival_win32.h"
#include "core/frm_main_win32.h"
#include "core/main_layout.h"
#include "dialogs/placement_win32.h"
#include "resources/resource_ids.h"
#include "view/user_relations.h"

namespace vellora {

namespace {

HWND CreateChild(DWORD exStyle, const wchar_t* cls, const wchar_t* text, DWORD style, int x, int y, int w, int hgt,
                 HWND parent, int id) {
    return CreateWindowExW(exStyle, cls, text, style, x, y, w, hgt, parent,
                           reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), ProgramInstance(), nullptr);
}

// The plain user-interface font: the system's message font.
OwnedFont CreateUiFont() {
    NONCLIENTMETRICSW ncm{};
    ncm.cbSize = sizeof(ncm);
    if (!SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(ncm), &ncm, 0)) return {};
    return OwnedFont(CreateFontIndirectW(&ncm.lfMessageFont));
}

void Place(HWND window, const LayoutRect& r, bool keepSize = false) {
    SetWindowPos(window, nullptr, r.x, r.y, r.width, r.height,
                 SWP_NOZORDER | SWP_NOACTIVATE | (keepSize ? SWP_NOSIZE : 0));
}

}  // namespace

bool FrmMain::CreateMainWindow() {
    const std::wstring title = VersionValue(L"ProductName") + L" " + VersionValue(L"ProductVersion");
    // The window binds this object at WM_NCCREATE and takes h.MainWindow.
    CreateWindowExW(kMainWindowExStyle, kMainWindowClass, title.c_str(), kMainWindowStyle, 0, 0, 600, 400, nullptr,
                    nullptr, ProgramInstance(), this);
    if (!h.MainWindow) return false;
    focus.MainWindow = h.MainWindow;
    h.icons = WindowIcons(h.MainWindow, IDI_VELLORA_SMALL);
    FitWindowOnScreen(h.MainWindow);

    h.UiFont = CreateUiFont();

    h.hMainInput = Control(
        CreateChild(WS_EX_CLIENTEDGE, L"EDIT", L"", kMainInputStyle, 0, 0, 200, 19, h.MainWindow, IDC_MAIN_INPUT));
    h.hMainInput.SetFont(h.UiFont);
    h.hMainInput.SubclassWith<&FrmMain::MainInputMessage>(*this);
    focus.LastFocus = h.hMainInput;

    h.hUserList =
        Control(CreateChild(WS_EX_CLIENTEDGE, L"LISTBOX", L"", kUserListStyle | LBS_HASSTRINGS, 0, 0, 169, 308, h.MainWindow, 0));
    h.hUserList.SetFont(h.UiFont);
    RECT lr{};
    h.ListItemWidth = GetClientRect(h.hUserList, &lr) ? lr.right - GetSystemMetrics(SM_CXVSCROLL) : 153;
    h.hUserList.SubclassWith<&FrmMain::UserListMessage>(*this);

    h.hChatPane = Control(CreateRichEdit(WS_EX_CLIENTEDGE, L"", kChatPaneStyle, 0, 50, 300, 200, h.MainWindow));
    SendMessageW(h.hChatPane, EM_LIMITTEXT, kPaneTextLimit, 0);
    h.hChatPane.SubclassWith<&FrmMain::PaneMessage>(*this);
    chatPane_.Attach(h.hChatPane);

    h.hOptionsButton = Control(CreateChild(0, L"BUTTON", L"...", kOptionsButtonStyle, 8, 208, 25, 19, h.MainWindow, 0));
    h.hOptionsButton.SetFont(h.UiFont);
    h.hOptionsButton.SubclassWith<&FrmMain::OptionsButtonMessage>(*this);

    h.hStatusBar.reset(CreateChild(0, STATUSCLASSNAMEW, L"", kStatusBarStyle, 0, 0, 200, 20, h.MainWindow, 0));

    if (Notifications* n = GetNotifications()) n->RegisterMainToolTips();
    UpdateFontSize();
    return true;
}

void FrmMain::RealResize(bool repaint) {
    RECT rc{};
    if (!h.MainWindow || !GetClientRect(h.MainWindow, &rc)) return;
    Conversations* dialogs = GetConversations();
    MainLayoutInput in;
    in.clientWidth = rc.right;
    in.clientHeight = rc.bottom;
    in.statusBarShown = client.settings.StatusBar;
    in.statusBarHeight = h.StatusBarHeight;
    in.autoHideDialogTextBoxes = client.settings.AutoHideDialogTextBoxes;
    if (dialogs) in.dockedOwnsFocus = dialogs->DockedFocusFlags();
    const MainLayout l = ComputeMainLayout(in);

    if (client.settings.StatusBar && h.hStatusBar) {
        SendMessageW(h.hStatusBar, WM_SIZE, 0, 0);
        int right = l.statusBarRight;
        SendMessageW(h.hStatusBar, SB_SETPARTS, 1, reinterpret_cast<LPARAM>(&right));
    }
    if (dialogs) dialogs->PlaceDocked(l.docked);
    Place(h.hOptionsButton, l.optionsButton, true);
    Place(h.hMainInput, l.mainInput);
    Place(h.hUserList, l.userList);
    Place(h.hChatPane, l.chatPane);
    ShowLastLine(h.hChatPane);
    if (repaint) {
        if (dialogs) dialogs->InvalidateDockedPanes();
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
    if (OwnedFont font = CreateChatFont(base)) {
        if (h.hChatPane) SendMessageW(h.hChatPane, WM_SETFONT, reinterpret_cast<WPARAM>(font.get()), FALSE);
        if (Conversations* dialogs = GetConversations()) dialogs->SetPaneFonts(font);
        ReplaceChatFont(std::move(font));
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

bool FrmMain::RowOwnsIcon(RowPicture picture) const {
    return IsRowIcon(picture) && !loaded_.pictures.IsSharedIcon(picture);
}

void FrmMain::AddUserRow(const std::wstring& name, RowPicture picture, bool showNormal) {
    if (h.hUserList) AddListItem(h.hUserList, name, picture, RowOwnsIcon(picture), showNormal);
}

void FrmMain::RemoveUserRow(std::size_t index) {
    if (h.hUserList) SendMessageW(h.hUserList, LB_DELETESTRING, static_cast<WPARAM>(index), 0);
}

void FrmMain::SetStatusBarText(const std::wstring& text) { StatusBar_Panel_SetText(0, text); }

void FrmMain::SetUserRowPicture(std::size_t index, RowPicture picture) {
    if (h.hUserList) UpdateListItem(h.hUserList, static_cast<int>(index), picture, RowOwnsIcon(picture), L"");
}

void FrmMain::SetUserRowDetail(std::size_t index, const std::wstring& text) {
    if (h.hUserList) UpdateListItem(h.hUserList, static_cast<int>(index), kRowIconPending, false, text);
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
// The procedure of "VelloraWindow".

LRESULT FrmMain::MainWindowMessage(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_NCCREATE:
        h.MainWindow.reset(hwnd);
        break;
    case WM_NCDESTROY:
        h.MainWindow.forget();
        break;
    case WM_SIZE:
        if (wParam != SIZE_MINIMIZED) RealResize(false);
        return 0;
    case WM_ACTIVATE:
        if (LOWORD(wParam) == WA_INACTIVE)
            FocusTo(nullptr);
        else
            SetFocusRestore();
        return 0;
    case WM_SETFOCUS:
        return 0;
    case WM_CLOSE:
        Unload();
        return 0;
    case WM_SYSCOLORCHANGE:
        UpdateFontSize();
        return 0;
    case WM_MEASUREITEM:
        MeasureUserRow(*reinterpret_cast<MEASUREITEMSTRUCT*>(lParam));
        return TRUE;
    case WM_DRAWITEM:
        DrawUserRow(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam), rowStyle_);
        return TRUE;
    case WM_DELETEITEM:
        DeleteUserRow(*reinterpret_cast<const DELETEITEMSTRUCT*>(lParam));
        return TRUE;
    case WM_KEYDOWN:
        if (wParam == VK_TAB) TabNavigate(hwnd, nullptr);
        return 0;
    case WM_COMMAND:
        OnCommand(reinterpret_cast<HWND>(lParam), HIWORD(wParam));
        return 0;
    case WM_LBUTTONUP:
        if (Conversations* dialogs = GetConversations()) dialogs->MainWindowLeftClick(lParam);
        return 0;
    case WM_RBUTTONUP:
        if (Conversations* dialogs = GetConversations()) dialogs->MainWindowRightClick(lParam);
        return 0;
    case WM_THEMECHANGED:
        OpenThemes();
        return 0;
    case WM_TIMER:
        if (wParam == IDT_TIMER1) Timer1_Timer();
        return 0;
    case kChatAnswerMessage:
        ChatAnswerArrived(static_cast<SocketHandle>(wParam));
        return 0;
    default:
        break;
    }
    return DefWindowProcW(hwnd, msg, wParam, lParam);
}

void FrmMain::OnCommand(HWND from, int code) {
    if (!from) return;
    if (from == h.hUserList && code == LBN_DBLCLK) {
        List1_DblClick(client);
    } else if (from == h.hOptionsButton && code == BN_CLICKED) {
        if (Menus* menus = GetMenus()) menus->EnterOptMenu();
    }
}

}  // namespace vellora
