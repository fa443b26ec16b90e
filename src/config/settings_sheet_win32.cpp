#include "config/settings_sheet_win32.h"

#include <commctrl.h>
#include <prsht.h>

#include <algorithm>
#include <vector>

#include "config/settings_page.h"
#include "core/frm_main_win32.h"
#include "dialogs/toolkit_win32.h"
#include "resources/resource_ids.h"
#include "resources/string_ids.h"
#include "resources/strings.h"

namespace vellora {

namespace {

// A page's controls as the portable sync sees them.
class DialogControls : public PageControls {
public:
    explicit DialogControls(HWND page) : page_(page) {}

    bool Has(int id) const override { return Item(id) != nullptr; }
    bool Checked(int id) const override { return IsDlgButtonChecked(page_, id) == BST_CHECKED; }
    void SetChecked(int id, bool checked) override { CheckDlgButton(page_, id, checked ? BST_CHECKED : BST_UNCHECKED); }
    std::int32_t Selection(int id) const override {
        const LRESULT index = SendMessageW(Item(id), CB_GETCURSEL, 0, 0);
        return index == CB_ERR ? -1 : static_cast<std::int32_t>(index);
    }
    void SetSelection(int id, std::int32_t index) override {
        SendMessageW(Item(id), CB_SETCURSEL, static_cast<WPARAM>(index), 0);
    }
    std::wstring Text(int id) const override { return GetWindowTextString(Item(id)); }
    void SetText(int id, const std::wstring& text) override { SetWindowTextString(Item(id), text); }
    // The buddy's text as typed; the up-down's own position only knows the range.
    std::int32_t Number(int id) const override {
        HWND buddy = reinterpret_cast<HWND>(SendMessageW(Item(id), UDM_GETBUDDY, 0, 0));
        const std::wstring typed = GetWindowTextString(buddy);
        constexpr std::int32_t kEnough = 1000000;  // far past any range; no overflow
        std::int32_t value = 0;
        for (wchar_t c : typed) {
            if (c >= L'0' && c <= L'9') value = std::min(value * 10 + (c - L'0'), kEnough);
        }
        return value;
    }
    void SetNumber(int id, std::int32_t low, std::int32_t high, std::int32_t value) override {
        SendMessageW(Item(id), UDM_SETRANGE32, static_cast<WPARAM>(low), static_cast<LPARAM>(high));
        SendMessageW(Item(id), UDM_SETPOS32, 0, static_cast<LPARAM>(value));
    }
    void Enable(int id, bool enabled) override { EnableWindow(Item(id), enabled ? TRUE : FALSE); }

private:
    HWND Item(int id) const { return GetDlgItem(page_, id); }
    HWND page_;
};

// Check boxes and radio buttons: a click on one is an edit of the page.
bool IsChoiceButton(HWND control) {
    const LONG_PTR type = GetWindowLongPtrW(control, GWL_STYLE) & BS_TYPEMASK;
    return type == BS_CHECKBOX || type == BS_AUTOCHECKBOX || type == BS_RADIOBUTTON || type == BS_AUTORADIOBUTTON ||
           type == BS_3STATE || type == BS_AUTO3STATE;
}

// A dialog template of the program in the user's interface language, or null.
const DLGTEMPLATE* DialogTemplate(int id) {
    HRSRC found = FindResourceW(ProgramInstance(), MAKEINTRESOURCEW(id), RT_DIALOG);
    HGLOBAL loaded = found ? LoadResource(ProgramInstance(), found) : nullptr;
    return loaded ? static_cast<const DLGTEMPLATE*>(LockResource(loaded)) : nullptr;
}

}  // namespace

void SettingsSheet::ShowSettingsDialog() {
    if (hSettingsSheet_) return;
    std::vector<HPROPSHEETPAGE> pages;
    for (int id = IDD_SETTINGS_FIRST; id <= IDD_SETTINGS_LAST; id += IDD_SETTINGS_STEP) {
        const DLGTEMPLATE* page = DialogTemplate(id);
        if (!page) continue;
        PROPSHEETPAGEW psp{};
        psp.dwSize = sizeof(psp);
        psp.dwFlags = PSP_DLGINDIRECT;
        psp.hInstance = ProgramInstance();
        psp.pResource = page;
        psp.pfnDlgProc = PageProc;
        psp.lParam = reinterpret_cast<LPARAM>(this);
        if (HPROPSHEETPAGE made = CreatePropertySheetPageW(&psp)) pages.push_back(made);
    }
    if (pages.empty()) return;
    const std::wstring title = LoadResString(kStrSettings);
    PROPSHEETHEADERW psh{};
    psh.dwSize = sizeof(psh);
    psh.dwFlags = PSH_NOCONTEXTHELP;
    psh.hwndParent = main_.h.MainWindow;
    psh.hInstance = ProgramInstance();
    psh.pszCaption = title.c_str();
    psh.nPages = static_cast<UINT>(pages.size());
    psh.phpage = pages.data();
    // The sheet destroys the pages with itself.
    PropertySheetW(&psh);
    hSettingsSheet_ = nullptr;
    hEventsPage_ = nullptr;
}

void SettingsSheet::SoundPlayingChanged(bool playing) {
    if (!hEventsPage_) return;
    DialogControls page(hEventsPage_);
    UpdateEventsPageState(page, playing);
}

bool SettingsSheet::SoundPlaying() const {
    Notifications* sounds = main_.GetNotifications();
    return sounds && sounds->SoundPlaying();
}

// Pages bind their object through the page record the sheet hands them at
// WM_INITDIALOG.
INT_PTR CALLBACK SettingsSheet::PageProc(HWND page, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_INITDIALOG) {
        SetWindowLongPtrW(page, DWLP_USER, reinterpret_cast<const PROPSHEETPAGEW*>(lParam)->lParam);
    }
    auto* self = reinterpret_cast<SettingsSheet*>(GetWindowLongPtrW(page, DWLP_USER));
    if (!self) return FALSE;
    if (msg == WM_NCDESTROY) SetWindowLongPtrW(page, DWLP_USER, 0);
    return self->PageMessage(page, msg, wParam, lParam);
}

