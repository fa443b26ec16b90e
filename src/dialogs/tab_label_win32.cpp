#include "dialogs/tab_label_win32.h"

#include <vssym32.h>

#include <string>

#include "core/frm_main_win32.h"
#include "dialogs/dialog_host_win32.h"
#include "dialogs/toolkit_win32.h"

namespace vellora {

namespace {

// The name: vertically centred on one line, cut with an ellipsis before the
// icons, "&" shown as it is.
constexpr UINT kTabTextFormat = DT_VCENTER | DT_SINGLELINE | DT_NOCLIP | DT_NOPREFIX | DT_END_ELLIPSIS;
constexpr TabCell kIcons[] = {TabCell::MoveUp, TabCell::MoveDown, TabCell::Release, TabCell::Close};

bool IsIcon(TabCell cell) { return cell != TabCell::Outside && cell != TabCell::Name; }

}  // namespace

bool TabLabel::Create(DialogHost& host, HWND parent) {
    host_ = &host;
    // The window binds this object and takes hwnd_ at WM_NCCREATE.
    CreateWindowExW(0, kTabLabelClass, L"", kTabLabelStyle, 0, 0, 200, kTabLabelHeight, parent, nullptr,
                    ProgramInstance(), this);
    return hwnd_ != nullptr;
}

void TabLabel::Destroy() {
    if (!hwnd_) return;
    // No message reaches this object while its window goes.
    SetWindowLongPtrW(hwnd_, GWLP_USERDATA, 0);
    if (captured_ && GetCapture() == hwnd_) ReleaseCapture();
    hwnd_.reset();
}

void TabLabel::SetArrows(bool upEnabled, bool downEnabled) {
    if (!hwnd_) return;
    const DWORD style = GetWindowLongW(hwnd_, GWL_STYLE);
    const DWORD arrows = (upEnabled ? 0 : kUpArrowDisabled) | (downEnabled ? 0 : kDownArrowDisabled);
    const DWORD wanted = (style & ~DWORD{0xFF}) | arrows;
    if (wanted == style) return;
    SetWindowLongW(hwnd_, GWL_STYLE, static_cast<LONG>(wanted));
    InvalidateRect(hwnd_, nullptr, FALSE);
}

LRESULT TabLabel::OnMessage(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_NCCREATE:
        hwnd_.reset(hwnd);
        break;
    case WM_NCDESTROY:
        hwnd_.forget();  // destroyed with the main window
        break;
    case WM_ERASEBKGND:
        return 1;  // the painting covers every pixel
    case WM_PAINT: {
        PAINTSTRUCT ps;
        if (HDC dc = BeginPaint(hwnd, &ps)) {
            DrawTabLabel(dc);
            EndPaint(hwnd, &ps);
        }
        return 0;
    }
    case WM_LBUTTONDOWN:
        if (!captured_) {
            SetCapture(hwnd);
            captured_ = true;
            TrackTabPress(lParam);
        }
        break;
    case WM_MOUSEMOVE:
        if (captured_) TrackTabPress(lParam);
        break;
    case WM_CAPTURECHANGED:
        // Another window took the mouse (a menu, a message box): no icon
        // stays drawn pressed.
        if (captured_ && reinterpret_cast<HWND>(lParam) != hwnd) {
            captured_ = false;
            TrackTabPress(MAKELPARAM(-1, -1));
        }
        break;
    case WM_LBUTTONUP:
        if (captured_) {
            TrackTabPress(MAKELPARAM(-1, -1));
            captured_ = false;
            ReleaseCapture();
        }
        TabClick(lParam);  // may close the dialog, and this label with it
        return 0;
    case WM_RBUTTONUP:
        TabRightClick(lParam);
        return 0;
    default:
        break;
    }
    return DefWindowProcW(hwnd, msg, wParam, lParam);
}

TabCell TabLabel::CellAt(LPARAM point) const {
    RECT rc{};
    if (!GetClientRect(hwnd_, &rc)) return TabCell::Outside;
    const PackedPoint p = SignedPoint(point);
    return TabCellAt(rc.right, rc.bottom, p.x, p.y);
}

