// Commands on the menus and the dialogs they open: opening a menu, pressing
// keys in it, waiting for a dialog, paging the settings sheet, closing a
// dialog.
#include "e2e_commands_win32.h"
#include "e2e_windows_win32.h"

#include <commctrl.h>
#include <prsht.h>

#include <cwctype>

namespace e2e {
namespace {

HWND VisibleMenu(DWORD ms) { return WaitForTop(L"#32768", nullptr, true, ms); }

// A shown dialog whose title starts with Title, within Ms, or null.
HWND TitledDialog(const std::wstring& title, DWORD ms) { return WaitForTop(L"#32770", title.c_str(), true, ms); }

// The settings sheet, in any language: the dialog with a tab strip.
HWND SettingsSheet() {
    for (HWND w = nullptr; (w = FindWindowExW(nullptr, w, L"#32770", nullptr)) != nullptr;) {
        if (IsWindowVisible(w) && FindWindowExW(w, nullptr, WC_TABCONTROLW, nullptr)) return w;
    }
    return nullptr;
}

}  // namespace

// Opens the options menu (the "..." button) or the user menu of the first
// row (the context-menu key), as a user would.
int OpenMenu(const std::wstring& which) {
    HWND main = MainWindowOrNull(5000);
    if (!main) return Say("no chat window"), 1;
    if (which == L"options") {
        HWND button = ChildOfClass(main, L"Button");
        if (!button) return Say("no options button"), 1;
        PostMessageW(button, BM_CLICK, 0, 0);
    } else {
        HWND list = ChildOfClass(main, L"ListBox");
        if (!list) return Say("no user list"), 1;
        SendMessageW(list, LB_SETCURSEL, 0, 0);
        PressKey(list, VK_APPS, 0x015D0001);
    }
    if (!VisibleMenu(10000)) return Say("the menu did not open"), 1;
    return Say("menu open"), 0;
}

// Keys go to the program's thread, where an open menu takes them.
int Keys(int count, wchar_t** names) {
    HWND main = MainWindowOrNull(5000);
    if (!main) return Say("no chat window"), 1;
    for (int i = 0; i < count; ++i) {
        const std::wstring name = names[i];
        UINT key = name == L"up" ? VK_UP : name == L"down" ? VK_DOWN : name == L"return" ? VK_RETURN
                 : name == L"escape" ? VK_ESCAPE : static_cast<UINT>(towupper(name[0]));
        PressKey(main, key, 1);
    }
    const DWORD start = GetTickCount();
    while (VisibleMenu(0) && GetTickCount() - start < 5000) Sleep(100);
    return 0;
}

int WaitWindow(const std::wstring& title) {
    if (!TitledDialog(title, 10000)) return Say("the window did not show"), 1;
    return Say("window shown"), 0;
}

int SheetPage(int page) {
    HWND sheet = SettingsSheet();
    if (!sheet) return Say("no settings sheet"), 1;
    PostMessageW(sheet, PSM_SETCURSEL, static_cast<WPARAM>(page), 0);
    Sleep(500);
    return 0;
}

// Closes the dialog with its close box.
int CloseWindow(const std::wstring& title) {
    HWND w = TitledDialog(title, 5000);
    if (!w) return Say("no such window"), 1;
    PostMessageW(w, WM_CLOSE, 0, 0);
    const DWORD start = GetTickCount();
    while (IsWindow(w)) {
        if (GetTickCount() - start > 5000) return Say("the window stayed"), 1;
        Sleep(100);
    }
    return 0;
}

}  // namespace e2e
