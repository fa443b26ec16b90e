#include "config/login_form_win32.h"

#include <commctrl.h>

#include "core/frm_main_win32.h"
#include "dialogs/toolkit_win32.h"
#include "dialogs/window_object_win32.h"
#include "resources/string_ids.h"
#include "resources/strings.h"

namespace vellora {

namespace {

// An empty dialog template: the controls are placed in pixels afterwards.
struct EmptyDialogTemplate {
    DLGTEMPLATE dlg;
    WORD menu = 0;
    WORD windowClass = 0;
    WORD title = 0;
};

struct ControlSpec {
    int id;
    const wchar_t* cls;
    DWORD exStyle;
    DWORD style;
    int x, y, width, height;
};

constexpr DWORD kChild = WS_CHILD | WS_VISIBLE;
// In tab order.
constexpr ControlSpec kControls[] = {
    {kLabel1, L"STATIC", 0, kChild | SS_LEFT, 8, 8, 297, 17},
    {kLabel2, L"STATIC", 0, kChild | SS_LEFT, 8, 32, 145, 17},
    {kCombo1, L"COMBOBOX", 0, kChild | WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWN | CBS_AUTOHSCROLL, 8, 48, 297, 200},
    {kLabel3, L"STATIC", 0, kChild | SS_LEFT, 8, 72, 145, 17},
    {kText2, L"EDIT", WS_EX_CLIENTEDGE, kChild | WS_TABSTOP | ES_PASSWORD | ES_AUTOHSCROLL, 8, 88, 297, 19},
    {kCommand3, L"BUTTON", 0, kChild | WS_TABSTOP | BS_DEFPUSHBUTTON, 136, 112, 81, 25},
    {kCommand1, L"BUTTON", 0, kChild | WS_TABSTOP | BS_PUSHBUTTON, 224, 112, 81, 25},
    {kCheck2, L"BUTTON", 0, kChild | WS_TABSTOP | BS_AUTOCHECKBOX, 8, 112, 121, 17},
};

// Lets the pending window messages run once, so the form paints before a
// blocking login.
void ProcessPendingMessages() {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            PostQuitMessage(static_cast<int>(msg.wParam));
            break;
        }
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}

}  // namespace

LoginForm::LoginForm(FrmMain& main) : main_(main) {}

LoginForm::~LoginForm() { Destroy(); }

bool LoginForm::EnsureWindow() {
    if (hwnd_) return true;
    EmptyDialogTemplate tmpl{};
    tmpl.dlg.style = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | DS_MODALFRAME | DS_CENTER;
    // The form binds itself to the window at WM_INITDIALOG.
    CreateDialogIndirectParamW(ProgramInstance(), &tmpl.dlg, nullptr, DialogProcOf<&LoginForm::FormMessage>,
                               reinterpret_cast<LPARAM>(this));
    return hwnd_ != nullptr;
}

INT_PTR LoginForm::FormMessage(HWND hwnd, UINT msg, WPARAM wParam, LPARAM) {
    switch (msg) {
    case WM_INITDIALOG:
        hwnd_.reset(hwnd);
        Form_Load();
        return FALSE;  // the focus is placed by the form itself
    case WM_COMMAND:
        return OnCommand(LOWORD(wParam), HIWORD(wParam)) ? TRUE : FALSE;
    case WM_DESTROY:
        errorBox_.reset();
        return FALSE;
    case WM_NCDESTROY:
        hwnd_.forget();
        return FALSE;
    default:
        return FALSE;
    }
}

bool LoginForm::OnCommand(int id, int code) {
    if (id == kCombo1 && code == CBN_SELCHANGE) Combo1_Click();
    else if (id == kCombo1 && code == CBN_EDITCHANGE && !filling_) Combo1_Change();
    else if (id == kText2 && code == EN_CHANGE && !filling_) Text2_Change();
    else if (id == kCommand3 && code == BN_CLICKED) Command3_Click();
    else if (id == kCommand1 && code == BN_CLICKED) Command1_Click();
    else return false;
    return true;
}

