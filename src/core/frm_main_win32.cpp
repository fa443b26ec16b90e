// frmMain: start, stop, the poll timer, the status line and what the
// portable code asks of the main window object.
#include "core/frm_main_win32.h"

#include <ole2.h>

#include <memory>

#include "chat/endpoints.h"
#include "chat/login.h"
#include "chat/poll_tick.h"
#include "chat/send.h"
#include "config/account_list.h"
#include "config/login_form_win32.h"
#include "core/answer_arrival_win32.h"
#include "core/client_events.h"
#include "core/files.h"
#include "net/socket.h"
#include "resources/resource_ids.h"
#include "view/chat_render.h"
#include "view/user_relations.h"

namespace vellora {

FrmMain::FrmMain() {
    client.status = this;
    client.window = this;
    ConnectView(client, viewLogic_, viewWindow_);
    client.hooks.SongStep = [this] {
        SongTick(songState_, client.settings, client.LastChatLineTick, player_, songPost_);
    };
    client.hooks.ToasterTick = [this](std::uint32_t lifetimeMs) {
        if (Notifications* n = GetNotifications()) n->ToasterTick(lifetimeMs);
    };
    WatchChatAnswers(*this);
}

FrmMain::~FrmMain() = default;

FrmMain::Loaded::Sockets::~Sockets() {
    if (started) SocketCleanup();
}

void FrmMain::Form_Initialize() {
    // Pictures are decoded by OLE's picture loader.
    oleStarted_ = SUCCEEDED(OleInitialize(nullptr));
    richEditLibrary_.reset(LoadLibraryW(L"riched20.dll"));
    client.session.Disconnected = true;
    // Where the chat service lives; an endpoints.ini beside the program
    // points it elsewhere (the demo and the tests use the simulator).
    client.endpoints = LoadEndpoints(ProgramFolder() + kEndpointsFileName);
}

bool FrmMain::Form_Load() {
    Loaded& l = loaded_;
    l.toolkit.Start();
    l.notifications = MakeNotifications(*this);
    l.notifications->SetToolTipVar(kToolTipsAlways);
    l.sockets.started = SocketStartup();
    if (!l.sockets.started) {
        Unload();
        return false;
    }
    client.session.KickTick = kNoTick;

    l.fonts.taken = true;
    l.mainClass =
        WindowClass(kMainWindowClass, kProgramClassStyle, WindowProcOf<&FrmMain::MainWindowMessage>, ButtonFaceBrush());
    l.conversations = MakeConversations(*this);
    if (!CreateMainWindow()) {
        Unload();
        return false;
    }
    l.pendingIcon = LoadIconRes(IDI_PICTURE_PENDING, 32);
    l.noneIcon = LoadIconRes(IDI_NO_PICTURE, 32);
    rowStyle_.pendingIcon = l.pendingIcon;
    rowStyle_.noneIcon = l.noneIcon;
    client.session.LoginPhase = true;
    client.session.WindowsCreated = true;
    SetTimer(h.MainWindow, IDT_TIMER1, kTimer1IntervalMs, nullptr);
    l.menus = MakeMenus(*this);
    l.lists = MakeListsDialogWindow(*this);

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
    if (h.MainWindow) KillTimer(h.MainWindow, IDT_TIMER1);
    if (loginForm_) loginForm_->Destroy();

    Session& s = client.session;
    if (s.WindowsCreated) {
        if (Notifications* n = GetNotifications()) n->ToasterTick(0);  // closes an open toaster
        CloseConn(s.Chat);
        CloseConn(s.Media);
        SendLogout(client);  // fired without waiting; nothing when not in the chat
        if (Conversations* c = GetConversations()) c->CloseAllDialogs();
    }
    ReleaseLoaded();
}

void FrmMain::ReleaseLoaded() {
    // The user list's rows give back their records and icons while the main
    // window still hears of it (WM_DELETEITEM); the roster's pictures go with
    // the picture store.
    if (h.hUserList) SendMessageW(h.hUserList, LB_RESETCONTENT, 0, 0);
    for (RosterEntry& entry : client.roster) entry.Picture = kNoPicture;
    chatPane_.Attach(nullptr);
    rowStyle_ = UserRowStyle{};
    std::destroy_at(&loaded_);
    std::construct_at(&loaded_);
    focus = FocusState{};
}

void FrmMain::Form_Terminate() {
    richEditLibrary_.reset();
    if (oleStarted_) OleUninitialize();
    oleStarted_ = false;
}

LoginForm& FrmMain::Form4() {
    if (!loginForm_) loginForm_ = std::make_unique<LoginForm>(*this);
    return *loginForm_;
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
    client.view->InMessage(kStatusLineType, L"", msg, timeOfDay);
}

void FrmMain::ShowErrorToaster(const std::wstring& line, std::int32_t timeOfDay) {
    if (Notifications* n = GetNotifications()) n->ShowErrorToaster(line, timeOfDay);
}

void FrmMain::PlayNotificationSound() {
    if (Notifications* n = GetNotifications()) n->PlayNotificationSound();
}

// ---------------------------------------------------------------------------
// ConfigEffects

void FrmMain::FriendsToasterChanged() { vellora::FriendsToasterChanged(client); }

void FrmMain::SetToolTipVar(std::int32_t mode) {
    if (Notifications* n = GetNotifications()) n->SetToolTipVar(mode);
}

void FrmMain::CheckOptionsMenuItem(std::int32_t id, bool checked) {
    if (Menus* m = GetMenus()) m->CheckOptionsMenuItem(id, checked);
}

void FrmMain::SetFriendsAtEntryDone() { client.FriendsAtEntryDone = true; }

// ---------------------------------------------------------------------------
// MainWindow (the part the menus carry out)

void FrmMain::SwitchToStaffMenus() {
    if (Menus* m = GetMenus()) m->SwitchToStaffMenus();
}

}  // namespace vellora