INT_PTR SettingsSheet::PageMessage(HWND page, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_INITDIALOG:
        InitPage(page);
        return TRUE;
    case WM_COMMAND:
        OnCommand(page, LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HWND>(lParam));
        return TRUE;
    case WM_NOTIFY:
        if (reinterpret_cast<const NMHDR*>(lParam)->code == static_cast<UINT>(PSN_APPLY)) {
            Apply(page);
            SetWindowLongPtrW(page, DWLP_MSGRESULT, PSNRET_NOERROR);
            return TRUE;
        }
        return FALSE;
    case WM_DESTROY:
        if (page == hEventsPage_) hEventsPage_ = nullptr;
        return FALSE;
    default:
        return FALSE;
    }
}

void SettingsSheet::InitPage(HWND page) {
    if (!hSettingsSheet_) hSettingsSheet_ = GetParent(page);
    if (GetDlgItem(page, IDC_SOUND_TRY)) hEventsPage_ = page;
    if (HWND list = GetDlgItem(page, IDC_FRIENDS_POPUP)) {
        for (int id = kStrFriendsPopupNothing; id <= kStrFriendsPopupOpenDialog; ++id) {
            SendMessageW(list, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(LoadResString(id).c_str()));
        }
        SendMessageW(list, CB_SETEXTENDEDUI, TRUE, 0);
    }
    DialogControls controls(page);
    filling_ = true;
    SyncPage(controls, false, main_.client, main_);
    filling_ = false;
    UpdateIdleMinutesState(controls);
    UpdateEventsPageState(controls, SoundPlaying());
}

void SettingsSheet::OnCommand(HWND page, int id, int code, HWND control) {
    if (filling_) return;
    const bool edited = (code == BN_CLICKED && IsChoiceButton(control)) || code == CBN_SELCHANGE || code == EN_CHANGE;
    if (edited) PropSheet_Changed(hSettingsSheet_, page);
    DialogControls controls(page);
    Notifications* sounds = main_.GetNotifications();
    if (id >= IDC_GRAY_NOBODY && id <= IDC_GRAY_FRIENDS && code == BN_CLICKED) {
        UpdateIdleMinutesState(controls);
    } else if ((id == IDC_FRIENDS_POPUP && code == CBN_SELCHANGE) ||
               ((id == IDC_DIALOG_TOASTER || id == IDC_ERROR_TOASTER || id == IDC_SOUND_PLAY) && code == BN_CLICKED)) {
        UpdateEventsPageState(controls, SoundPlaying());
    } else if (id == IDC_SOUND_BROWSE && code == BN_CLICKED && sounds) {
        std::wstring file = controls.Text(IDC_SOUND_FILE);
        if (sounds->ChooseSoundFile(hSettingsSheet_, file)) {
            controls.SetText(IDC_SOUND_FILE, file);
            sounds->PlaySoundFile(file);
        }
    } else if (id == IDC_SOUND_TRY && code == BN_CLICKED && sounds) {
        sounds->PlaySoundFile(controls.Text(IDC_SOUND_FILE));
    } else if (id == IDC_SOUND_STOP && code == BN_CLICKED && sounds) {
        sounds->StopNotificationSound();
    }
}

void SettingsSheet::Apply(HWND page) {
    DialogControls controls(page);
    SyncPage(controls, true, main_.client, main_);
    PropSheet_UnChanged(hSettingsSheet_, page);
}

}  // namespace vellora
