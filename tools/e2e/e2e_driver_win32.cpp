// Drives a running Vellora.exe from outside, the way a user would: fills in
// the login form and presses Enter, waits for the chat and its counts,
// writes a line and waits for it to come back once, closes the program.
// Prints what it saw; the exit status is 0 when everything was seen.
//
//   e2e_driver login <account> <password>
//   e2e_driver write <line>
//   e2e_driver close
//   e2e_driver wait-closed <seconds>
//   e2e_driver menu options|user     opens a menu (the "..." button, the context-menu key on the first row)
//   e2e_driver keys <key>...         presses keys: up, down, return, escape or a letter
//   e2e_driver wait-window <title>   waits for a dialog whose title starts so
//   e2e_driver sheet-page <n>        shows page n of the settings sheet
//   e2e_driver close-window <title>  closes that dialog with its close box
#include <windows.h>

#include <commctrl.h>
#include <prsht.h>

#include <cstdio>
#include <string>
#include <vector>

namespace {

// The window's text; the program may be busy with a blocking request, so
// wait for it a while.
std::wstring TextOf(HWND w) {
    DWORD_PTR length = 0;
    if (!SendMessageTimeoutW(w, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, 5000, &length)) return {};
    std::vector<wchar_t> buffer(length + 2);
    DWORD_PTR got = 0;
    if (!SendMessageTimeoutW(w, WM_GETTEXT, buffer.size(), reinterpret_cast<LPARAM>(buffer.data()), SMTO_ABORTIFHUNG,
                             5000, &got))
        return {};
    return std::wstring(buffer.data(), got < buffer.size() ? got : 0);
}

std::wstring ClassOf(HWND w) {
    wchar_t name[64] = {};
    GetClassNameW(w, name, 64);
    return name;
}

struct Search {
    const wchar_t* cls;
    const wchar_t* titleStart;
    bool visibleOnly;
    HWND found;
};

BOOL CALLBACK FindTop(HWND w, LPARAM lp) {
    auto* s = reinterpret_cast<Search*>(lp);
    if (s->visibleOnly && !IsWindowVisible(w)) return TRUE;
    if (ClassOf(w) != s->cls) return TRUE;
    if (s->titleStart && TextOf(w).rfind(s->titleStart, 0) != 0) return TRUE;
    s->found = w;
    return FALSE;
}

HWND WaitForTop(const wchar_t* cls, const wchar_t* titleStart, bool visibleOnly, DWORD ms) {
    const DWORD start = GetTickCount();
    do {
        Search s{cls, titleStart, visibleOnly, nullptr};
        EnumWindows(FindTop, reinterpret_cast<LPARAM>(&s));
        if (s.found) return s.found;
        Sleep(100);
    } while (GetTickCount() - start < ms);
    return nullptr;
}

HWND ChildOfClass(HWND parent, const wchar_t* cls, int skip = 0) {
    for (HWND c = GetWindow(parent, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
        if (ClassOf(c) == cls && skip-- == 0) return c;
    }
    return nullptr;
}

bool WaitForText(HWND w, const std::wstring& wanted, DWORD ms) {
    const DWORD start = GetTickCount();
    do {
        if (TextOf(w).find(wanted) != std::wstring::npos) return true;
        Sleep(200);
    } while (GetTickCount() - start < ms);
    return false;
}

std::size_t Count(const std::wstring& text, const std::wstring& part) {
    std::size_t n = 0;
    for (std::size_t at = text.find(part); at != std::wstring::npos; at = text.find(part, at + part.size())) ++n;
    return n;
}

void Say(const char* what) {
    std::printf("%s\n", what);
    std::fflush(stdout);
}

std::string Narrow(const std::wstring& w) {
    std::string out;
    for (wchar_t c : w) out.push_back(c < 128 ? static_cast<char>(c) : '?');
    return out;
}

HWND MainWindowOrNull(DWORD ms) { return WaitForTop(L"VelloraWindow", nullptr, true, ms); }

int Login(const std::wstring& account, const std::wstring& password) {
    HWND form = WaitForTop(L"#32770", L"Vellora ", true, 60000);
    if (!form) return Say("no login form"), 1;
    Say("login form shown");
    HWND combo = GetDlgItem(form, 1001);
    HWND pass = GetDlgItem(form, 1002);
    if (!combo || !pass) return Say("login form without its fields"), 1;
    SendMessageW(combo, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(account.c_str()));
    SendMessageW(pass, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(password.c_str()));
    // Enter in the password field: the form's default button logs in.
    PostMessageW(pass, WM_KEYDOWN, VK_RETURN, 0x001C0001);
    PostMessageW(pass, WM_KEYUP, VK_RETURN, 0xC01C0001);

    HWND main = MainWindowOrNull(30000);
    if (!main) return Say("the chat window did not show"), 1;
    Say("chat window shown");
    HWND bar = ChildOfClass(main, STATUSCLASSNAMEW);
    if (!bar) return Say("chat window without a status bar"), 1;
    if (!WaitForText(bar, L"chatter", 15000) && !WaitForText(bar, L"listener", 1000))
        return Say("no counts in the status bar"), 1;
    std::printf("status bar: [%s]\n", Narrow(TextOf(bar)).c_str());
    return 0;
}

int Write(const std::wstring& line) {
    HWND main = MainWindowOrNull(5000);
    HWND pane = main ? ChildOfClass(main, L"RichEdit20A") : nullptr;
    HWND input = main ? ChildOfClass(main, L"Edit") : nullptr;
    if (!pane || !input) return Say("no chat window"), 1;
    SendMessageW(input, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(line.c_str()));
    PostMessageW(input, WM_KEYDOWN, VK_RETURN, 0x001C0001);
    PostMessageW(input, WM_KEYUP, VK_RETURN, 0xC01C0001);
    if (!WaitForText(pane, line, 15000)) return Say("the written line did not come back"), 1;
    Sleep(1500);  // a later poll must not bring it again
    const std::wstring shown = TextOf(pane);
    std::printf("line shown %zu time(s); input now [%s]\n", Count(shown, line), Narrow(TextOf(input)).c_str());
    return Count(shown, line) == 1 && TextOf(input).empty() ? 0 : 1;
}

// Closes the program as the user would, with its close box.
int Close() {
    HWND w = MainWindowOrNull(0);
    if (!w) w = WaitForTop(L"#32770", L"Vellora ", true, 0);
    if (!w) return Say("nothing to close"), 0;
    PostMessageW(w, WM_CLOSE, 0, 0);
    return 0;
}

// Waits until no window of the program is shown any more.
int WaitClosed(DWORD ms) {
    const DWORD start = GetTickCount();
    while (MainWindowOrNull(0) || WaitForTop(L"#32770", L"Vellora ", true, 0)) {
        if (GetTickCount() - start > ms) return 1;
        Sleep(500);
    }
    return 0;
}

HWND VisibleMenu(DWORD ms) { return WaitForTop(L"#32768", nullptr, true, ms); }

// Opens the options menu or the user menu of the first row, as a user would.
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
        PostMessageW(list, WM_KEYDOWN, VK_APPS, 0x015D0001);
        PostMessageW(list, WM_KEYUP, VK_APPS, 0xC15D0001);
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
        PostMessageW(main, WM_KEYDOWN, key, 1);
        PostMessageW(main, WM_KEYUP, key, 0xC0000001);
    }
    const DWORD start = GetTickCount();
    while (VisibleMenu(0) && GetTickCount() - start < 5000) Sleep(100);
    return 0;
}

