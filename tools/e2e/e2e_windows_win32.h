// What every command of the driver needs to find, read and wait for the
// program's windows from outside, and to tell what it saw.
#pragma once

#include <windows.h>

#include <cstddef>
#include <string>

namespace e2e {

// The user list's rows are 36 pixels high.
constexpr int kUserRowHeight = 36;

// Asks Check every Step until it holds or Ms are up; asks at least once.
template <class Check>
bool WaitFor(Check check, DWORD ms, DWORD step) {
    const DWORD start = GetTickCount();
    do {
        if (check()) return true;
        Sleep(step);
    } while (GetTickCount() - start < ms);
    return false;
}

std::wstring TextOf(HWND w);
std::wstring ClassOf(HWND w);

// The first top window of Class (whose title starts with TitleStart, when
// given) within Ms, or null.
HWND WaitForTop(const wchar_t* cls, const wchar_t* titleStart, bool visibleOnly, DWORD ms);
HWND ChildOfClass(HWND parent, const wchar_t* cls, int skip = 0);
HWND ChatControl(HWND main, const wchar_t* cls);
bool WaitForText(HWND w, const std::wstring& wanted, DWORD ms);
std::size_t Count(const std::wstring& text, const std::wstring& part);

// The chat window, once shown within Ms, or null.
HWND MainWindowOrNull(DWORD ms);
// The chat window, shown or not, without waiting.
HWND AnyMainWindow();
// The login form, once shown within Ms, or null.
HWND LoginForm(DWORD ms);
// The first shown (floating) conversation within Ms, or null.
HWND FloatingDialog(DWORD ms);

// Posts Key down and up; the key-up's flags are those of the key-down with
// the previous state and transition bits set.
void PressKey(HWND w, UINT key, LPARAM down);
// Types Line into an input line and presses Enter.
void Enter(HWND input, const std::wstring& line);

void Say(const char* what);
std::string Narrow(const std::wstring& w);

}  // namespace e2e
