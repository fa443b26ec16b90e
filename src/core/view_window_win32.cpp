#include "core/view_window_win32.h"

#include <windows.h>

#include "core/frm_main_win32.h"
#include "core/later_hooks_win32.h"
#include "dialogs/toolkit_win32.h"
#include "view/pictures_win32.h"

namespace vellora {

namespace {

HWND AsWindow(WindowId id) { return reinterpret_cast<HWND>(id); }
WindowId AsId(HWND window) { return reinterpret_cast<WindowId>(window); }
HBITMAP AsBitmap(PictureHandle p) { return HoldsPicture(p) ? reinterpret_cast<HBITMAP>(p) : nullptr; }
PictureHandle AsPicture(HBITMAP bmp) { return bmp ? reinterpret_cast<PictureHandle>(bmp) : kNoPicture; }

}  // namespace

RtfPane& MainViewWindow::ChatPane() { return main_.ChatPane(); }

std::unique_ptr<DialogWindow> MainViewWindow::CreateDialogWindow(const std::wstring& caption) {
    return later::CreateDialogWindow(caption);
}

void MainViewWindow::Relayout() { main_.RealResize(true); }

WindowId MainViewWindow::MainWindowId() const { return AsId(main_.h.MainWindow); }

WindowId MainViewWindow::ForegroundWindow() const { return AsId(GetForegroundWindow()); }

bool MainViewWindow::IsMainWindowGroup(WindowId window) const {
    if (window == 0) return false;
    return AsWindow(window) == main_.h.MainWindow || later::IsListsOrSettingsWindow(AsWindow(window));
}

bool MainViewWindow::IsMinimized(WindowId window) const { return window && IsIconic(AsWindow(window)); }

void MainViewWindow::RaiseWindow(WindowId window) {
    if (window) SetWindowPos(AsWindow(window), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void MainViewWindow::RestoreWindow(WindowId window) {
    if (!window) return;
    HWND before = GetForegroundWindow();
    ShowWindow(AsWindow(window), SW_RESTORE);
    if (before && before != AsWindow(window)) SetForegroundWindow(before);
}

void MainViewWindow::FlashWindow(WindowId window) {
    if (!window) return;
    FLASHWINFO fi{};
    fi.cbSize = sizeof(fi);
    fi.hwnd = AsWindow(window);
    fi.dwFlags = FLASHW_ALL;
    fi.uCount = 5;
    FlashWindowEx(&fi);
}

void MainViewWindow::ShowToaster(std::int32_t kind, const std::wstring& user, const std::wstring& text,
                                 std::int32_t timeOfDay, PictureHandle picture, bool held) {
    later::ShowToaster(kind, user, text, timeOfDay, picture, held);
}

bool MainViewWindow::IsShiftDown() const { return (GetAsyncKeyState(VK_SHIFT) & 0x8000) != 0; }

bool MainViewWindow::IsCtrlDown() const { return (GetAsyncKeyState(VK_CONTROL) & 0x8000) != 0; }

ChatInput MainViewWindow::ReadChatInput() const {
    ChatInput input;
    HWND edit = main_.h.hMainInput;
    if (!edit) return input;
    input.Text = GetWindowTextString(edit);
    DWORD start = 0, end = 0;
    SendMessageW(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    input.SelStart = static_cast<std::int32_t>(start);
    input.SelEnd = static_cast<std::int32_t>(end);
    return input;
}

void MainViewWindow::WriteChatInput(const ChatInput& input) {
    HWND edit = main_.h.hMainInput;
    if (!edit) return;
    SetWindowTextString(edit, input.Text);
    SendMessageW(edit, EM_SETSEL, static_cast<WPARAM>(input.SelStart), static_cast<LPARAM>(input.SelEnd));
}

void MainViewWindow::ShowListsDialog() { later::ShowListsDialog(); }

bool MainViewWindow::AskForText(const std::wstring& prompt, std::wstring& answer) {
    return later::AskForText(prompt, answer);
}

PictureHandle MainViewWindow::LoadPlaceholderPicture(const std::wstring& name) {
    return AsPicture(LoadPlaceholderBitmap(name));
}

PictureHandle MainViewWindow::DecodePicture(const std::string& bytes) { return AsPicture(DecodePictureBytes(bytes)); }

PictureHandle MainViewWindow::CopyPicture(PictureHandle picture, std::int32_t width, std::int32_t height) {
    return AsPicture(CopyBitmapArea(AsBitmap(picture), width, height));
}

RowPicture MainViewWindow::MakeUserIcon(PictureHandle picture) {
    HICON icon = MakeUserIconFrom(AsBitmap(picture));
    return icon ? reinterpret_cast<RowPicture>(icon) : 0;
}

void MainViewWindow::ReleasePicture(PictureHandle picture) {
    if (HBITMAP bmp = AsBitmap(picture)) DeleteObject(bmp);
}

}  // namespace vellora
