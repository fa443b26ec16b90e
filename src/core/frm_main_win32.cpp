// frmMain: start, stop, the poll timer, the status line and what the
// portable code asks of the main window object.
#include "core/frm_main_win32.h"

#include <ole2.h>

#include <initializer_list>

#include "chat/endpoints.h"
#include "chat/login.h"
#include "chat/poll_tick.h"
#include "chat/send.h"
#include "config/account_list.h"
#include "config/login_form_win32.h"
#include "core/answer_arrival_win32.h"
#include "core/client_events.h"
#include "core/files.h"
#include "core/main_window_win32.h"
#include "dialogs/focus_state_win32.h"
#include "dialogs/toolkit_win32.h"
#include "net/socket.h"
#include "text/chat_font_win32.h"
#include "view/chat_render.h"
#include "view/user_relations.h"

namespace vellora {

namespace {

FrmMain* g_instance = nullptr;

// Class style of the program's windows: redraw on both size changes,
// double clicks, one device context for the class.
constexpr UINT kClassStyle = 0x4B;

}  // namespace

FrmMain::FrmMain() {
    g_instance = this;
    client.status = this;
    client.window = this;
    ConnectView(client, viewLogic_, viewWindow_);
    client.hooks.SongStep = [this] {
        SongTick(songState_, client.settings, client.LastChatLineTick, player_, songPost_);
    };
    client.hooks.ToasterTick = [](std::uint32_t lifetimeMs) { later::ToasterTick(lifetimeMs); };
    WatchChatAnswers(*this);
}

FrmMain::~FrmMain() {
    if (g_instance == this) g_instance = nullptr;
}

FrmMain* FrmMain::Instance() { return g_instance; }

void FrmMain::Form_Initialize() {
    // Pictures are decoded by OLE's picture loader.
    oleStarted_ = SUCCEEDED(OleInitialize(nullptr));
    richEditLibrary_ = LoadLibraryW(L"riched20.dll");
    client.session.Disconnected = true;
    // Where the chat service lives; an endpoints.ini beside the program
    // points it elsewhere (the demo and the tests use the simulator).
    client.endpoints = LoadEndpoints(ProgramFolder() + kEndpointsFileName);
}

bool FrmMain::Form_Load() {
    ToolkitStart(0);
    later::SetToolTipVar(2);
    if (!SocketStartup()) {
        Unload();
        return false;
    }
    client.session.KickTick = kNoTick;

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
    client.session.LoginPhase = true;
    client.session.WindowsCreated = true;
    timer1_ = SetTimer(nullptr, 0, kTimer1IntervalMs, Timer1Proc);
    later::LoadMenus();

    if (!Form4().LoadForm4AutoLogin()) loginForm_->Destroy();
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

    Session& s = client.session;
    if (s.WindowsCreated) {
        if (h.hChatPane) {
            Unsubclass(h.hChatPane);
            SendMessageW(h.hChatPane, WM_SETFONT, 0, FALSE);
            DestroyWindow(h.hChatPane);
            h.hChatPane = nullptr;
            chatPane_.Attach(nullptr);
        }
        later::DestroyMenus();
        later::CloseToaster();
        CloseConn(s.Chat);
        CloseConn(s.Media);
        SendLogout(client);  // fired without waiting; nothing when not in the chat
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
    if (oleStarted_) OleUninitialize();
    oleStarted_ = false;
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
        DestroyWindow(h.hChatPane);
        chatPane_.Attach(nullptr);
    }
    if (h.hUserList) {
        SetWindowLongPtrW(h.hUserList, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(PrevUserListProc));
        for (RosterEntry& entry : client.roster) {
            if (HoldsPicture(entry.Picture)) client.pictures->ReleasePicture(entry.Picture);
            entry.Picture = kNoPicture;
        }
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
    // Nothing is painted between the lines of one tick: each pane streams
    // once, with its document after the tick's last line.
    BeginPaneBatch();
    vellora::Timer1_Timer(client);
    EndPaneBatch();
}

void FrmMain::StatusLine(const std::wstring& text, bool suppressRepeats) {
    ReportStatus(client, text, suppressRepeats);
}

bool FrmMain::TryLogin() { return vellora::TryLogin(client); }

void FrmMain::MainEnter() {
    if (!h.hMainInput) return;
    if (vellora::MainEnter(client, GetWindowTextString(h.hMainInput))) SetWindowTextString(h.hMainInput, L"");
}

void FrmMain::ApplyConfig(const std::wstring& account, bool andApply) {
    vellora::ApplyConfig(account, andApply, client.session, client.settings, client.lists, *this);
}

void FrmMain::SaveConfig() { vellora::SaveConfig(client.session, client.settings, client.lists); }

std::vector<std::wstring> FrmMain::AccountNames() { return ListAccounts(); }

void FrmMain::RerenderAllDialogs() { vellora::RerenderAllDialogs(client); }

// ---------------------------------------------------------------------------
// StatusTarget

void FrmMain::ShowLoginError(const std::wstring& text) { Form4().SetError(text); }

void FrmMain::ShowChatStatusLine(const std::wstring& line, std::int32_t timeOfDay) {
    std::wstring msg = line;
    client.view->InMessage(-1, L"", msg, timeOfDay);
}

void FrmMain::ShowErrorToaster(const std::wstring& line, std::int32_t timeOfDay) {
    later::ShowErrorToaster(line, timeOfDay);
}

void FrmMain::PlayNotificationSound() { later::PlayNotificationSound(); }

// ---------------------------------------------------------------------------
// ConfigEffects

void FrmMain::FriendsToasterChanged() { vellora::FriendsToasterChanged(client); }

void FrmMain::SetToolTipVar(std::int32_t mode) { later::SetToolTipVar(mode); }

void FrmMain::CheckOptionsMenuItem(std::int32_t id, bool checked) { later::CheckOptionsMenuItem(id, checked); }

void FrmMain::SetFriendsAtEntryDone() { client.FriendsAtEntryDone = true; }

// ---------------------------------------------------------------------------
// MainWindow (the part that belongs to a feature still to come)

void FrmMain::SwitchToStaffMenus() { later::SwitchToStaffMenus(); }

}  // namespace vellora