void TabLabel::DrawTabLabel(HDC dc) {
    RECT rc{};
    if (!GetClientRect(hwnd_, &rc)) return;
    const bool active = host_->IsActiveLabel(hwnd_);
    FillRect(dc, &rc, GetSysColorBrush(active ? COLOR_ACTIVECAPTION : COLOR_INACTIVECAPTION));
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, GetSysColor(active ? COLOR_CAPTIONTEXT : COLOR_INACTIVECAPTIONTEXT));
    const std::wstring text = host_->LabelText(hwnd_) + L" ";
    RECT textRect{0, 0, TabCellLeft(rc.right, TabCell::MoveUp), rc.bottom};
    {
        Selection font(dc, host_->Main().h.UiFont);
        DrawTextW(dc, text.c_str(), -1, &textRect, kTabTextFormat);
    }
    for (TabCell cell : kIcons) DrawCell(dc, cell, cell == pressed_);
}

void TabLabel::DrawCell(HDC dc, TabCell cell, bool pressed) {
    RECT rc{};
    if (!GetClientRect(hwnd_, &rc)) return;
    const int left = TabCellLeft(rc.right, cell);
    RECT r{left, 0, left + kTabCellWidth, rc.bottom};
    const DWORD style = GetWindowLongW(hwnd_, GWL_STYLE);
    const bool disabled = (cell == TabCell::MoveUp && (style & kUpArrowDisabled)) ||
                          (cell == TabCell::MoveDown && (style & kDownArrowDisabled));
    const bool arrow = cell == TabCell::MoveUp || cell == TabCell::MoveDown;

    if (HTHEME theme = arrow ? ScrollBarTheme() : WindowTheme()) {
        int part = SBP_ARROWBTN;
        int state = 0;
        switch (cell) {
        case TabCell::MoveUp:
            state = disabled ? ABS_UPDISABLED : pressed ? ABS_UPPRESSED : ABS_UPNORMAL;
            break;
        case TabCell::MoveDown:
            state = disabled ? ABS_DOWNDISABLED : pressed ? ABS_DOWNPRESSED : ABS_DOWNNORMAL;
            break;
        case TabCell::Release:
            part = WP_RESTOREBUTTON;
            state = pressed ? RBS_PUSHED : RBS_NORMAL;
            break;
        default:
            part = WP_CLOSEBUTTON;
            state = pressed ? CBS_PUSHED : CBS_NORMAL;
            break;
        }
        if (IsThemeBackgroundPartiallyTransparent(theme, part, state)) DrawThemeParentBackground(hwnd_, dc, &r);
        DrawThemeBackground(theme, dc, part, state, &r, nullptr);
        return;
    }
    UINT type = arrow ? DFC_SCROLL : DFC_CAPTION;
    UINT state = cell == TabCell::MoveUp     ? DFCS_SCROLLUP
                 : cell == TabCell::MoveDown ? DFCS_SCROLLDOWN
                 : cell == TabCell::Release  ? DFCS_CAPTIONRESTORE
                                             : DFCS_CAPTIONCLOSE;
    if (disabled) {
        state |= DFCS_INACTIVE;
    } else if (pressed) {
        state |= DFCS_PUSHED;
    }
    DrawFrameControl(dc, &r, type, state);
}

void TabLabel::TrackTabPress(LPARAM point) {
    TabCell cell = CellAt(point);
    if (!IsIcon(cell)) cell = TabCell::Outside;
    if (cell == pressed_) return;
    if (HDC dc = GetDC(hwnd_)) {
        if (IsIcon(pressed_)) DrawCell(dc, pressed_, false);
        if (IsIcon(cell)) DrawCell(dc, cell, true);
        ReleaseDC(hwnd_, dc);
    }
    pressed_ = cell;
}

void TabLabel::TabClick(LPARAM point) {
    // Closing the dialog destroys this label: nothing of it is used after.
    DialogHost& host = *host_;
    HWND label = hwnd_;
    switch (CellAt(point)) {
    case TabCell::Close:
        host.CloseFormByChild(label, true);
        break;
    case TabCell::Release:
        host.UndockByLabel(label);
        break;
    case TabCell::MoveDown:
        host.MoveDlg(label, true);
        break;
    case TabCell::MoveUp:
        host.MoveDlg(label, false);
        break;
    case TabCell::Name:
        host.FocusToByHLabel(label);
        break;
    case TabCell::Outside:
        break;
    }
}

void TabLabel::TabRightClick(LPARAM point) {
    if (CellAt(point) == TabCell::Name) host_->CheckUndockedWindowsRClickByHLabel(hwnd_);
}

}  // namespace vellora