HWND Dialog(const std::wstring& title, DWORD ms) { return WaitForTop(L"#32770", title.c_str(), true, ms); }

int WaitWindow(const std::wstring& title) {
    if (!Dialog(title, 10000)) return Say("the window did not show"), 1;
    return Say("window shown"), 0;
}

// The settings sheet, in any language: the dialog with a tab strip.
HWND SettingsSheet() {
    for (HWND w = nullptr; (w = FindWindowExW(nullptr, w, L"#32770", nullptr)) != nullptr;) {
        if (IsWindowVisible(w) && FindWindowExW(w, nullptr, WC_TABCONTROLW, nullptr)) return w;
    }
    return nullptr;
}

int SheetPage(int page) {
    HWND sheet = SettingsSheet();
    if (!sheet) return Say("no settings sheet"), 1;
    PostMessageW(sheet, PSM_SETCURSEL, static_cast<WPARAM>(page), 0);
    Sleep(500);
    return 0;
}

int CloseWindow(const std::wstring& title) {
    HWND w = Dialog(title, 5000);
    if (!w) return Say("no such window"), 1;
    PostMessageW(w, WM_CLOSE, 0, 0);
    const DWORD start = GetTickCount();
    while (IsWindow(w)) {
        if (GetTickCount() - start > 5000) return Say("the window stayed"), 1;
        Sleep(100);
    }
    return 0;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    const std::wstring command = argc > 1 ? argv[1] : L"";
    if (command == L"login" && argc == 4) return Login(argv[2], argv[3]);
    if (command == L"write" && argc == 3) return Write(argv[2]);
    if (command == L"close" && argc == 2) return Close();
    if (command == L"wait-closed" && argc == 3) return WaitClosed(static_cast<DWORD>(_wtoi(argv[2])) * 1000);
    if (command == L"menu" && argc == 3) return OpenMenu(argv[2]);
    if (command == L"keys" && argc >= 3) return Keys(argc - 2, argv + 2);
    if (command == L"wait-window" && argc == 3) return WaitWindow(argv[2]);
    if (command == L"sheet-page" && argc == 3) return SheetPage(_wtoi(argv[2]));
    if (command == L"close-window" && argc == 3) return CloseWindow(argv[2]);
    Say("usage: e2e_driver login <account> <password> | write <line> | close | wait-closed <seconds> | menu "
        "options|user | keys <key>... | wait-window <title> | sheet-page <n> | close-window <title>");
    return 2;
}
