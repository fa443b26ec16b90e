#pragma once
// The window procedure of the main window's class "VelloraWindow" and the
// subclass procedures of its children.

#include <windows.h>

namespace vellora {

inline constexpr const wchar_t* kMainWindowClass = L"VelloraWindow";
inline constexpr const wchar_t* kDialogWindowClass = L"VelloraDialog";
inline constexpr const wchar_t* kTabLabelClass = L"StaticTabControlRepos";

LRESULT CALLBACK MainWindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
LRESULT CALLBACK MainInputProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
LRESULT CALLBACK UserListProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
LRESULT CALLBACK PaneProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
LRESULT CALLBACK OptionsButtonProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);

// The procedures the main input line and the user list had before they were
// subclassed (kept here rather than in the controls' user data).
extern WNDPROC PrevMainInputProc;
extern WNDPROC PrevUserListProc;

}  // namespace vellora