void LoginForm::Form_Load() {
    CreateControls();
    const int captions[][2] = {{kLabel1, kStrLoginWelcome},  {kLabel2, kStrLoginName},
                               {kLabel3, kStrLoginPassword}, {kCheck2, kStrLoginRemember},
                               {kCommand3, kStrLoginButton}, {kCommand1, kStrLoginCancel}};
    for (const auto& [id, resource] : captions) SetText(id, LoadResString(resource));
}

void LoginForm::CreateControls() {
    RECT want{0, 0, kLoginClientWidth, kLoginClientHeight};
    AdjustWindowRectEx(&want, static_cast<DWORD>(GetWindowLongPtrW(hwnd_, GWL_STYLE)), FALSE,
                       static_cast<DWORD>(GetWindowLongPtrW(hwnd_, GWL_EXSTYLE)));
    const int width = want.right - want.left;
    const int height = want.bottom - want.top;
    SetWindowPos(hwnd_, nullptr, (GetSystemMetrics(SM_CXSCREEN) - width) / 2,
                 (GetSystemMetrics(SM_CYSCREEN) - height) / 2, width, height, SWP_NOZORDER | SWP_NOACTIVATE);

    HFONT font = main_.h.UiFont;
    SendMessageW(hwnd_, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    for (const ControlSpec& c : kControls) {
        HWND control = CreateWindowExW(c.exStyle, c.cls, L"", c.style, c.x, c.y, c.width, c.height, hwnd_,
                                       reinterpret_cast<HMENU>(static_cast<INT_PTR>(c.id)), ProgramInstance(),
                                       nullptr);
        SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    }
    SendMessageW(Control(kText2), EM_SETPASSWORDCHAR, L'*', 0);
    SendMessageW(hwnd_, DM_SETDEFID, kCommand3, 0);
}

bool LoginForm::LoadForm4AutoLogin() {
    if (!EnsureWindow()) return true;
    bool result = true;
    SetWindowTextString(hwnd_, L"Vellora " + VersionValue(L"ProductVersion"));

    const std::vector<std::wstring> accounts = main_.AccountNames();
    HWND combo = Control(kCombo1);
    SendMessageW(combo, CB_RESETCONTENT, 0, 0);
    if (!accounts.empty()) {
        SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(L""));
        for (const std::wstring& name : accounts)
            SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name.c_str()));
    }
    if (accounts.size() == 1) {
        SendMessageW(combo, CB_SETCURSEL, 1, 0);
        Combo1_Click();
        if (!main_.client.session.Password.empty() && main_.client.settings.AutoLogin) {
            Show();
            EnableLoginControls(false);
            ProcessPendingMessages();
            main_.client.session.AutoLoginTried = true;
            result = DoLogin();
            // Errors of later attempts by hand are the user's to see.
            main_.client.session.AutoLoginTried = false;
            if (hwnd_) EnableLoginControls(true);
        }
    }
    if (result && hwnd_) {
        Show();
        FocusFirstEmptyField();
    }
    return result;
}

void LoginForm::Show() {
    ShowWindow(hwnd_, SW_SHOW);
    SetForegroundWindow(hwnd_);
    UpdateWindow(hwnd_);
}

