// Drives a running Vellora.exe from outside, the way a user would: fills in
// the login form and presses Enter, waits for the chat and its counts,
// writes a line and waits for it to come back once, leaves the chat
// unattended until a toaster tells a line, rests the mouse on a user until
// the information tooltip shows, waits for conversations to open and docks,
// undocks and writes in them, closes the program. Prints what it saw; the
// exit status is 0 when everything was seen.
//
//   e2e_driver login <account> <password>
//   e2e_driver write <line>
//   e2e_driver users <name>         the user list's rows, read as a screen reader does
//   e2e_driver toaster <text>       a toaster shows Text
//   e2e_driver tooltip              the mouse on the first user row shows its tooltip
//   e2e_driver dialog-tooltip       the mouse on the floating dialog's picture shows its user's
//   e2e_driver mouse-away           the mouse off the program's windows: no tooltip stays
//   e2e_driver dialog <user>        a docked dialog with User is open
//   e2e_driver open-another         double-clicks members until another dialog docks
//   e2e_driver undock               the first docked dialog's release icon
//   e2e_driver dialog-write <line>  Enter in the floating dialog; the line comes back in it
//   e2e_driver close
//   e2e_driver wait-closed <seconds>
//   e2e_driver menu options|user     opens a menu (the "..." button, the context-menu key on the first row)
//   e2e_driver keys <key>...         presses keys: up, down, return, escape or a letter
//   e2e_driver wait-window <title>   waits for a dialog whose title starts so
//   e2e_driver sheet-page <n>        shows page n of the settings sheet
//   e2e_driver close-window <title>  closes that dialog with its close box
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
//   e2e_driver close-conversations             closes every conversation, floating or docked, as
//                                              their close boxes do
#include <windows.h>

#include <commctrl.h>
#include <prsht.h>

#include <algorithm>
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

