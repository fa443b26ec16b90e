// Keys, focus and mouse of the main window's children: the input line, the
// user list, the chat pane and the options button. Each is subclassed with
// one of the main window object's procedures below; what they do not
// consume goes on to the control.
#include "core/frm_main_win32.h"

namespace vellora {

namespace {

bool IsShiftDown() { return (GetAsyncKeyState(VK_SHIFT) & 0x8000) != 0; }

}  // namespace

void FrmMain::TabNavigate(HWND parent, HWND control) {
    if (HWND next = GetNextDlgTabItem(parent, control, IsShiftDown() ? TRUE : FALSE)) SetFocus(next);
}

void FrmMain::FocusTo(HWND label) {
    HWND old = focus.ActiveTabLabel;
    focus.ActiveTabLabel = label;
    Conversations* dialogs = GetConversations();
    if (!dialogs) return;
    if (old) dialogs->RedrawTabLabel(old);
    if (label) dialogs->RedrawTabLabel(label);
}

void FrmMain::FocusChanged(HWND control) {
    Conversations* dialogs = GetConversations();
    if (!dialogs || !dialogs->FocusChanged(control)) FocusTo(nullptr);
}

void FrmMain::ControlGotFocus(HWND control) {
    FocusChanged(control);
    focus.LastFocus = control;
    if (client.settings.AutoHideDialogTextBoxes) RealResize(true);
}

void FrmMain::SetFocusRestore() {
    Conversations* dialogs = GetConversations();
    if (focus.LastFocus && dialogs && dialogs->RestoreFocus(focus.LastFocus)) return;
    if (h.hMainInput) SetFocus(h.hMainInput);
}

LRESULT FrmMain::MainInputMessage(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_SETFOCUS:
        ControlGotFocus(hwnd);
        break;
    case WM_KEYDOWN:
        if (wParam == VK_TAB) {
            TabNavigate(h.MainWindow, hwnd);
            return 0;
        }
        if (wParam == VK_RETURN) {
            MainEnter();
            return 0;
        }
        if (wParam == VK_ESCAPE) return 0;
        break;
    default:
        if (IsHandledKeyEcho(msg, wParam)) return 0;
        break;
    }
    return DefSubclassProc(hwnd, msg, wParam, lParam);
}

LRESULT FrmMain::UserListMessage(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    Menus* menus = GetMenus();
    // The context-menu key, or Shift+F10: the menu of the selected row.
    const bool shiftF10 = msg == WM_SYSKEYDOWN && wParam == VK_F10 && IsShiftDown();
    if ((msg == WM_KEYUP && wParam == VK_APPS) || shiftF10) {
        LRESULT row = SendMessageW(hwnd, LB_GETCURSEL, 0, 0);
        if (row != LB_ERR && menus) menus->EnterUserMenuForRow(static_cast<int>(row), false);
        if (shiftF10) return 0;
    } else if (msg == WM_RBUTTONUP) {
        LRESULT result = DefSubclassProc(hwnd, msg, wParam, lParam);
        LRESULT hit = SendMessageW(hwnd, LB_ITEMFROMPOINT, 0, lParam);
        // The high word is set when the point lies outside every row.
        if (HIWORD(hit) == 0) {
            SendMessageW(hwnd, LB_SETCURSEL, LOWORD(hit), 0);
            if (menus) menus->EnterUserMenuForRow(LOWORD(hit), true);
        }
        return result;
    }
    return DefSubclassProc(hwnd, msg, wParam, lParam);
}

LRESULT FrmMain::OptionsButtonMessage(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_SETFOCUS) ControlGotFocus(hwnd);
    // Keys the panes and the options button handle themselves.
    if (msg == WM_KEYDOWN) {
        switch (wParam) {
        case VK_TAB:
            TabNavigate(GetParent(hwnd), hwnd);
            return 0;
        case VK_ESCAPE:
            return 0;
        case VK_F4:
            if (Conversations* dialogs = GetConversations()) dialogs->MaybeClose(hwnd);
            if (!IsWindow(hwnd)) return 0;  // a docked dialog's pane went with its dialog
            break;
        default:
            break;
        }
    } else if (msg == WM_KEYUP && (wParam == VK_TAB || wParam == VK_RETURN || wParam == VK_F4)) {
        return 0;
    }
    return DefSubclassProc(hwnd, msg, wParam, lParam);
}

LRESULT FrmMain::PaneMessage(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_NCLBUTTONDOWN) {
        // The control tracks its scroll bar in a loop of its own; lines that
        // arrive meanwhile must not pull the view to the end.
        SetFrozenPane(hwnd);
        LRESULT result = DefSubclassProc(hwnd, msg, wParam, lParam);
        SetFrozenPane(nullptr);
        ShowLastLine(hwnd);
        return result;
    }
    return OptionsButtonMessage(hwnd, msg, wParam, lParam);
}

}  // namespace vellora
