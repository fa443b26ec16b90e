#include "e2e_windows_win32.h"

#include <cstdio>
#include <vector>

namespace e2e {
namespace {

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

}  // namespace

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

HWND WaitForTop(const wchar_t* cls, const wchar_t* titleStart, bool visibleOnly, DWORD ms) {
    Search s{cls, titleStart, visibleOnly, nullptr};
    WaitFor(
        [&s] {
            EnumWindows(FindTop, reinterpret_cast<LPARAM>(&s));
            return s.found != nullptr;
        },
        ms, 100);
    return s.found;
}

HWND ChildOfClass(HWND parent, const wchar_t* cls, int skip) {
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
    return WaitFor([&] { return TextOf(w).find(wanted) != std::wstring::npos; }, ms, 200);
}

std::size_t Count(const std::wstring& text, const std::wstring& part) {
    std::size_t n = 0;
    for (std::size_t at = text.find(part); at != std::wstring::npos; at = text.find(part, at + part.size())) ++n;
    return n;
}

HWND MainWindowOrNull(DWORD ms) { return WaitForTop(L"VelloraWindow", nullptr, true, ms); }

HWND AnyMainWindow() { return FindWindowW(L"VelloraWindow", nullptr); }

HWND LoginForm(DWORD ms) { return WaitForTop(L"#32770", L"Vellora ", true, ms); }

HWND FloatingDialog(DWORD ms) { return WaitForTop(L"VelloraDialog", nullptr, true, ms); }

void PressKey(HWND w, UINT key, LPARAM down) {
    PostMessageW(w, WM_KEYDOWN, key, down);
    PostMessageW(w, WM_KEYUP, key, down | 0xC0000000);
}

void Enter(HWND input, const std::wstring& line) {
    SendMessageW(input, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(line.c_str()));
    PressKey(input, VK_RETURN, 0x001C0001);
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

}  // namespace e2e