void LoginForm::Combo1_Click() {
    filling_ = true;
    SetText(kText2, L"");
    SetChecked(false);
    // The edit part of the box takes the picked entry only after this
    // notification, so read the entry itself.
    HWND combo = Control(kCombo1);
    std::wstring picked;
    LRESULT index = SendMessageW(combo, CB_GETCURSEL, 0, 0);
    if (index != CB_ERR) {
        LRESULT length = SendMessageW(combo, CB_GETLBTEXTLEN, static_cast<WPARAM>(index), 0);
        if (length != CB_ERR) {
            picked.resize(static_cast<std::size_t>(length) + 1);
            SendMessageW(combo, CB_GETLBTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(picked.data()));
            picked.resize(static_cast<std::size_t>(length));
        }
    } else {
        picked = Text(kCombo1);
    }
    main_.client.session.UserName = picked;
    main_.client.session.Password = Text(kText2);
    main_.ApplyConfig(picked, false);
    SetText(kCombo1, main_.client.session.UserName);
    if (!main_.client.session.UserName.empty()) {
        SetText(kText2, main_.client.session.Password);
        if (!main_.client.session.Password.empty()) SetChecked(true);
    }
    filling_ = false;
}

void LoginForm::Combo1_Change() {
    filling_ = true;
    SetText(kText2, L"");
    filling_ = false;
    SetChecked(false);
    main_.client.settings.AutoLogin = false;
}

void LoginForm::Text2_Change() { SetChecked(false); }

bool LoginForm::DoLogin() {
    Session& s = main_.client.session;
    s.OwnUserId.clear();
    s.UserName = Text(kCombo1);
    s.LoginName = s.UserName;
    s.Password = Text(kText2);
    if (s.UserName.empty() || s.Password.empty()) {
        FocusFirstEmptyField();
        return true;
    }
    HWND hadFocus = GetFocus();
    EnableLoginControls(false);
    if (main_.TryLogin()) {
        if (hwnd_) {
            EnableLoginControls(true);
            if (hadFocus && IsWindowEnabled(hadFocus)) SetFocus(hadFocus);
        }
        return true;
    }
    const bool remember = Checked();
    main_.ApplyConfig(Text(kCombo1), true);
    s.ConfigName = s.UserName;
    s.SavedPassword = remember ? s.Password : L"";
    main_.SaveConfig();
    return false;
}

void LoginForm::FocusFirstEmptyField() {
    filling_ = true;
    SetText(kCombo1, main_.client.session.UserName);
    if (main_.client.session.UserName.empty()) {
        Focus(kCombo1);
    } else {
        SetText(kText2, main_.client.session.Password);
        if (main_.client.session.Password.empty()) {
            Focus(kText2);
        } else {
            Focus(kCommand3);
            SetChecked(true);
        }
    }
    filling_ = false;
}

void LoginForm::EnableLoginControls(bool enabled) {
    for (int id : {kCombo1, kText2, kCheck2, kCommand1, kCommand3}) EnableWindow(Control(id), enabled);
}

void LoginForm::Command3_Click() {
    if (!DoLogin()) Unload();
}

void LoginForm::Command1_Click() { Unload(); }

void LoginForm::Unload() {
    ClearError();
    if (main_.client.session.LoginPhase) {
        main_.Unload();
        main_.client.session.LoginPhase = false;
    }
    Destroy();
}

void LoginForm::Destroy() {
    errorBox_.reset();
    hwnd_.reset();
}

void LoginForm::SetError(const std::wstring& xError) {
    if (!EnsureWindow()) return;
    if (!errorBox_) errorBox_ = CreateErrorBox(hwnd_, 400);
    if (errorBox_) SetErrorBoxText(*errorBox_, L"Error: " + xError);
}

void LoginForm::ClearError() { DestroyErrorBox(errorBox_, true); }

std::wstring LoginForm::Text(int id) const { return GetWindowTextString(Control(id)); }

void LoginForm::SetText(int id, const std::wstring& text) { SetWindowTextString(Control(id), text); }

bool LoginForm::Checked() const { return SendMessageW(Control(kCheck2), BM_GETCHECK, 0, 0) == BST_CHECKED; }

void LoginForm::SetChecked(bool checked) {
    SendMessageW(Control(kCheck2), BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
}

void LoginForm::Focus(int id) {
    if (hwnd_ && IsWindowVisible(hwnd_))
        SendMessageW(hwnd_, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(Control(id)), TRUE);
}

}  // namespace vellora
