#pragma once
// The main window's styles as the program creates its windows (other
// programs find them by class, style and control id).

#include <windows.h>

#include <commctrl.h>
#include <richedit.h>

namespace vellora {

// The main window: control parent, no parent notify; an overlapped window
// clipping its children and siblings. The low bit 0x1000 has no meaning for
// this class; it is kept so the window looks exactly as it always did.
inline constexpr DWORD kMainWindowExStyle = WS_EX_CONTROLPARENT | WS_EX_NOPARENTNOTIFY;
inline constexpr DWORD kMainWindowStyle = WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN | WS_CLIPSIBLINGS | 0x1000;

// What every child of the main window is.
inline constexpr DWORD kChildStyle = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN;
inline constexpr DWORD kMainInputStyle = kChildStyle | WS_TABSTOP | ES_WANTRETURN | ES_AUTOHSCROLL;
inline constexpr DWORD kUserListStyle =
    kChildStyle | WS_VSCROLL | WS_HSCROLL | WS_TABSTOP | LBS_NOINTEGRALHEIGHT | LBS_OWNERDRAWVARIABLE | LBS_NOTIFY;
inline constexpr DWORD kChatPaneStyle = WS_CHILD | WS_VISIBLE | WS_VSCROLL | ES_SUNKEN | ES_READONLY | ES_NOHIDESEL |
                                        ES_AUTOVSCROLL | ES_NOOLEDRAGDROP | ES_MULTILINE;
inline constexpr DWORD kOptionsButtonStyle = kChildStyle | WS_TABSTOP | BS_PUSHBUTTON;
inline constexpr DWORD kStatusBarStyle = kChildStyle | SBARS_SIZEGRIP;

}  // namespace vellora
