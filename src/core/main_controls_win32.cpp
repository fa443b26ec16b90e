// Keys, focus and mouse of the main window's children: the input line, the
// user list, the chat pane and the options button.
#include <windows.h>

#include "core/frm_main_win32.h"
#include "core/later_hooks_win32.h"
#include "core/main_window_win32.h"
#include "dialogs/focus_state_win32.h"
#include "dialogs/toolkit_win32.h"
#include "text/rich_pane_win32.h"

namespace vellora {

FocusState Focus;
WNDPROC PrevMainInputProc = nullptr;
WNDPROC PrevUserListProc = nullptr;

namespace {

bool IsKey(UINT msg) { return msg == WM_KEYDOWN || msg == WM_KEYUP; }

// Keys the panes and the options button handle themselves; everything else
// goes on to the control. Returns true when the message was swallowed.
bool PaneKey(HWND hwnd, UINT msg, WPARAM key) {
    FrmMain* f = FrmMain::Instance();
    if (msg == WM_KEYDOWN) {
        switch (key) {
        case VK_TAB:
            if (f) f->TabNavigate(GetParent(hwnd), hwnd);
            return true;
        case VK_ESCAPE:
            return true;
        case VK_F4:
            later::MaybeCloseDialogOf(hwnd);
            return false;
        default:
            return false;
        }
    }
    return key == VK_TAB || key == VK_RETURN || key == VK_F4;  // key-up
}

}  // namespace

void FrmMain::TabNavigate(HWND parent, HWND control) {
    const bool back = (GetAsyncKeyState(VK_SHIFT) & 0x8000) != 0;
    if (HWND next = GetNextDlgTabItem(parent, control, back ? TRUE : FALSE)) SetFocus(next);
}

void FrmMain::FocusTo(HWND label) {
    HWND old = Focus.ActiveTabLabel;
    Focus.ActiveTabLabel = label;
    if (old) later::RedrawTabLabel(old);
    if (label) later::RedrawTabLabel(label);
}

void FrmMain::FocusChanged(HWND control) {
    if (!later::FocusChangedInDockedDialog(control)) FocusTo(nullptr);
}

void FrmMain::ControlGotFocus(HWND control) {
    FocusChanged(control);
    Focus.LastFocus = control;
    if (client.settings.AutoHideDialogTextBoxes) RealResize(true);
}

void FrmMain::SetFocusRestore() {
    if (Focus.LastFocus && later::FocusDockedDialogControl(Focus.LastFocus)) return;
    if (h.hMainInput) SetFocus(h.hMainInput);
}

LRESULT CALLBACK MainInputProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    FrmMain* f = FrmMain::Instance();
    switch (msg) {
    case WM_SETFOCUS:
        if (f) f->ControlGotFocus(hwnd);
        break;
    case WM_KEYDOWN:
        if (wParam == VK_TAB) {
            if (f) f->TabNavigate(f->h.MainWindow, hwnd);
            return 0;
        }
        if (wParam == VK_RETURN) {
            if (f) f->MainEnter();
            return 0;
        }
        if (wParam == VK_ESCAPE) return 0;
        break;
    case WM_KEYUP:
        if (wParam == VK_TAB || wParam == VK_RETURN) return 0;
        break;
    case WM_CHAR:
        // The characters of the keys handled above would only make the
        // single-line edit beep.
        if (wParam == L'\t' || wParam == L'\r' || wParam == 0x1B) return 0;
        break;
    default:
        break;
    }
    return CallWindowProcW(PrevMainInputProc, hwnd, msg, wParam, lParam);
}

LRESULT CALLBACK UserListProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_KEYUP && wParam == VK_APPS) {
        LRESULT row = SendMessageW(hwnd, LB_GETCURSEL, 0, 0);
        if (row != LB_ERR) later::EnterUserMenuForRow(static_cast<int>(row), false);
    } else if (msg == WM_RBUTTONUP) {
        LRESULT result = CallWindowProcW(PrevUserListProc, hwnd, msg, wParam, lParam);
        LRESULT hit = SendMessageW(hwnd, LB_ITEMFROMPOINT, 0, lParam);
        // The high word is set when the point lies outside every row.
        if (HIWORD(hit) == 0) {
            SendMessageW(hwnd, LB_SETCURSEL, LOWORD(hit), 0);
            later::EnterUserMenuForRow(LOWORD(hit), true);
        }
        return result;
    }
    return CallWindowProcW(PrevUserListProc, hwnd, msg, wParam, lParam);
}

LRESULT CALLBACK OptionsButtonProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    FrmMain* f = FrmMain::Instance();
    if (msg == WM_SETFOCUS && f) f->ControlGotFocus(hwnd);
    if (IsKey(msg) && PaneKey(hwnd, msg, wParam)) return 0;
    return CallPrevious(hwnd, msg, wParam, lParam);
}

LRESULT CALLBACK PaneProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_NCLBUTTONDOWN) {
        // The control tracks its scroll bar in a loop of its own; lines that
        // arrive meanwhile must not pull the view to the end.
        Focus.FrozenPane = hwnd;
        LRESULT result = CallPrevious(hwnd, msg, wParam, lParam);
        Focus.FrozenPane = nullptr;
        ShowLastLine(hwnd);
        return result;
    }
    return OptionsButtonProc(hwnd, msg, wParam, lParam);
}

}  // namespace vellora
