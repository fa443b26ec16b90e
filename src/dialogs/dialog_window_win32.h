#pragma once
// The windows of one conversation (Form2's windows): its own top-level window
// of class "VelloraDialog" with the message pane, the input line and the
// user's picture, and its tab label in the main window. While docked, the
// pane, input and picture are children of the main window and the own window
// is hidden; it exists as long as the dialog does.
//
// The pane is a RichEditPane like the chat pane, subclassed with the main
// window object's pane procedure; the input line has the dialog input
// procedure below. Destroying the object destroys the windows.

#include <windows.h>

#include <string>

#include "dialogs/dialog_layout.h"
#include "dialogs/handles_win32.h"
#include "dialogs/tab_label_win32.h"
#include "dialogs/window_object_win32.h"
#include "text/rich_pane_win32.h"
#include "view/view_window.h"

namespace vellora {

class DialogHost;

// The dialog window as other programs know it: an overlapped window with
// caption, system menu, sizing frame, minimize and maximize boxes, clipping
// its children and siblings (the bit 0x1000 carries no meaning here), and a
// control parent that tells its parent nothing.
inline constexpr DWORD kDialogWindowStyle = WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN | WS_CLIPSIBLINGS | 0x1000;
inline constexpr DWORD kDialogWindowExStyle = WS_EX_CONTROLPARENT | WS_EX_NOPARENTNOTIFY;
inline constexpr DWORD kDialogPictureStyle = WS_CHILD | WS_CLIPSIBLINGS | WS_CLIPCHILDREN | SS_BITMAP;

class DialogWin : public DialogWindow {
public:
    // Creates the windows (not shown), titled Caption (LoadupFail). Without
    // its own window nothing else is made: see Created.
    DialogWin(DialogHost& host, const std::wstring& caption);
    // Destroy: the windows go in the order their owners expect.
    ~DialogWin() override;
    DialogWin(const DialogWin&) = delete;
    DialogWin& operator=(const DialogWin&) = delete;

    bool Created() const { return hwnd_ != nullptr; }
    HWND hwnd() const { return hwnd_; }
    HWND hLabel() const { return label_.hwnd(); }
    HWND hInput() const { return hInput_; }
    HWND hRich() const { return hRich_; }
    HWND hPicStat() const { return hPicStat_; }
    bool Docked() const { return docked_; }

    // DialogWindow
    RtfPane& Pane() override { return pane_; }
    WindowId Window() const override { return reinterpret_cast<WindowId>(hwnd_.get()); }
    DialogPart PartOf(WindowId window) const override;
    void SetCaption(const std::wstring& caption) override;
    void Show(bool activate) override;
    void Dock() override;
    void FocusInput() override;
    PictureHandle SetPicture(PictureHandle picture) override;
    void SetIcons(PictureHandle picture) override;
    void RedrawLabel() override;

    // Back into its own window; shown there (not activated) unless KeepHidden.
    void Undock(bool keepHidden);
    // Lays the dialog out in its own window's client area (not while
    // minimized or docked).
    void Resize();
    // Lays the dialog out in Place of its current parent.
    void ResizeEx(const LayoutRect& place, bool hideInput);
    // Enables the tab label's move-up and move-down arrows.
    void UpdateButtons(bool enable1, bool enable2);
    void SetPaneFont(HFONT font);
    void InvalidatePane();
    // Registers the tooltips under Parent.
    void SetToolTips(HWND parent);

    // The class procedure (DialogWindowProc) and the input line's subclass
    // procedure (DialogInputProc).
    LRESULT OnMessage(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
    LRESULT InputMessage(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);

private:
    // Moves the pane, picture and input line to another parent window.
    void SetParentNow(HWND to);
    void ShowPictureControl(const LayoutRect& place);

    // A picture icon of the window, and the icon it had before.
    struct PictureIcon {
        WPARAM which;
        HICON before = nullptr;
        OwnedIcon shown;
    };
    void ReplaceIcon(PictureIcon& icon, OwnedIcon made);

    DialogHost& host_;
    OwnedWindow hwnd_;
    TabLabel label_;
    Control hInput_;
    Control hRich_;
    OwnedWindow hPicStat_;
    OwnedBitmap hBmp_;
    PictureIcon iconSm_{ICON_SMALL, nullptr, {}};
    PictureIcon iconLg_{ICON_BIG, nullptr, {}};
    RichEditPane pane_;
    bool docked_ = false;
    int picHeight_ = 0;
};

}  // namespace vellora
