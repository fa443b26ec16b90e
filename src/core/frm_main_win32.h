#pragma once
// frmMain: the main window object. It comes up first and goes down last,
// holds the long-lived state, creates the main window and its children, runs
// the poll timer and carries out what the portable code asks of the main
// window.

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "config/settings.h"
#include "core/session.h"
#include "core/status_line.h"
#include "dialogs/user_rows_win32.h"

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

class FrmMain : public StatusTarget {
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

    // The main window (Part of the layout and message routing).
    bool CreateMainWindow();
    void RealResize(bool repaint);
    void StatusBar_Panel_SetText(int panel, const std::wstring& text);
    void UpdateFontSize();
    // Every pane shows its lines again (after a font or time-display change).
    void RerenderAllDialogs();
    void ShowStatusBar(bool shown);
    void ShowMainWindow();

    // Focus and keys of the main window's controls.
    void SetFocusRestore();
    void FocusChanged(HWND control);
    void FocusTo(HWND label);
    void ControlGotFocus(HWND control);
    void TabNavigate(HWND parent, HWND control);
    void MainEnter();

    // One tick of the poll timer.
    void Timer1_Timer();

    // User-list rows, kept in the order of the roster.
    int AddUserRow(const std::wstring& name, std::intptr_t picture, bool normal);
    void RemoveUserRow(int index);
    void SetUserRowPicture(int index, std::intptr_t picture);
    void SetUserRowDetail(int index, const std::wstring& text);
    void SetUserRowNormal(int index, bool normal);
    const UserRowStyle& RowStyle() const { return rowStyle_; }

    // What the login form asks of the main window object.
    bool TryLogin();
    void ApplyConfig(const std::wstring& account, bool andApply);
    void SaveConfig();
    std::vector<std::wstring> AccountNames();

    // The login form, created when first needed.
    LoginForm& Form4();
    bool HasLoginForm() const { return loginForm_ != nullptr; }

    // StatusTarget
    void ShowLoginError(const std::wstring& text) override;
    void ShowChatStatusLine(const std::wstring& line, std::int32_t timeOfDay) override;
    void ShowErrorToaster(const std::wstring& line, std::int32_t timeOfDay) override;
    void PlayNotificationSound() override;

    Session session;
    Settings settings;
    MainWindowHandles h;

private:
    void TearDownMainWindow();
    void SendLogout();
    static void CALLBACK Timer1Proc(HWND, UINT, UINT_PTR, DWORD);

    HMODULE richEditLibrary_ = nullptr;
    UINT_PTR timer1_ = 0;
    bool unloaded_ = false;
    bool quitOnUnload_ = false;
    bool classesRegistered_ = false;
    UserRowStyle rowStyle_;
    std::unique_ptr<LoginForm> loginForm_;
};

}  // namespace vellora
