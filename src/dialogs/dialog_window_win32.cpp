#include "dialogs/dialog_window_win32.h"

#include <algorithm>

#include "core/frm_main_win32.h"
#include "core/main_window_win32.h"
#include "dialogs/dialog_host_win32.h"
#include "dialogs/placement_win32.h"
#include "dialogs/toolkit_win32.h"
#include "text/chat_font_win32.h"
#include "view/pictures_win32.h"

namespace vellora {

namespace {

// The input line and the pane look like the main window's.
constexpr DWORD kDialogInputStyle = kMainInputStyle;
constexpr DWORD kDialogPaneStyle = kChatPaneStyle;
constexpr UINT kMoveFlags = SWP_NOZORDER | SWP_NOACTIVATE;

void Place(HWND window, const LayoutRect& r, UINT extra = 0) {
    if (window) SetWindowPos(window, nullptr, r.x, r.y, r.width, r.height, kMoveFlags | extra);
}

HWND CreateChild(DWORD exStyle, const wchar_t* cls, DWORD style, int w, int h, HWND parent, int id) {
    return CreateWindowExW(exStyle, cls, L"", style, 0, 0, w, h, parent,
                           reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), ProgramInstance(), nullptr);
}

// Sets a bitmap control's image. With common controls 6 the control may
// show a copy of a 32-bit bitmap; that copy is handed back here and is ours
// to delete, unlike Shown, the bitmap the dialog owns.
void SetPictureImage(HWND control, HBITMAP image, HBITMAP shown) {
    auto previous = reinterpret_cast<HBITMAP>(
        SendMessageW(control, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(image)));
    if (previous && previous != shown) DeleteObject(previous);
}

}  // namespace

DialogWin::DialogWin(DialogHost& host, const std::wstring& caption) : host_(host) {
    RECT outer{0, 0, kDialogClientWidth, kDialogClientHeight};
    AdjustWindowRectEx(&outer, kDialogWindowStyle, FALSE, kDialogWindowExStyle);
    const int height = std::max<int>(outer.bottom - outer.top, kDialogClientHeight);
    // The window binds this object and takes hwnd_ at WM_NCCREATE.
    CreateWindowExW(kDialogWindowExStyle, kDialogWindowClass, caption.c_str(), kDialogWindowStyle, 0, 0,
                    kDialogClientWidth, height, nullptr, nullptr, ProgramInstance(), this);
    if (!hwnd_) return;
    FitWindowOnScreen(hwnd_);

    FrmMain& main = host_.Main();
    label_.Create(host_, main.h.MainWindow);
    hInput_ = Control(CreateChild(WS_EX_CLIENTEDGE, L"EDIT", kDialogInputStyle, 200, kInputHeight, hwnd_,
                                  IDC_DIALOG_INPUT));
    if (hInput_) {
        hInput_.SetFont(main.h.UiFont);
        hInput_.SubclassWith<&DialogWin::InputMessage>(*this);
    }
    hRich_ = Control(CreateRichEdit(WS_EX_CLIENTEDGE, L"", kDialogPaneStyle, 0, 0, 0, 0, hwnd_));
    if (hRich_) {
        hRich_.SetFont(ChatFont());
        SendMessageW(hRich_, EM_LIMITTEXT, kPaneTextLimit, 0);
        // Every pane has the one pane procedure: focus, keys, the held scroll bar.
        hRich_.SubclassWith<&FrmMain::PaneMessage>(main);
        pane_.Attach(hRich_);
    }
    hPicStat_.reset(CreateChild(0, L"STATIC", kDialogPictureStyle, 32, 32, hwnd_, 0));
    iconSm_.before = reinterpret_cast<HICON>(SendMessageW(hwnd_, WM_GETICON, ICON_SMALL, 0));
    iconLg_.before = reinterpret_cast<HICON>(SendMessageW(hwnd_, WM_GETICON, ICON_BIG, 0));
    // The tooltips are registered once the dialog is in the collection and
    // has its user (Show, Dock).
    Resize();
}

