// Commands on the login form and the chat window: logging in, writing in
// the chat, reading its pane and user list, closing the program.
#include "e2e_commands_win32.h"
#include "e2e_windows_win32.h"

#include <commctrl.h>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace e2e {
namespace {

// The login form's fields: the account's combo box, the password and the
// line that tells an error.
constexpr int kAccountField = 1001;
constexpr int kPasswordField = 1002;
constexpr int kErrorLine = 0x1001;

// Fills in the login form and presses Enter in the password field, where
// the form's default button logs in.
void SubmitLogin(HWND combo, HWND pass, const std::wstring& account, const std::wstring& password) {
    SendMessageW(combo, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(account.c_str()));
    Enter(pass, password);
}

HWND ChatPane() {
    HWND main = AnyMainWindow();
    return main ? ChatControl(main, L"RichEdit20A") : nullptr;
}

HWND ChatInput() {
    HWND main = AnyMainWindow();
    return main ? ChatControl(main, L"Edit") : nullptr;
}

// Waits until the program's window thread takes messages again (a blocking
// request may hold it), at most Ms.
bool WaitResponsive(DWORD ms) {
    HWND main = AnyMainWindow();
    DWORD_PTR result = 0;
    return main && SendMessageTimeoutW(main, WM_NULL, 0, 0, SMTO_NORMAL, ms, &result);
}

// The names of the user list's rows, read from outside through the list
// box's own strings, as a screen reader does; a row without one reads empty.
std::vector<std::wstring> RowNames(HWND list) {
    std::vector<std::wstring> names;
    DWORD_PTR count = 0;
    SendMessageTimeoutW(list, LB_GETCOUNT, 0, 0, SMTO_ABORTIFHUNG, 5000, &count);
    for (DWORD_PTR i = 0; i < count && i < 10000; ++i) {
        DWORD_PTR length = 0, got = 0;
        SendMessageTimeoutW(list, LB_GETTEXTLEN, i, 0, SMTO_ABORTIFHUNG, 5000, &length);
        std::wstring row;
        if (length > 0 && length < 1024) {
            std::vector<wchar_t> buffer(length + 1);
            if (SendMessageTimeoutW(list, LB_GETTEXT, i, reinterpret_cast<LPARAM>(buffer.data()), SMTO_ABORTIFHUNG,
                                    5000, &got) &&
                got == length) {
                row.assign(buffer.data(), got);
            }
        }
        names.push_back(row);
    }
    return names;
}

}  // namespace

int Login(const std::wstring& account, const std::wstring& password) {
    HWND form = LoginForm(60000);
    if (!form) return Say("no login form"), 1;
    Say("login form shown");
    HWND combo = GetDlgItem(form, kAccountField);
    HWND pass = GetDlgItem(form, kPasswordField);
    if (!combo || !pass) return Say("login form without its fields"), 1;
    SubmitLogin(combo, pass, account, password);

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

int LoginTry(const std::wstring& account, const std::wstring& password, DWORD ms) {
    HWND form = LoginForm(30000);
    if (!form) return Say("no login form"), 1;
    HWND combo = GetDlgItem(form, kAccountField);
    HWND pass = GetDlgItem(form, kPasswordField);
    if (!combo || !pass) return Say("login form without its fields"), 1;
    // An error of an earlier try must not count for this one.
    HWND errorBox = GetDlgItem(form, kErrorLine);
    if (errorBox) SendMessageW(errorBox, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L""));
    SubmitLogin(combo, pass, account, password);
    const DWORD start = GetTickCount();
    do {
        Sleep(200);
        if (MainWindowOrNull(0)) return Say("chat"), 0;
        errorBox = GetDlgItem(form, kErrorLine);
        std::wstring error = errorBox ? TextOf(errorBox) : L"";
        if (!error.empty()) {
            std::printf("form error: [%s]\n", Narrow(error).c_str());
            return 0;
        }
    } while (GetTickCount() - start < ms);
    return Say("neither the chat nor an error"), 1;
}