// The chat's own control of a class: docked dialogs put controls of the
// same classes and ids into the main window, always right of the chat.
HWND ChatControl(HWND main, const wchar_t* cls) {
    HWND found = nullptr;
    LONG left = 0;
    for (HWND c = GetWindow(main, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
        RECT r{};
        if (ClassOf(c) != cls || !GetWindowRect(c, &r) || (found && r.left >= left)) continue;
        found = c;
        left = r.left;
    }
    return found;
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
    // Line breaks and tabs of a tooltip or toaster as "|", to keep the log one line.
    for (wchar_t c : w) out.push_back(c < 32 ? '|' : c < 128 ? static_cast<char>(c) : '?');
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

// Types Line into an input line and presses Enter.
void Enter(HWND input, const std::wstring& line) {
    SendMessageW(input, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(line.c_str()));
    PostMessageW(input, WM_KEYDOWN, VK_RETURN, 0x001C0001);
    PostMessageW(input, WM_KEYUP, VK_RETURN, 0xC01C0001);
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

// The tab labels of the docked dialogs, top first.
std::vector<HWND> DockedLabels(HWND main) {
    std::vector<std::pair<LONG, HWND>> found;
    for (HWND c = GetWindow(main, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
        RECT r{};
        if (ClassOf(c) == L"StaticTabControlRepos" && IsWindowVisible(c) && GetWindowRect(c, &r))
            found.emplace_back(r.top, c);
    }
    std::sort(found.begin(), found.end());
    std::vector<HWND> labels;
    for (const auto& [top, label] : found) labels.push_back(label);
    return labels;
}

bool WaitForDocked(HWND main, std::size_t count, DWORD ms) {
    const DWORD start = GetTickCount();
    do {
        if (DockedLabels(main).size() >= count) return true;
        Sleep(200);
    } while (GetTickCount() - start < ms);
    return false;
}

// A conversation with User: its window (hidden while docked) is titled
// "User - Vellora", or "User (age) - Vellora".
int Dialog(const std::wstring& user) {
    HWND main = MainWindowOrNull(5000);
    if (!main) return Say("no chat window"), 1;
    HWND dialog = WaitForTop(L"VelloraDialog", (user + L" ").c_str(), false, 30000);
    if (!dialog) return Say("no dialog opened"), 1;
    const std::wstring caption = TextOf(dialog);
    std::printf("dialog [%s]\n", Narrow(caption).c_str());
    if (caption.size() < 10 || caption.compare(caption.size() - 10, 10, L" - Vellora") != 0)
        return Say("the dialog's caption is not the user's"), 1;
    if (!WaitForDocked(main, 1, 5000)) return Say("the dialog did not dock"), 1;
    return 0;
}

BOOL CALLBACK CollectDialogs(HWND w, LPARAM lp) {
    if (ClassOf(w) == L"VelloraDialog") reinterpret_cast<std::vector<HWND>*>(lp)->push_back(w);
    return TRUE;
}

// Every dialog window, docked (hidden) or floating.
std::vector<HWND> DialogWindows() {
    std::vector<HWND> found;
    EnumWindows(CollectDialogs, reinterpret_cast<LPARAM>(&found));
    return found;
}

// Double-clicks the rows of the user list, top first, until a new dialog
// opens and docks (rows whose dialog is open, and the own row, open none).
int OpenAnother() {
    HWND main = MainWindowOrNull(5000);
    HWND list = main ? ChildOfClass(main, L"ListBox") : nullptr;
    if (!list) return Say("no user list"), 1;
    const std::vector<HWND> before = DialogWindows();
    const LRESULT rows = SendMessageW(list, LB_GETCOUNT, 0, 0);
    for (LRESULT row = 0; row < rows; ++row) {
        // Rows are 36 pixels high.
        const LPARAM at = MAKELPARAM(60, static_cast<int>(row) * 36 + 18);
        for (UINT msg : {WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK, WM_LBUTTONUP})
            PostMessageW(list, msg, msg == WM_LBUTTONUP ? 0 : MK_LBUTTON, at);
        const DWORD start = GetTickCount();
        do {
            for (HWND dialog : DialogWindows()) {
                if (std::find(before.begin(), before.end(), dialog) != before.end()) continue;
                std::printf("row %ld opened [%s]\n", static_cast<long>(row), Narrow(TextOf(dialog)).c_str());
                if (!WaitForDocked(main, 2, 5000)) return Say("it did not dock"), 1;
                return 0;
            }
            Sleep(200);
        } while (GetTickCount() - start < 1500);
    }
    return Say("no row opened a dialog"), 1;
}

// Clicks the release icon (the third of four 16-pixel icons at the label's
// right end) of the first docked dialog.
int Undock() {
    HWND main = MainWindowOrNull(5000);
    const std::vector<HWND> labels = main ? DockedLabels(main) : std::vector<HWND>{};
    RECT r{};
    if (labels.empty() || !GetClientRect(labels[0], &r)) return Say("no docked dialog"), 1;
    const LPARAM at = MAKELPARAM(r.right - 24, r.bottom / 2);
    PostMessageW(labels[0], WM_LBUTTONDOWN, MK_LBUTTON, at);
    PostMessageW(labels[0], WM_LBUTTONUP, 0, at);
    HWND dialog = WaitForTop(L"VelloraDialog", nullptr, true, 5000);
    if (!dialog) return Say("no floating dialog"), 1;
    std::printf("floating [%s]; %zu docked\n", Narrow(TextOf(dialog)).c_str(), DockedLabels(main).size());
    return 0;
}

int DialogWrite(const std::wstring& line) {
    HWND dialog = WaitForTop(L"VelloraDialog", nullptr, true, 5000);
    HWND pane = dialog ? ChildOfClass(dialog, L"RichEdit20A") : nullptr;
    HWND input = dialog ? ChildOfClass(dialog, L"Edit") : nullptr;
    if (!pane || !input) return Say("no floating dialog"), 1;
    Enter(input, line);
    if (!WaitForText(pane, line, 15000)) return Say("the line did not come back in the dialog"), 1;
    std::printf("dialog line shown; input now [%s]\n", Narrow(TextOf(input)).c_str());
    return TextOf(input).empty() ? 0 : 1;
}

// A visible window of Class whose child Id has class ChildClass (any
// program's), or null.
struct ChildSearch {
    const wchar_t* cls;
    int id;
    const wchar_t* childClass;
    HWND found;
};

BOOL CALLBACK FindWithChildStep(HWND w, LPARAM lp) {
    auto* s = reinterpret_cast<ChildSearch*>(lp);
    if (!IsWindowVisible(w) || ClassOf(w) != s->cls) return TRUE;
    if (s->childClass && ClassOf(GetDlgItem(w, s->id)) != s->childClass) return TRUE;
    s->found = w;
    return FALSE;
}

HWND FindWithChild(const wchar_t* cls, int id, const wchar_t* childClass) {
    ChildSearch s{cls, id, childClass, nullptr};
    EnumWindows(FindWithChildStep, reinterpret_cast<LPARAM>(&s));
    return s.found;
}

// Leaves the chat unattended (the main window minimized) and waits for a
// toaster that tells Wanted.
int Toaster(const std::wstring& wanted) {
    HWND main = MainWindowOrNull(5000);
    if (!main) return Say("no chat window"), 1;
    PostMessageW(main, WM_SYSCOMMAND, SC_MINIMIZE, 0);
    const DWORD start = GetTickCount();
    while (!IsIconic(main) && GetTickCount() - start < 10000) Sleep(100);
    do {
        if (HWND toaster = FindWithChild(L"#32770", 1000, L"RichEdit20A")) {
            const std::wstring text = TextOf(GetDlgItem(toaster, 1000));
            if (text.find(wanted) != std::wstring::npos) {
                std::printf("toaster: [%s]\n", Narrow(text).c_str());
                return 0;
            }
        }
        Sleep(200);
    } while (GetTickCount() - start < 30000);
    return Say("no toaster told it"), 1;
}

// Clicks the middle of Window's caption, as a user brings it to the front.
void ClickCaption(HWND window) {
    RECT r{};
    GetWindowRect(window, &r);
    SetCursorPos((r.left + r.right) / 2, r.top + GetSystemMetrics(SM_CYCAPTION) / 2 + 2);
    INPUT click[2] = {};
    click[0].type = click[1].type = INPUT_MOUSE;
    click[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    click[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
    SendInput(2, click, sizeof(INPUT));
}

// Brings Front (the chat or a floating dialog) back and rests the mouse on
// the point Where gives (screen coordinates) until a tooltip tells Wanted.
template <class Where>
int RestMouse(HWND front, Where where, const wchar_t* wanted) {
    // The mouse may rest where the tool will be: a tooltip shows only once
    // the mouse has moved.
    SetCursorPos(1, 1);
    Sleep(500);
    const DWORD start = GetTickCount();
    int notInFront = 0, moves = 0;
    bool clicked = false;
    do {
        // Back from the task bar, at its own size.
        RECT frame{};
        if (IsIconic(front) || !GetWindowRect(front, &frame) || frame.bottom - frame.top < 100) {
            ShowWindow(front, SW_RESTORE);
            Sleep(200);
            continue;
        }
        if (GetForegroundWindow() != front) {
            ++notInFront;
            if (!SetForegroundWindow(front) && !clicked) clicked = (ClickCaption(front), true);
        }
        const POINT target = where();
        POINT now{};
        if (GetCursorPos(&now) && (now.x != target.x || now.y != target.y)) {
            ++moves;
            SetCursorPos(target.x, target.y);
        }
        HWND tip = FindWithChild(L"ExtMultiLineToolTip", 0, nullptr);
        const std::wstring text = tip ? TextOf(tip) : L"";
        if (text.find(wanted) != std::wstring::npos) {
            std::printf("tooltip: [%s]\n", Narrow(text).c_str());
            return 0;
        }
        Sleep(200);
    } while (GetTickCount() - start < 20000);
    POINT at{};
    GetCursorPos(&at);
    HWND tip = FindWindowW(L"ExtMultiLineToolTip", nullptr);
    std::printf("no tooltip showed (mouse at %ld,%ld over %s, moved %d times; in front: %s, %d times not; "
                "minimized: %d; tooltip %s [%s])\n",
                at.x, at.y, Narrow(ClassOf(WindowFromPoint(at))).c_str(), moves,
                Narrow(ClassOf(GetForegroundWindow())).c_str(), notInFront, IsIconic(front) ? 1 : 0,
                tip && IsWindowVisible(tip) ? "shown" : "hidden", Narrow(TextOf(tip)).c_str());
    return 1;
}

// Brings the chat back and rests the mouse on the first user of the list
// until the information tooltip shows.
int Tooltip() {
    HWND main = WaitForTop(L"VelloraWindow", nullptr, false, 5000);
    HWND list = main ? ChildOfClass(main, L"ListBox") : nullptr;
    if (!list) return Say("no user list"), 1;
    return RestMouse(
        main,
        [list] {
            POINT row{60, 18};  // the middle of the first row, 36 pixels high
            ClientToScreen(list, &row);
            return row;
        },
        L"Last interaction");
}

// Rests the mouse on the floating dialog's picture until it tells about its user.
int DialogTooltip() {
    HWND dialog = WaitForTop(L"VelloraDialog", nullptr, true, 5000);
    HWND picture = dialog ? ChildOfClass(dialog, L"Static") : nullptr;
    if (!picture) return Say("no floating dialog with a picture"), 1;
    return RestMouse(
        dialog,
        [picture] {
            RECT r{};
            GetWindowRect(picture, &r);
            return POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
        },
        L"Infos about");
}

// Moves the mouse off the program's windows, where no tooltip of it shows.
int MouseAway() {
    HWND main = MainWindowOrNull(5000);
    DWORD program = 0, process = 0;
    if (!main || !GetWindowThreadProcessId(main, &program)) return Say("no chat window"), 1;
    const int w = GetSystemMetrics(SM_CXSCREEN), h = GetSystemMetrics(SM_CYSCREEN);
    for (POINT p : {POINT{2, h - 2}, POINT{w / 2, h - 2}, POINT{w - 2, h - 2}, POINT{w / 2, 2}}) {
        if (GetWindowThreadProcessId(WindowFromPoint(p), &process) && process == program) continue;
        SetCursorPos(p.x, p.y);
        const DWORD start = GetTickCount();
        while (FindWithChild(L"ExtMultiLineToolTip", 0, nullptr)) {
            if (GetTickCount() - start > 5000) return Say("the tooltip stayed"), 1;
            Sleep(100);
        }
        return 0;
    }
    return Say("no place away from the program"), 1;
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

HWND AnyMainWindow() { return FindWindowW(L"VelloraWindow", nullptr); }

// The open conversations, floating or docked (each dialog is a window of
// the program's dialog class).
std::vector<HWND> Conversations() {
    std::vector<HWND> found;
    auto collect = [](HWND w, LPARAM list) -> BOOL {
        wchar_t name[32]{};
        GetClassNameW(w, name, 32);
        if (std::wstring(name) == L"VelloraDialog") reinterpret_cast<std::vector<HWND>*>(list)->push_back(w);
        return TRUE;
    };
    EnumWindows(collect, reinterpret_cast<LPARAM>(&found));
    if (HWND main = AnyMainWindow()) EnumChildWindows(main, collect, reinterpret_cast<LPARAM>(&found));
    return found;
}

int CloseConversations() {
    const DWORD start = GetTickCount();
    // A conversation with a line of the last moments stays open: ask again.
    for (std::vector<HWND> open = Conversations(); !open.empty(); open = Conversations()) {
        if (GetTickCount() - start > 10000) return Say("a conversation stayed"), 1;
        for (HWND w : open) PostMessageW(w, WM_CLOSE, 0, 0);
        Sleep(500);
    }
    return 0;
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
    if (command == L"users" && argc == 3) return Users(argv[2]);
    if (command == L"toaster" && argc == 3) return Toaster(argv[2]);
    if (command == L"tooltip" && argc == 2) return Tooltip();
    if (command == L"dialog-tooltip" && argc == 2) return DialogTooltip();
    if (command == L"mouse-away" && argc == 2) return MouseAway();
    if (command == L"dialog" && argc == 3) return Dialog(argv[2]);
    if (command == L"open-another" && argc == 2) return OpenAnother();
    if (command == L"undock" && argc == 2) return Undock();
    if (command == L"dialog-write" && argc == 3) return DialogWrite(argv[2]);
    if (command == L"close" && argc == 2) return Close();
    if (command == L"wait-closed" && argc == 3) return WaitClosed(static_cast<DWORD>(_wtoi(argv[2])) * 1000);
    if (command == L"menu" && argc == 3) return OpenMenu(argv[2]);
    if (command == L"keys" && argc >= 3) return Keys(argc - 2, argv + 2);
    if (command == L"wait-window" && argc == 3) return WaitWindow(argv[2]);
    if (command == L"sheet-page" && argc == 3) return SheetPage(_wtoi(argv[2]));
    if (command == L"close-window" && argc == 3) return CloseWindow(argv[2]);
    auto seconds = [&](int i) { return static_cast<DWORD>(_wtoi(argv[i])) * 1000; };
    if (command == L"login-try" && argc == 5) return LoginTry(argv[2], argv[3], seconds(4));
    if (command == L"write-expect" && argc == 4) return WriteExpect(argv[2], seconds(3));
    if (command == L"pane-wait" && argc == 4) return PaneWait(argv[2], seconds(3));
    if (command == L"pane-count" && argc == 3) return PaneCount(argv[2]);
    if (command == L"probe" && (argc == 4 || argc == 5)) {
        return Probe(static_cast<DWORD>(_wtoi(argv[2])), _wtoi(argv[3]), argc == 5 ? argv[4] : nullptr);
    }
    if (command == L"resources" && argc == 2) return Resources();
    if (command == L"close-conversations" && argc == 2) return CloseConversations();
    Say("usage: e2e_driver login <account> <password> | write <line> | users <name> | toaster <text> | tooltip |"
        " dialog-tooltip | mouse-away |"
        " dialog <user> | open-another | undock | dialog-write <line> | menu options|user | keys <key>... |"
        " wait-window <title> | sheet-page <n> | close-window <title> | close | wait-closed <seconds>\n"
        "       | login-try <account> <password> <seconds> | write-expect <line> <seconds>\n"
        "       | pane-wait <text> <seconds> | pane-count <text> | probe <seconds> <limit-ms> [<stop-file>]\n"
        "       | resources | close-conversations");
    return 2;
}
