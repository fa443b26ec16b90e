#pragma once
// Form4, the login form: the first window the user sees. It lists the
// accounts that have a settings file, takes a name and a password, hands the
// login to the main window object and, during the login phase, shows the
// login sequence's errors in a strip at its bottom.

#include <windows.h>

#include <memory>
#include <string>

#include "dialogs/error_box_win32.h"
#include "dialogs/handles_win32.h"
#include "resources/resource_ids.h"

namespace vellora {

class FrmMain;

// Control ids of the form (the login and cancel buttons are the dialog's
// default and cancel buttons).
enum LoginFormControl : int {
    kLabel1 = IDC_LOGIN_WELCOME,
    kLabel2 = IDC_LOGIN_NAME_LABEL,
    kLabel3 = IDC_LOGIN_PASSWORD_LABEL,
    kCombo1 = IDC_LOGIN_NAME,
    kText2 = IDC_LOGIN_PASSWORD,
    kCheck2 = IDC_LOGIN_REMEMBER,
    kCommand3 = IDOK,
    kCommand1 = IDCANCEL,
};

inline constexpr int kLoginClientWidth = 312;
inline constexpr int kLoginClientHeight = 141;

class LoginForm {
public:
    explicit LoginForm(FrmMain& main);
    ~LoginForm();
    LoginForm(const LoginForm&) = delete;
    LoginForm& operator=(const LoginForm&) = delete;

    // Fills the form, tries the automatic login and shows the form when the
    // user has something to do. False when an automatic login entered the
    // chat (the form is then not needed).
    bool LoadForm4AutoLogin();
    void SetError(const std::wstring& xError);
    void ClearError();
    // Closes the form; during the login phase that ends the program.
    void Unload();
    // Destroys the window without the unload rules (the program is ending).
    void Destroy();

    HWND hwnd() const { return hwnd_.get(); }
    HWND Control(int id) const { return hwnd_ ? GetDlgItem(hwnd_, id) : nullptr; }
    // The error strip, or null while there is none.
    HWND ErrorBoxWindow() const { return errorBox_ ? errorBox_->box.get() : nullptr; }

    // Event handlers, called by the form's dialog procedure.
    void Combo1_Click();
    void Combo1_Change();
    void Text2_Change();
    void Command3_Click();
    void Command1_Click();

private:
    // The form's dialog procedure: dispatches to the handlers above.
    INT_PTR FormMessage(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
    bool OnCommand(int id, int code);
    bool EnsureWindow();
    void Form_Load();
    void CreateControls();
    void Show();
    bool DoLogin();
    void FocusFirstEmptyField();
    void EnableLoginControls(bool enabled);
    std::wstring Text(int id) const;
    void SetText(int id, const std::wstring& text);
    bool Checked() const;
    void SetChecked(bool checked);
    void Focus(int id);

    FrmMain& main_;
    OwnedWindow hwnd_;
    std::unique_ptr<ErrorBox> errorBox_;
    // Set while the program itself fills the fields, whose change
    // notifications are then not the user's edits.
    bool filling_ = false;
};

}  // namespace vellora
