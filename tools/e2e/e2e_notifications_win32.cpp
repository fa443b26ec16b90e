// Commands on what the program tells without being asked: the toaster of an
// unattended chat, and the tooltips that show where the mouse rests.
#include "e2e_commands_win32.h"
#include "e2e_windows_win32.h"

#include <cstdio>

namespace e2e {
namespace {

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

HWND ShownTooltip() { return FindWithChild(L"ExtMultiLineToolTip", 0, nullptr); }

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
        HWND tip = ShownTooltip();
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

}  // namespace

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

// Brings the chat back and rests the mouse on the first user of the list
// until the information tooltip shows.
int Tooltip() {
    HWND main = WaitForTop(L"VelloraWindow", nullptr, false, 5000);
    HWND list = main ? ChildOfClass(main, L"ListBox") : nullptr;
    if (!list) return Say("no user list"), 1;
    return RestMouse(
        main,
        [list] {
            POINT row{60, kUserRowHeight / 2};  // the middle of the first row
            ClientToScreen(list, &row);
            return row;
        },
        L"Last interaction");
}

// Rests the mouse on the floating dialog's picture until it tells about its user.
int DialogTooltip() {
    HWND dialog = FloatingDialog(5000);
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
        while (ShownTooltip()) {
            if (GetTickCount() - start > 5000) return Say("the tooltip stayed"), 1;
            Sleep(100);
        }
        return 0;
    }
    return Say("no place away from the program"), 1;
}

}  // namespace e2e