int Write(const std::wstring& line) {
    HWND main = MainWindowOrNull(5000);
    HWND pane = main ? ChatControl(main, L"RichEdit20A") : nullptr;
    HWND input = main ? ChatControl(main, L"Edit") : nullptr;
    if (!pane || !input) return Say("no chat window"), 1;
    Enter(input, line);
    if (!WaitForText(pane, line, 15000)) return Say("the written line did not come back"), 1;
    Sleep(1500);  // a later poll must not bring it again
    const std::wstring shown = TextOf(pane);
    std::printf("line shown %zu time(s); input now [%s]\n", Count(shown, line), Narrow(TextOf(input)).c_str());
    return Count(shown, line) == 1 && TextOf(input).empty() ? 0 : 1;
}

// Sent (back in the pane) or kept (in the input, with an error line);
// anything else fails.
int WriteExpect(const std::wstring& line, DWORD ms) {
    HWND pane = ChatPane();
    HWND input = ChatInput();
    if (!pane || !input) return Say("no chat window"), 1;
    // Lines come at the pane's end and leave at its top: what is new comes
    // after the last line shown before.
    std::wstring before = TextOf(pane);
    while (!before.empty() && (before.back() == L'\r' || before.back() == L'\n')) before.pop_back();
    const std::wstring lastLine = before.substr(before.find_last_of(L"\r\n") + 1);
    Enter(input, line);
    Sleep(300);
    // The post blocks the window; its outcome is there once it answers again.
    if (!WaitResponsive(ms)) return Say("the window did not answer"), 1;
    const std::wstring kept = TextOf(input);
    if (kept == line) {
        const std::wstring after = TextOf(pane);
        const std::size_t at = lastLine.empty() ? std::wstring::npos : after.rfind(lastLine);
        const bool told = (at == std::wstring::npos ? after : after.substr(at)).find(L"*** ") != std::wstring::npos;
        std::printf("kept%s\n", told ? "" : " without a word");
        return told ? 0 : 1;
    }
    if (!kept.empty()) return Say("the input line changed"), 1;
    if (WaitForText(pane, line, ms)) return Say("sent"), 0;
    return Say("lost: the input was emptied but the line never came back"), 1;
}

// Waits until Name is among the user list's rows; no row may be nameless.
int Users(const std::wstring& name) {
    HWND main = MainWindowOrNull(5000);
    HWND list = main ? ChildOfClass(main, L"ListBox") : nullptr;
    if (!list) return Say("no user list"), 1;
    const DWORD start = GetTickCount();
    std::vector<std::wstring> names;
    bool found = false;
    for (;;) {
        names = RowNames(list);
        found = std::find(names.begin(), names.end(), name) != names.end();
        if (found || GetTickCount() - start > 10000) break;
        Sleep(200);
    }
    std::string shown;
    bool nameless = false;
    for (const std::wstring& row : names) {
        shown += (shown.empty() ? "" : ", ") + Narrow(row);
        nameless = nameless || row.empty();
    }
    std::printf("user list: %zu row(s) [%s]\n", names.size(), shown.c_str());
    return found && !nameless ? 0 : 1;
}

int PaneWait(const std::wstring& text, DWORD ms) {
    HWND pane = ChatPane();
    if (!pane) return Say("no chat window"), 1;
    if (WaitForText(pane, text, ms)) return Say("shown"), 0;
    return Say("not shown"), 1;
}

int PaneCount(const std::wstring& text) {
    HWND pane = ChatPane();
    if (!pane) return Say("no chat window"), 1;
    std::printf("%zu\n", Count(TextOf(pane), text));
    return 0;
}

// Closes the program as the user would, with its close box.
int Close() {
    HWND w = MainWindowOrNull(0);
    if (!w) w = LoginForm(0);
    if (!w) return Say("nothing to close"), 0;
    PostMessageW(w, WM_CLOSE, 0, 0);
    return 0;
}

// Waits until no window of the program is shown any more.
int WaitClosed(DWORD ms) {
    const DWORD start = GetTickCount();
    while (MainWindowOrNull(0) || LoginForm(0)) {
        if (GetTickCount() - start > ms) return 1;
        Sleep(500);
    }
    return 0;
}

}  // namespace e2e
