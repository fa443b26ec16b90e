// frmMain: start, stop, the poll timer and the status line.
#include "core/frm_main_win32.h"

#include <initializer_list>

#include "config/login_form_win32.h"
#include "core/later_hooks_win32.h"
#include "core/main_window_win32.h"
#include "dialogs/focus_state_win32.h"
#include "dialogs/toolkit_win32.h"
#include "net/socket.h"
#include "text/chat_font_win32.h"
#include "text/rich_pane_win32.h"

namespace vellora {

namespace {

FrmMain* g_instance = nullptr;

// Class style of the program's windows: redraw on both size changes,
// double clicks, one device context for the class.
constexpr UINT kClassStyle = 0x4B;

}  // namespace

FrmMain::FrmMain() { g_instance = this; }

FrmMain::~FrmMain() {
    if (g_instance == this) g_instance = nullptr;
}

FrmMain* FrmMain::Instance() { return g_instance; }

void FrmMain::Form_Initialize() {
    richEditLibrary_ = LoadLibraryW(L"riched20.dll");
    session.Disconnected = true;
}

bool FrmMain::Form_Load() {
    ToolkitStart(0);
    later::SetToolTipVar(2);
    if (!SocketStartup()) {
        Unload();
        return false;
    }
    session.KickTick = kNoTick;

    HCURSOR arrow = LoadCursorW(nullptr, IDC_ARROW);
    auto face = reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_BTNFACE + 1));
    RegisterWindowClass({kClassStyle, later::TabLabelProc, arrow, nullptr, kTabLabelClass});
    RegisterWindowClass({kClassStyle, later::DialogWindowProc, arrow, face, kDialogWindowClass});
    RegisterWindowClass({kClassStyle, MainWindowProc, arrow, face, kMainWindowClass});
    classesRegistered_ = true;

    if (!CreateMainWindow()) {
        Unload();
        return false;
    }
    rowStyle_.pendingIcon = LoadIconRes(1100, 32);
    rowStyle_.noneIcon = LoadIconRes(1120, 32);
    session.LoginPhase = true;
    session.WindowsCreated = true;
    timer1_ = SetTimer(nullptr, 0, kTimer1IntervalMs, Timer1Proc);
    later::LoadMenus();

    if (!Form4().LoadForm4AutoLogin()) loginForm_->Unload();
    return !unloaded_;
}

void FrmMain::Unload() {
    if (unloaded_) return;
    unloaded_ = true;
    Form_Unload();
    if (quitOnUnload_) PostQuitMessage(0);
}

void FrmMain::Form_Unload() {
    if (timer1_) KillTimer(nullptr, timer1_);
    timer1_ = 0;
    if (loginForm_) loginForm_->Destroy();

    if (session.WindowsCreated) {
        if (h.hChatPane) {
            Unsubclass(h.hChatPane);
            SendMessageW(h.hChatPane, WM_SETFONT, 0, FALSE);
            ForgetPane(h.hChatPane);
            DestroyWindow(h.hChatPane);
            h.hChatPane = nullptr;
        }
        later::DestroyMenus();
        later::CloseToaster();
        CloseConn(session.Chat);
        CloseConn(session.Media);
        if (!session.Disconnected) SendLogout();
        later::CloseAllDialogs();
        later::UnloadListsDialog();
        for (HICON* icon : {&rowStyle_.pendingIcon, &rowStyle_.noneIcon}) {
            if (*icon) DestroyIcon(*icon);
            *icon = nullptr;
        }
        SocketCleanup();
    }
    TearDownMainWindow();
    if (classesRegistered_) {
        UnregisterWindowClass(kTabLabelClass);
        UnregisterWindowClass(kMainWindowClass);
        UnregisterWindowClass(kDialogWindowClass);
        classesRegistered_ = false;
    }
    DeletePaneFonts();
    rowStyle_.boldFont = rowStyle_.regularFont = nullptr;
    if (h.UiFont) DeleteObject(h.UiFont);
    h.UiFont = nullptr;
    later::StopToolTips();
    ToolkitStop();
}

void FrmMain::Form_Terminate() {
    if (richEditLibrary_) FreeLibrary(richEditLibrary_);
    richEditLibrary_ = nullptr;
}

void FrmMain::TearDownMainWindow() {
    if (!h.MainWindow) return;
    ShowWindow(h.MainWindow, SW_HIDE);
    if (h.hMainInput) {
        SetWindowLongPtrW(h.hMainInput, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(PrevMainInputProc));
        DestroyWindow(h.hMainInput);
    }
    if (h.hChatPane) {
        Unsubclass(h.hChatPane);
        SendMessageW(h.hChatPane, WM_SETFONT, 0, FALSE);
        ForgetPane(h.hChatPane);
        DestroyWindow(h.hChatPane);
    }
    if (h.hUserList) {
        SetWindowLongPtrW(h.hUserList, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(PrevUserListProc));
        SendMessageW(h.hUserList, WM_SETFONT, 0, FALSE);
        DestroyWindow(h.hUserList);  // its rows' records go with WM_DELETEITEM
    }
    if (h.hOptionsButton) {
        Unsubclass(h.hOptionsButton);
        SendMessageW(h.hOptionsButton, WM_SETFONT, 0, FALSE);
        DestroyWindow(h.hOptionsButton);
    }
    SetWindowIcons(h.MainWindow, -1);
    DestroyWindow(h.MainWindow);
    HFONT uiFont = h.UiFont;  // deleted with the other fonts, after the windows
    h = MainWindowHandles{};
    h.UiFont = uiFont;
    Focus = FocusState{};
}

LoginForm& FrmMain::Form4() {
    if (!loginForm_) loginForm_ = std::make_unique<LoginForm>(*this);
    return *loginForm_;
}

void CALLBACK FrmMain::Timer1Proc(HWND, UINT, UINT_PTR, DWORD) {
    if (FrmMain* f = Instance()) f->Timer1_Timer();
}

void FrmMain::Timer1_Timer() {
    // Panes stream once, after the tick's last line.
    BeginPaneBatch();
    EndPaneBatch();
}

void FrmMain::StatusLine(const std::wstring& text, bool suppressRepeats) {
    vellora::StatusLine(session, settings, *this, text, suppressRepeats);
}

void FrmMain::ShowLoginError(const std::wstring& text) { Form4().SetError(text); }

void FrmMain::ShowChatStatusLine(const std::wstring&, std::int32_t) {}

void FrmMain::ShowErrorToaster(const std::wstring&, std::int32_t) {}

void FrmMain::PlayNotificationSound() {}

}  // namespace vellora

namespace vellora {

// ---------------------------------------------------------------------------
// What the protocol and the settings file provide to the main window object.

bool FrmMain::TryLogin() { return true; }

void FrmMain::ApplyConfig(const std::wstring&, bool) {}

void FrmMain::SaveConfig() {}

std::vector<std::wstring> FrmMain::AccountNames() { return {}; }

void FrmMain::SendLogout() {}

void FrmMain::RerenderAllDialogs() { later::RerenderDialogPanes(); }

void FrmMain::MainEnter() {}

}  // namespace vellora