DialogWin::~DialogWin() {
    if (!hwnd_) return;
    // No message reaches this object while its windows go.
    SetWindowLongPtrW(hwnd_, GWLP_USERDATA, 0);
    hInput_.reset();
    ShowWindow(hwnd_, SW_HIDE);
    if (hBmp_) {
        if (hPicStat_) SetPictureImage(hPicStat_, nullptr, hBmp_);
        hBmp_.reset();
    }
    hPicStat_.reset();
    // The label's tool is the main window's (where the label lives).
    Notifications* tips = host_.Main().GetNotifications();
    if (tips) tips->RemoveTooltip(label_.hwnd());
    label_.Destroy();
    // The window gets its earlier icons back before the picture icons go.
    ReplaceIcon(iconSm_, {});
    ReplaceIcon(iconLg_, {});
    pane_.Attach(nullptr);
    hRich_.reset();
    if (tips) tips->RemoveTooltipsOf(hwnd_);
    hwnd_.reset();
}

DialogPart DialogWin::PartOf(WindowId window) const {
    auto w = reinterpret_cast<HWND>(window);
    if (!w) return DialogPart::None;
    if (w == hwnd_.get()) return DialogPart::Window;
    if (w == label_.hwnd()) return DialogPart::Label;
    if (w == hInput_.get()) return DialogPart::Input;
    if (w == hRich_.get()) return DialogPart::Pane;
    return DialogPart::None;
}

void DialogWin::SetCaption(const std::wstring& caption) { SetWindowTextString(hwnd_, caption); }

void DialogWin::Show(bool activate) {
    SetToolTips(hwnd_);
    ShowWindow(hwnd_, activate ? SW_SHOW : SW_SHOWNA);
}

void DialogWin::Dock() {
    docked_ = true;
    ShowWindow(hwnd_, SW_HIDE);
    SetParentNow(host_.Main().h.MainWindow);
    ShowWindow(label_.hwnd(), SW_SHOWNA);
}

void DialogWin::Undock(bool keepHidden) {
    SetParentNow(hwnd_);
    ShowWindow(label_.hwnd(), SW_HIDE);
    docked_ = false;
    if (keepHidden) return;
    ShowWindow(hwnd_, SW_SHOWNA);
    Resize();
}

void DialogWin::SetParentNow(HWND to) {
    for (HWND child : {hRich_.get(), hPicStat_.get(), hInput_.get()}) {
        if (child) SetParent(child, to);
    }
    SetToolTips(to);
}

void DialogWin::FocusInput() {
    if (hInput_) SetFocus(hInput_);
}

void DialogWin::Resize() {
    RECT rc{};
    if (docked_ || IsIconic(hwnd_) || !GetClientRect(hwnd_, &rc)) return;
    ResizeEx({0, 0, rc.right, rc.bottom}, false);
}

void DialogWin::ResizeEx(const LayoutRect& place, bool hideInput) {
    const DialogLayout l = ComputeDialogLayout(place, docked_, hideInput);
    if (docked_) Place(label_.hwnd(), l.label);
    Place(hInput_, l.input);
    if (hRich_) {
        Place(hRich_, l.pane, SWP_FRAMECHANGED);
        ShowLastLine(hRich_);
    }
    picHeight_ = l.picture.height;
    ShowPictureControl(l.picture);
}

void DialogWin::ShowPictureControl(const LayoutRect& place) {
    if (!hPicStat_) return;
    // Hidden around the move so the picture paints anew in its place.
    if (hBmp_) ShowWindow(hPicStat_, SW_HIDE);
    Place(hPicStat_, place);
    if (hBmp_) ShowWindow(hPicStat_, SW_SHOWNA);
}

void DialogWin::UpdateButtons(bool enable1, bool enable2) { label_.SetArrows(enable1, enable2); }

