#include "core/view_window_win32.h"

#include <windows.h>

#include "core/frm_main_win32.h"
#include "dialogs/toolkit_win32.h"

namespace vellora {

namespace {

HWND AsWindow(WindowId id) { return reinterpret_cast<HWND>(id); }
WindowId AsId(HWND window) { return reinterpret_cast<WindowId>(window); }

}  // namespace

RtfPane& MainViewWindow::ChatPane() { return main_.ChatPane(); }

std::unique_ptr<DialogWindow> MainViewWindow::CreateDialogWindow(const std::wstring& caption) {
    Conversations* dialogs = main_.GetConversations();
    return dialogs ? dialogs->CreateDialogWindow(caption) : nullptr;
}

void MainViewWindow::Relayout() { main_.RealResize(true); }

WindowId MainViewWindow::MainWindowId() const { return AsId(main_.h.MainWindow); }

WindowId MainViewWindow::ForegroundWindow() const { return AsId(GetForegroundWindow()); }

bool MainViewWindow::IsMainWindowGroup(WindowId window) const {
    if (window == 0) return false;
    HWND w = AsWindow(window);
    if (w == main_.h.MainWindow) return true;
    ListsDialogWindow* lists = main_.GetListsDialog();
    Menus* menus = main_.GetMenus();
    return (lists && lists->IsListsWindow(w)) || (menus && menus->IsSettingsWindow(w));
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
    if (Notifications* n = main_.GetNotifications()) n->ShowToaster(kind, user, text, timeOfDay, picture, held);
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

void MainViewWindow::ShowListsDialog() {
    if (ListsDialogWindow* lists = main_.GetListsDialog()) lists->ShowListsDialog();
}

bool MainViewWindow::AskForText(const std::wstring& prompt, std::wstring& answer, const AnswerCheck& check) {
    ListsDialogWindow* lists = main_.GetListsDialog();
    return lists && lists->AskForText(prompt, answer, check);
}

PictureHandle MainViewWindow::LoadPlaceholderPicture(const std::wstring& name) {
    return main_.Pictures().Placeholder(name);
}

PictureHandle MainViewWindow::DecodePicture(const std::string& bytes) { return main_.Pictures().Decode(bytes); }

PictureHandle MainViewWindow::CopyPicture(PictureHandle picture, std::int32_t width, std::int32_t height) {
    return main_.Pictures().Copy(picture, width, height);
}

RowPicture MainViewWindow::MakeUserIcon(PictureHandle picture) { return main_.Pictures().MakeUserIcon(picture); }

void MainViewWindow::ReleasePicture(PictureHandle picture) { main_.Pictures().Release(picture); }

}  // namespace vellora
