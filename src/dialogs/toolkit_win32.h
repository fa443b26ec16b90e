#pragma once
// The thin layer between the program and the Win32 user interface: start
// and stop, window classes, window texts, string resources, icons,
// subclassing and the visual-style handles.
//
// Every call here is the wide-character ("W") form. The narrow form exists
// only for Windows versions outside the NT family (95, 98, Me), which this
// program does not support; IsUnicodePlatform is kept for the code that asks.

#include <windows.h>
#include <uxtheme.h>

#include <cstdint>
#include <optional>
#include <string>
#include <utility>

#include "dialogs/handles_win32.h"

namespace vellora {

// True on the NT family (bit 31 of GetVersion clear). Set by ToolkitStart.
extern bool IsUnicodePlatform;

// Starts the toolkit once: common controls, the platform flag, the theme
// handles. A second call does nothing and returns false. The program passes
// 0 as IconLevelLimit: icons are always loaded at their base ids.
bool ToolkitStart(int iconLevelLimit);
void ToolkitStop();

// The toolkit from construction to destruction (when this started it).
class ToolkitSession {
public:
    ToolkitSession() = default;
    ToolkitSession(const ToolkitSession&) = delete;
    ToolkitSession& operator=(const ToolkitSession&) = delete;
    ~ToolkitSession() {
        if (started_) ToolkitStop();
    }
    void Start() { started_ = ToolkitStart(0); }

private:
    bool started_ = false;
};

// The program's own module (resources, window classes).
HINSTANCE ProgramInstance();

// The class style of the program's own windows: redraw on both size
// changes, double clicks, one device context for the class.
inline constexpr UINT kProgramClassStyle = CS_VREDRAW | CS_HREDRAW | CS_DBLCLKS | CS_CLASSDC;

// The button-face system colour as a class background.
inline HBRUSH ButtonFaceBrush() { return reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_BTNFACE + 1)); }

// What a window class needs; size, instance and icons are filled in.
struct WindowClassRecord {
    UINT style = 0;
    WNDPROC proc = nullptr;
    HCURSOR cursor = nullptr;
    HBRUSH background = nullptr;
    const wchar_t* className = nullptr;
};
bool RegisterWindowClass(const WindowClassRecord& record);
bool UnregisterWindowClass(const wchar_t* className);

// What a single-line input line that handles Tab and Enter on key-down
// drops: the key-ups of Tab and Enter, and the characters of Tab, Enter and
// Escape, which the edit control would only beep about.
bool IsHandledKeyEcho(UINT msg, WPARAM wParam);

// Window texts as program strings, never cut short.
std::wstring GetWindowTextString(HWND window);
void SetWindowTextString(HWND window, const std::wstring& text);

// String resource Id of the program in the user's interface language (the
// system's resource lookup picks German or English), or nothing. While the
// toolkit runs, LoadResString (resources/strings.h) answers through it.
std::optional<std::wstring> LoadStringResource(std::int32_t id);

// A product value of the program's version resource (string block
// "040904B0"), or "???" when the resource or the value is missing.
std::wstring VersionValue(const wchar_t* name);

// Icon resource Id at Size x Size pixels, or null.
OwnedIcon LoadIconRes(int id, int size);
// Replaces the window's icons by resources BaseId (16 x 16) and BaseId + 15
// (32 x 32) and destroys the ones it took away; BaseId -1 only removes them.
void SetWindowIcons(HWND window, int baseId);

// A window's icons from resources BaseId and BaseId + 15 while this lives.
class WindowIcons {
public:
    WindowIcons() = default;
    WindowIcons(HWND window, int baseId) : window_(window) { SetWindowIcons(window, baseId); }
    WindowIcons(WindowIcons&& other) noexcept : window_(std::exchange(other.window_, nullptr)) {}
    WindowIcons& operator=(WindowIcons&& other) noexcept {
        std::swap(window_, other.window_);
        return *this;
    }
    ~WindowIcons() {
        if (window_) SetWindowIcons(window_, -1);
    }

private:
    HWND window_ = nullptr;
};

// Theme handles of the classes "SCROLLBAR" and "WINDOW", null while visual
// styles are off.
void OpenThemes();
void CloseThemes();
HTHEME ScrollBarTheme();
HTHEME WindowTheme();

}  // namespace vellora
