// Drives a running Vellora.exe from outside, the way a user would: fills in
// the login form and presses Enter, waits for the chat and its counts,
// writes a line and waits for it to come back once, closes the program.
// Prints what it saw; the exit status is 0 when everything was seen.
//
//   e2e_driver login <account> <password>
//   e2e_driver write <line>
//   e2e_driver close
//   e2e_driver wait-closed <seconds>
//
// For the fault matrix and the soak run (tools/faults, tools/soak):
//
//   e2e_driver login-try <account> <password> <seconds>   the chat or the form's error, whichever shows
//   e2e_driver write-expect <line> <seconds>   sent (back in the pane) or kept (in the input, with an
//                                              error line); anything else fails
//   e2e_driver pane-wait <text> <seconds>      until the chat pane shows Text
//   e2e_driver pane-count <text>               how often the chat pane shows Text
//   e2e_driver probe <seconds> <limit-ms> [<stop-file>]   asks the main window every 200 ms whether it
//                                              answers, until the time is up or the file exists; fails when
//                                              one answer took longer than the limit
//   e2e_driver resources                       the program's GDI and USER object counts
#include <windows.h>

#include <commctrl.h>

#include <cstdio>
#include <string>
#include <vector>

namespace {

// The window's text; the program may be busy with a blocking request (up to
// its 12 s deadline), so wait for it that long.
std::wstring TextOf(HWND w) {
    DWORD_PTR length = 0;
    if (!SendMessageTimeoutW(w, WM_GETTEXTLENGTH, 0, 0, SMTO_NORMAL, 20000, &length)) return {};
    std::vector<wchar_t> buffer(length + 2);
    DWORD_PTR got = 0;
    if (!SendMessageTimeoutW(w, WM_GETTEXT, buffer.size(), reinterpret_cast<LPARAM>(buffer.data()), SMTO_NORMAL,
                             20000, &got))
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

HWND AnyMainWindow() { return FindWindowW(L"VelloraWindow", nullptr); }

HWND ChatPane() {
    HWND main = AnyMainWindow();
    return main ? ChildOfClass(main, L"RichEdit20A") : nullptr;
}

HWND ChatInput() {
    HWND main = AnyMainWindow();
    return main ? ChildOfClass(main, L"Edit") : nullptr;
}

// Waits until the program's window thread takes messages again (a blocking
// request may hold it), at most Ms.
bool WaitResponsive(DWORD ms) {
    HWND main = AnyMainWindow();
    DWORD_PTR result = 0;
    return main && SendMessageTimeoutW(main, WM_NULL, 0, 0, SMTO_NORMAL, ms, &result);
}

int LoginTry(const std::wstring& account, const std::wstring& password, DWORD ms) {
    HWND form = WaitForTop(L"#32770", L"Vellora ", true, 30000);
    if (!form) return Say("no login form"), 1;
    HWND combo = GetDlgItem(form, 1001);
    HWND pass = GetDlgItem(form, 1002);
    if (!combo || !pass) return Say("login form without its fields"), 1;
    // An error of an earlier try must not count for this one.
    HWND errorBox = GetDlgItem(form, 0x1001);
    if (errorBox) SendMessageW(errorBox, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L""));
    SendMessageW(combo, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(account.c_str()));
    SendMessageW(pass, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(password.c_str()));
    PostMessageW(pass, WM_KEYDOWN, VK_RETURN, 0x001C0001);
    PostMessageW(pass, WM_KEYUP, VK_RETURN, 0xC01C0001);
    const DWORD start = GetTickCount();
    do {
        Sleep(200);
        if (MainWindowOrNull(0)) return Say("chat"), 0;
        errorBox = GetDlgItem(form, 0x1001);
        std::wstring error = errorBox ? TextOf(errorBox) : L"";
        if (!error.empty()) {
            std::printf("form error: [%s]\n", Narrow(error).c_str());
            return 0;
        }
    } while (GetTickCount() - start < ms);
    return Say("neither the chat nor an error"), 1;
}

int WriteExpect(const std::wstring& line, DWORD ms) {
    HWND pane = ChatPane();
    HWND input = ChatInput();
    if (!pane || !input) return Say("no chat window"), 1;
    // Lines come at the pane's end and leave at its top: what is new comes
    // after the last line shown before.
    std::wstring before = TextOf(pane);
    while (!before.empty() && (before.back() == L'\r' || before.back() == L'\n')) before.pop_back();
    const std::wstring lastLine = before.substr(before.find_last_of(L"\r\n") + 1);
    SendMessageW(input, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(line.c_str()));
    PostMessageW(input, WM_KEYDOWN, VK_RETURN, 0x001C0001);
    PostMessageW(input, WM_KEYUP, VK_RETURN, 0xC01C0001);
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

// A cross-process probe of the window thread: how long the program keeps a
// message waiting.
int Probe(DWORD seconds, DWORD limitMs, const wchar_t* stopFile) {
    DWORD longest = 0;
    int probes = 0;
    const DWORD start = GetTickCount();
    while (GetTickCount() - start < seconds * 1000) {
        if (stopFile && GetFileAttributesW(stopFile) != INVALID_FILE_ATTRIBUTES) break;
        HWND main = AnyMainWindow();
        if (main) {
            const DWORD sent = GetTickCount();
            DWORD_PTR result = 0;
            BOOL answered = SendMessageTimeoutW(main, WM_NULL, 0, 0, SMTO_NORMAL, limitMs + 60000, &result);
            const DWORD took = GetTickCount() - sent;
            if (answered || IsWindow(main)) {
                longest = took > longest ? took : longest;
                ++probes;
            }
        }
        Sleep(200);
    }
    std::printf("probe: %d answers, longest %lu ms (limit %lu ms)\n", probes, static_cast<unsigned long>(longest),
                static_cast<unsigned long>(limitMs));
    return probes > 0 && longest <= limitMs ? 0 : 1;
}

int Resources() {
    HWND main = AnyMainWindow();
    if (!main) return Say("no chat window"), 1;
    DWORD pid = 0;
    GetWindowThreadProcessId(main, &pid);
    HANDLE process = OpenProcess(PROCESS_QUERY_INFORMATION, FALSE, pid);
    if (!process) return Say("cannot open the program's process"), 1;
    std::printf("gdi=%lu user=%lu\n", GetGuiResources(process, GR_GDIOBJECTS),
                GetGuiResources(process, GR_USEROBJECTS));
    CloseHandle(process);
    return 0;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    const std::wstring command = argc > 1 ? argv[1] : L"";
    if (command == L"login" && argc == 4) return Login(argv[2], argv[3]);
    if (command == L"write" && argc == 3) return Write(argv[2]);
    if (command == L"close" && argc == 2) return Close();
    if (command == L"wait-closed" && argc == 3) return WaitClosed(static_cast<DWORD>(_wtoi(argv[2])) * 1000);
    auto seconds = [&](int i) { return static_cast<DWORD>(_wtoi(argv[i])) * 1000; };
    if (command == L"login-try" && argc == 5) return LoginTry(argv[2], argv[3], seconds(4));
    if (command == L"write-expect" && argc == 4) return WriteExpect(argv[2], seconds(3));
    if (command == L"pane-wait" && argc == 4) return PaneWait(argv[2], seconds(3));
    if (command == L"pane-count" && argc == 3) return PaneCount(argv[2]);
    if (command == L"probe" && (argc == 4 || argc == 5)) {
        return Probe(static_cast<DWORD>(_wtoi(argv[2])), _wtoi(argv[3]), argc == 5 ? argv[4] : nullptr);
    }
    if (command == L"resources" && argc == 2) return Resources();
    Say("usage: e2e_driver login <account> <password> | write <line> | close | wait-closed <seconds>\n"
        "       | login-try <account> <password> <seconds> | write-expect <line> <seconds>\n"
        "       | pane-wait <text> <seconds> | pane-count <text> | probe <seconds> <limit-ms> [<stop-file>]\n"
        "       | resources");
    return 2;
}