void DialogWin::SetPaneFont(HFONT font) {
    if (hRich_) SendMessageW(hRich_, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
}

void DialogWin::InvalidatePane() {
    if (hRich_) InvalidateRect(hRich_, nullptr, TRUE);
}

void DialogWin::SetToolTips(HWND parent) { host_.SetToolTips(*this, parent); }

void DialogWin::RedrawLabel() {
    if (label_.hwnd()) InvalidateRect(label_.hwnd(), nullptr, FALSE);
}

PictureHandle DialogWin::SetPicture(PictureHandle picture) {
    if (!hPicStat_) return reinterpret_cast<PictureHandle>(hBmp_.get());
    OwnedBitmap scaled = CopyBitmapArea(PictureStore::Bitmap(picture), kFloatingPictureWidth, kFloatingPictureHeight);
    // The control never keeps a bitmap that is about to be deleted.
    SetPictureImage(hPicStat_, scaled, hBmp_);
    if (scaled) {
        if (docked_) {
            // A bitmap control sizes itself to its picture: give the column's size back.
            SetWindowPos(hPicStat_, nullptr, 0, 0, 32, 32, kMoveFlags | SWP_NOMOVE);
            SetWindowPos(hPicStat_, nullptr, 0, 0, kDockedPictureWidth, picHeight_, kMoveFlags | SWP_NOMOVE);
        }
        ShowWindow(hPicStat_, SW_SHOWNA);
    } else {
        ShowWindow(hPicStat_, SW_HIDE);
    }
    hBmp_ = std::move(scaled);
    return reinterpret_cast<PictureHandle>(hBmp_.get());
}

void DialogWin::SetIcons(PictureHandle picture) {
    HBITMAP bitmap = PictureStore::Bitmap(picture);
    if (!bitmap) return;
    ReplaceIcon(iconSm_, MakeUserIconFrom(bitmap, 16, 13));
    ReplaceIcon(iconLg_, MakeUserIconFrom(bitmap, 32, 27));
}

void DialogWin::ReplaceIcon(PictureIcon& icon, OwnedIcon made) {
    if (made) {
        SendMessageW(hwnd_, WM_SETICON, icon.which, reinterpret_cast<LPARAM>(made.get()));
        icon.shown = std::move(made);
    } else if (icon.shown) {
        SendMessageW(hwnd_, WM_SETICON, icon.which, reinterpret_cast<LPARAM>(icon.before));
        icon.shown.reset();
    }
}

// ---------------------------------------------------------------------------
// DialogWindowProc

LRESULT DialogWin::OnMessage(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    // A close request destroys this object: nothing of it is used after.
    DialogHost& host = host_;
    switch (msg) {
    case WM_NCCREATE:
        hwnd_.reset(hwnd);
        break;
    case WM_NCDESTROY:
        hwnd_.forget();
        break;
    case WM_SIZE:
        // Minimizing a floating dialog docks it into the main window.
        if (wParam == SIZE_MINIMIZED) {
            host.DockByHWnd(hwnd);
            return 1;
        }
        Resize();
        return 0;
    case WM_ACTIVATE:
        if (LOWORD(wParam) != WA_INACTIVE) host.RestoreDialogFocus(hwnd);
        return 0;
    case WM_CLOSE:
        host.CloseFormByHWnd(hwnd);
        return 0;
    case WM_KEYDOWN:
        if (wParam == VK_TAB) host.Main().TabNavigate(hwnd, nullptr);
        return 0;
    case WM_RBUTTONUP:
        host.CheckUndockedWindowsRClick(hwnd);
        return 0;
    default:
        break;
    }
    return DefWindowProcW(hwnd, msg, wParam, lParam);
}

// DialogInputProc
LRESULT DialogWin::InputMessage(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    // F4 may close the dialog, and this object with it.
    DialogHost& host = host_;
    switch (msg) {
    case WM_SETFOCUS:
        host.Main().FocusChanged(hwnd);
        break;
    case WM_KEYDOWN:
        switch (wParam) {
        case VK_TAB:
            host.Main().TabNavigate(GetParent(hwnd), hwnd);
            return 0;
        case VK_RETURN:
            host.GotEnter(hwnd);
            return 0;
        case VK_ESCAPE:
            return 0;
        case VK_F4:
            host.CloseFormByChild(hwnd, true);
            if (!IsWindow(hwnd)) return 0;
            break;
        default:
            break;
        }
        break;
    default:
        if (IsHandledKeyEcho(msg, wParam)) return 0;
        break;
    }
    return DefSubclassProc(hwnd, msg, wParam, lParam);
}

}  // namespace vellora
