// The conversations facility: the keyboard focus across the main window and
// the dialogs, Enter in a dialog's input line, and the mouse on the main
// window, the tab labels and the floating dialogs.
#include <cwchar>

#include "core/frm_main_win32.h"
#include "dialogs/dialog_host_win32.h"
#include "dialogs/dialog_window_win32.h"
#include "dialogs/toolkit_win32.h"
#include "resources/string_ids.h"
#include "view/dialog_focus.h"
#include "view/dialog_send.h"

namespace vellora {

namespace {

WindowId Id(HWND window) { return reinterpret_cast<WindowId>(window); }

// DlgAge holds a number the program wrote itself.
std::int32_t AgeNumber(const Form2& dialog) {
    return static_cast<std::int32_t>(std::wcstol(dialog.DlgAge.c_str(), nullptr, 10));
}

}  // namespace

bool DialogHost::FocusChanged(HWND control) {
    Form2* dialog = ByControl(control);
    if (!dialog || !dialog->IsDocked) return false;
    main_.FocusTo(Win(*dialog).hLabel());
    main_.focus.LastFocus = control;
    // The focused dialog gets its input line back.
    if (main_.client.settings.AutoHideDialogTextBoxes) main_.RealResize(true);
    return true;
}

bool DialogHost::RestoreFocus(HWND lastFocus) {
    const FocusReturn to = WhereFocusReturns(Dialogs(), Id(lastFocus));
    switch (to.kind) {
    case FocusReturn::LastFocus:
        SetFocus(lastFocus);
        return true;
    case FocusReturn::DialogInput:
        Win(*to.dialog).FocusInput();
        return true;
    case FocusReturn::MainInput:
        break;
    }
    return false;
}

void DialogHost::RedrawTabLabel(HWND label) {
    if (label) InvalidateRect(label, nullptr, FALSE);
}

void DialogHost::RestoreDialogFocus(HWND dialogWindow) {
    Form2* dialog = ByWindow(dialogWindow);
    if (dialog && !dialog->IsDocked) Win(*dialog).FocusInput();
}

void DialogHost::FocusToByHLabel(HWND label) {
    if (Form2* dialog = ByLabel(label)) Win(*dialog).FocusInput();
}

void DialogHost::GotEnter(HWND input) {
    Form2* dialog = ByControl(input);
    if (!dialog || Win(*dialog).hInput() != input) return;
    if (DialogSendMsg(main_.client, *dialog, GetWindowTextString(input))) SetWindowTextString(input, L"");
}

std::wstring DialogHost::LabelText(HWND label) const {
    const Form2* dialog = ByLabel(label);
    return dialog ? GetDlgUserAge(*dialog) : std::wstring();
}

bool DialogHost::IsActiveLabel(HWND label) const { return label && main_.focus.ActiveTabLabel == label; }

// ---------------------------------------------------------------------------
// The mouse

void DialogHost::OpenUserMenu(const Form2* dialog) {
    Menus* menus = main_.GetMenus();
    if (dialog && menus) menus->EnterUserMenu(dialog->DlgUser, true);
}

void DialogHost::MainWindowLeftClick(LPARAM point) {
    const PackedPoint p = MainWindowPoint(point);
    if (Form2* dialog = DockedDialogAt(Dialogs(), p.x, p.y)) Win(*dialog).FocusInput();
}

void DialogHost::MainWindowRightClick(LPARAM point) {
    const PackedPoint p = MainWindowPoint(point);
    OpenUserMenu(DockedDialogAt(Dialogs(), p.x, p.y));
}

void DialogHost::CheckUndockedWindowsRClick(HWND dialogWindow) { OpenUserMenu(ByWindow(dialogWindow)); }

void DialogHost::CheckUndockedWindowsRClickByHLabel(HWND label) { OpenUserMenu(ByLabel(label)); }

bool DialogHost::RaiseDockedDlgTooltip(POINT screenPoint) {
    HWND main = main_.h.MainWindow;
    Notifications* n = main_.GetNotifications();
    if (!main || !n || !ScreenToClient(main, &screenPoint)) return false;
    const Form2* dialog = DockedDialogAt(Dialogs(), screenPoint.x, screenPoint.y);
    if (!dialog) return false;
    n->RaiseUserTooltip(main, main, kStrTipDialogPicture, dialog->DlgUserID, dialog->DlgUser, AgeNumber(*dialog),
                        dialog->LastMsgTime);
    return true;
}

}  // namespace vellora
