#include "notify/toaster_win32.h"

#include "dialogs/toolkit_win32.h"
#include "dialogs/window_object_win32.h"
#include "resources/resource_ids.h"
#include "view/pictures_win32.h"
#include "view/view_window.h"

namespace vellora {

void Toaster::Show(std::int32_t kind, const std::wstring& user, const std::wstring& text, std::int32_t timeOfDay,
                   HBITMAP picture, bool held) {
    if (!held) {
        if (!window_ && kind != kToasterRedraw) Create();
        if (!window_) return;  // the notification is dropped
        lastUpdate_ = TickNow();
    }
    if (window_ && picture) SetPicture(picture);
    if (!held) {
        // Without a rich-text control the lines are kept, not drawn.
        if (kind == kToasterRedraw) {
            lines_.Rerender(settings_, pane_);
        } else {
            lines_.Add(ToasterLine(kind, user, text, timeOfDay), settings_, pane_);
        }
    }
    if (kind != kToasterRedraw) PlaceAndShow();
}

void Toaster::Tick(std::uint32_t lifetimeMs) {
    if (!window_) return;
    if (ToasterStaysOpen(lastUpdate_, lifetimeMs)) {
        Place();
    } else {
        Close();
    }
}

INT_PTR Toaster::OnMessage(HWND, UINT msg, WPARAM, LPARAM) {
    // Neither Enter nor Esc closes it; the focus stays where it is.
    if (msg == WM_COMMAND) return TRUE;
    return FALSE;
}

bool Toaster::Create() {
    HWND dialog = CreateDialogParamW(ProgramInstance(), MAKEINTRESOURCEW(IDD_TOASTER), nullptr,
                                     DialogProcOf<&Toaster::OnMessage>, reinterpret_cast<LPARAM>(this));
    if (!dialog) return false;
    window_.reset(dialog);
    rich_ = GetDlgItem(dialog, IDC_TOASTER_RICH);
    if (rich_) {
        // One scroll bar's width more, so the bar lies outside the window.
        RECT r{};
        GetWindowRect(rich_, &r);
        SetWindowPos(rich_, nullptr, 0, 0, r.right - r.left + GetSystemMetrics(SM_CXVSCROLL), r.bottom - r.top,
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        SendMessageW(rich_, EM_LIMITTEXT, kPaneTextLimit, 0);
    }
    pane_.Attach(rich_);
    pictureControl_ = GetDlgItem(dialog, IDC_TOASTER_PICTURE);
    if (pictureControl_) {
        defaultPicture_ = reinterpret_cast<HBITMAP>(SendMessageW(pictureControl_, STM_GETIMAGE, IMAGE_BITMAP, 0));
    }
    return true;
}

void Toaster::SetPicture(HBITMAP picture) {
    if (!pictureControl_) return;
    // The toaster's own copy: the user may leave, or the dialog close, while
    // the toaster still shows their picture.
    OwnedBitmap copy = CopyBitmapArea(picture, kToasterPictureWidth, kToasterPictureHeight);
    if (!copy) return;  // the previous picture stays
    PutPicture(copy);
    picture_ = std::move(copy);
}

void Toaster::PutPicture(HBITMAP bitmap) {
    auto previous = reinterpret_cast<HBITMAP>(
        SendMessageW(pictureControl_, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(bitmap)));
    // A static control of the visual styles may show a copy of its own of a
    // bitmap with an alpha channel; that copy is handed back here.
    if (previous && previous != defaultPicture_ && previous != picture_.get()) DeleteObject(previous);
}

void Toaster::Place() {
    ToasterScreen screen;
    RECT desktop{}, toaster{};
    POINT mouse{};
    if (GetWindowRect(GetDesktopWindow(), &desktop))
        screen.desktop = ScreenRect{desktop.left, desktop.top, desktop.right, desktop.bottom};
    if (GetWindowRect(window_, &toaster))
        screen.toaster = ScreenRect{toaster.left, toaster.top, toaster.right, toaster.bottom};
    if (GetCursorPos(&mouse)) screen.mouse = ScreenPoint{mouse.x, mouse.y};
    const ToasterSpot spot = PlaceToaster(screen);
    if (spot.corner == corner_) return;
    corner_ = spot.corner;
    // A tool window: no button on the task bar.
    SetWindowLongPtrW(window_, GWL_EXSTYLE, GetWindowLongPtrW(window_, GWL_EXSTYLE) | WS_EX_TOOLWINDOW);
    SetWindowPos(window_, HWND_TOPMOST, spot.left, spot.top, 0, 0, SWP_NOSIZE | SWP_NOACTIVATE);
}

void Toaster::PlaceAndShow() {
    if (!window_) return;
    Place();
    ShowWindow(window_, SW_SHOWNOACTIVATE);
}

void Toaster::Close() {
    if (!window_) return;
    // The control gets its own picture back, so it never holds ours.
    if (pictureControl_ && picture_) PutPicture(defaultPicture_);
    picture_.reset();
    pane_.Attach(nullptr);
    window_.reset();
    pictureControl_ = rich_ = nullptr;
    defaultPicture_ = nullptr;
    corner_ = kToasterNotPlaced;
    lines_.Clear();
}

}  // namespace vellora
