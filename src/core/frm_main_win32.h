#pragma once
// frmMain: the main window object. It comes up first and goes down last,
// holds the long-lived state (the Client), creates the main window and its
// children, runs the poll timer and carries out what the portable code asks
// of the main window. It is the object of the window class "VelloraWindow":
// the class procedure finds it through the window and dispatches each
// message to one of its operations; the four children it subclasses reach it
// the same way.
//
// The features with windows of their own plug in as facilities, one object
// each, made by the factory the facility defines (MakeConversations,
// MakeNotifications, MakeMenus, MakeListsDialogWindow) and reached through
// the accessors below. Each is made with a reference to this object.

#include <windows.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "chat/song_post.h"
#include "config/config_file.h"
#include "config/menus_win32.h"
#include "core/client.h"
#include "core/main_window.h"
#include "core/status_line.h"
#include "core/view_window_win32.h"
#include "dialogs/conversations_win32.h"
#include "dialogs/focus_state_win32.h"
#include "dialogs/handles_win32.h"
#include "dialogs/toolkit_win32.h"
#include "dialogs/user_rows_win32.h"
#include "dialogs/window_object_win32.h"
#include "notify/notifications_win32.h"
#include "song/player_bridge_win32.h"
#include "song/song_tick.h"
#include "text/chat_font_win32.h"
#include "text/rich_pane_win32.h"
#include "view/lists_dialog_win32.h"
#include "view/pictures_win32.h"
#include "view/view_wiring.h"

namespace vellora {

class LoginForm;

inline constexpr const wchar_t* kMainWindowClass = L"VelloraWindow";
inline constexpr UINT kTimer1IntervalMs = 500;

// The main window and its five children. The members go in the reverse order
// of their declaration: the input line, the chat pane, the user list and the
// options button (each with its subclass removed and its font taken away),
// the status bar, the window's icons, the main window, then the font.
struct MainWindowParts {
    MainWindowParts() = default;
    MainWindowParts(const MainWindowParts&) = delete;
    MainWindowParts& operator=(const MainWindowParts&) = delete;
    // Hidden first, so the children do not vanish one by one on screen; and
    // no message reaches the main window object while its parts go.
    ~MainWindowParts() {
        if (!MainWindow) return;
        ShowWindow(MainWindow, SW_HIDE);
        SetWindowLongPtrW(MainWindow, GWLP_USERDATA, 0);
    }

    OwnedFont UiFont;  // the input line's, the list's and the button's
    OwnedWindow MainWindow;
    WindowIcons icons;
    OwnedWindow hStatusBar;
    Control hOptionsButton;
    Control hUserList;
    Control hChatPane;
    Control hMainInput;
    int ListItemWidth = 153;  // usable width of a user-list row
    int StatusBarHeight = 0;  // measured by UpdateFontSize
};

class FrmMain : public StatusTarget, public MainWindow, public ConfigEffects {
public:
    FrmMain();
    ~FrmMain() override;
    FrmMain(const FrmMain&) = delete;
    FrmMain& operator=(const FrmMain&) = delete;

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

    // The main window: layout, status bar, fonts.
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
    // The subclass procedure of every pane: the chat pane's and the dialogs'.
    LRESULT PaneMessage(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);

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

    // The facilities and what the main window shares with them; all exist
    // from Form_Load to Form_Unload (null outside).
    Conversations* GetConversations() { return loaded_.conversations.get(); }
    Notifications* GetNotifications() { return loaded_.notifications.get(); }
    Menus* GetMenus() { return loaded_.menus.get(); }
    ListsDialogWindow* GetListsDialog() { return loaded_.lists.get(); }
    PictureStore& Pictures() { return loaded_.pictures; }
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
    FocusState focus;

private:
    // Everything Form_Load acquires, in the order it does. Form_Unload lets
    // go of it in the reverse order of these members, which is the shutdown
    // order: the lists dialog, the menus, the two shared row icons, the main
    // window and its children, the pictures, the window classes, the fonts,
    // the socket library, the tooltips, the toolkit.
    struct Loaded {
        ToolkitSession toolkit;
        std::unique_ptr<Notifications> notifications;
        struct Sockets {
            bool started = false;
            ~Sockets();
        } sockets;
        PaneFontsLifetime fonts;
        WindowClass mainClass;
        std::unique_ptr<Conversations> conversations;
        PictureStore pictures;
        MainWindowParts window;
        OwnedIcon pendingIcon;  // shared row icon 1100
        OwnedIcon noneIcon;     // shared row icon 1120
        std::unique_ptr<Menus> menus;
        std::unique_ptr<ListsDialogWindow> lists;
    };

public:
    // The main window and its children (while loaded).
    MainWindowParts& h = loaded_.window;

private:
    bool CreateMainWindow();
    // Lets go of everything Form_Load acquired, in the shutdown order.
    void ReleaseLoaded();

    // The main window's procedure and its operations.
    LRESULT MainWindowMessage(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
    void OnCommand(HWND from, int code);
    // The children's subclass procedures.
    LRESULT MainInputMessage(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
    LRESULT UserListMessage(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
    LRESULT OptionsButtonMessage(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
    // True when an icon handed to a row becomes the row's.
    bool RowOwnsIcon(RowPicture picture) const;

    OwnedLibrary richEditLibrary_;
    bool oleStarted_ = false;
    bool unloaded_ = false;
    bool quitOnUnload_ = false;
    UserRowStyle rowStyle_;
    RichEditPane chatPane_;
    std::unique_ptr<LoginForm> loginForm_;
    Loaded loaded_;

    ViewLogic viewLogic_{client};
    MainViewWindow viewWindow_{*this};
    SongState songState_;
    SonarVistaPlayer player_;
    SendMsgSongPost songPost_{client};
};

}  // namespace vellora
