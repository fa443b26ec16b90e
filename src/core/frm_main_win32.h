#pragma once
// frmMain: the main window object. It comes up first and goes down last,
// holds the long-lived state (the Client), creates the main window and its
// children, runs the poll timer and carries out what the portable code asks
// of the main window.

#include <windows.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "chat/song_post.h"
#include "config/config_file.h"
#include "core/client.h"
#include "core/later_hooks_win32.h"
#include "core/main_window.h"
#include "core/status_line.h"
#include "core/view_window_win32.h"
#include "dialogs/user_rows_win32.h"
#include "song/player_bridge_win32.h"
#include "song/song_tick.h"
#include "text/rich_pane_win32.h"
#include "view/view_wiring.h"

namespace vellora {

class LoginForm;

// The main window and its five children (process-wide, like the window).
struct MainWindowHandles {
    HWND MainWindow = nullptr;
    HWND hMainInput = nullptr;
    HWND hUserList = nullptr;
    HWND hChatPane = nullptr;
    HWND hOptionsButton = nullptr;
    HWND hStatusBar = nullptr;
    HFONT UiFont = nullptr;
    int ListItemWidth = 153;   // usable width of a user-list row
    int StatusBarHeight = 0;   // measured by UpdateFontSize
};

inline constexpr int kMainInputId = 4097;
inline constexpr UINT kTimer1IntervalMs = 500;

class FrmMain : public StatusTarget, public MainWindow, public ConfigEffects {
public:
    FrmMain();
    ~FrmMain() override;
    FrmMain(const FrmMain&) = delete;
    FrmMain& operator=(const FrmMain&) = delete;

    // The one instance, for the window procedures.
    static FrmMain* Instance();

    // Start and stop, in the order the program runs them. Form_Load returns
    // false when the object unloaded itself (no socket library, no window).
    void Form_Initialize();
    bool Form_Load();
    void Form_Unload();
    void Form_Terminate();
    // Unloads the object once (the close box, the login form's cancel).
    void Unload();
    bool Unloaded() const { return unloaded_; }
    // The program ends its message loop when the object unloads; tests do not.
    void SetQuitOnUnload(bool quit) { quitOnUnload_ = quit; }

    // Reports a connection event (login form, chat pane, error toaster).
    void StatusLine(const std::wstring& text, bool suppressRepeats);

    // The main window: creation, layout, status bar, fonts.
    bool CreateMainWindow();
    void RealResize(bool repaint) override;
    void StatusBar_Panel_SetText(int panel, const std::wstring& text);
    void UpdateFontSize();
    // Every pane shows its lines again (after a font or time-display change).
    void RerenderAllDialogs();

    // Focus and keys of the main window's controls.
    void SetFocusRestore();
    void FocusChanged(HWND control);
    void FocusTo(HWND label);
    void ControlGotFocus(HWND control);
    void TabNavigate(HWND parent, HWND control);
    void MainEnter();

    // One tick of the poll timer.
    void Timer1_Timer();
    // The getdata answer on Socket has data (core/answer_arrival_win32.h).
    void ChatAnswerArrived(SocketHandle socket);

    // What the login form asks of the main window object.
    bool TryLogin();
    void ApplyConfig(const std::wstring& account, bool andApply);
    void SaveConfig();
    std::vector<std::wstring> AccountNames();

    // The login form, created when first needed.
    LoginForm& Form4();
    bool HasLoginForm() const { return loginForm_ != nullptr; }

    const UserRowStyle& RowStyle() const { return rowStyle_; }

    // The chat pane as its line ring sees it.
    RichEditPane& ChatPane() { return chatPane_; }

    // MainWindow
    void AddUserRow(const std::wstring& name, RowPicture picture, bool showNormal) override;
    void RemoveUserRow(std::size_t index) override;
    void SetUserRowNormal(std::size_t index, bool normal) override;
    void SetUserRowPicture(std::size_t index, RowPicture picture) override;
    void SetUserRowDetail(std::size_t index, const std::wstring& text) override;
    int SelectedUserRow() const override;
    void SetStatusBarText(const std::wstring& text) override;
    void SwitchToStaffMenus() override;
    void ShowMainWindow() override;

    // StatusTarget
    void ShowLoginError(const std::wstring& text) override;
    void ShowChatStatusLine(const std::wstring& line, std::int32_t timeOfDay) override;
    void ShowErrorToaster(const std::wstring& line, std::int32_t timeOfDay) override;
    void PlayNotificationSound() override;

    // ConfigEffects
    void FriendsToasterChanged() override;
    void SetToolTipVar(std::int32_t mode) override;
    void CheckOptionsMenuItem(std::int32_t id, bool checked) override;
    void SetFriendsAtEntryDone() override;
    void ShowStatusBar(bool shown) override;

    Client client;
    MainWindowHandles h;

private:
    void TearDownMainWindow();
    static void CALLBACK Timer1Proc(HWND, UINT, UINT_PTR, DWORD);

    HMODULE richEditLibrary_ = nullptr;
    bool oleStarted_ = false;
    UINT_PTR timer1_ = 0;
    bool unloaded_ = false;
    bool quitOnUnload_ = false;
    bool classesRegistered_ = false;
    UserRowStyle rowStyle_;
    RichEditPane chatPane_;
    std::unique_ptr<LoginForm> loginForm_;

    ViewLogic viewLogic_{client};
    MainViewWindow viewWindow_{*this};
    SongState songState_;
    SonarVistaPlayer player_;
    SendMsgSongPost songPost_{client};
};

}  // namespace vellora
