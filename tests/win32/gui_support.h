#pragma once
// Helpers of the window tests: running the message loop for a while, and
// the main window object brought up as the program does it.

#include <windows.h>

#include <mmsystem.h>

#include <chrono>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "config/config_test_support.h"
#include "core/frm_main_win32.h"
#include "notify/sound_win32.h"
#include "support/simulator.h"

namespace vellora::test {

// Dispatches window messages as the program does until Done returns true or
// Ms milliseconds have passed; the result of Done.
bool PumpUntil(const std::function<bool()>& done, unsigned ms = 10000);
void PumpFor(unsigned ms);

// Brings Window to the front (other test programs may have taken it) and
// waits until the keyboard focus is on Control or one of its children.
bool FocusArrivesAt(HWND window, HWND control, unsigned ms = 3000);

// A client rectangle in the coordinates of its parent's client area.
RECT ChildRect(HWND child);

// A person at the keyboard: User runs on a thread of its own, acting through
// posted messages like input, while this thread dispatches messages as the
// program does (menus and modal dialogs run their own loops meanwhile).
bool AsUser(const std::function<void()>& user, unsigned ms = 60000);
// For User: waiting (sleeping) for Done; for a shown top-level window of
// Class whose title starts with Title; for the popup menu's items.
bool WaitUntil(const std::function<bool()>& done, unsigned ms = 10000);
HWND WaitForWindow(const wchar_t* cls, const std::wstring& title = L"", unsigned ms = 10000);
HMENU WaitForPopupMenu();
// For User: keys (virtual-key codes) pressed into Window's thread; a click;
// the texts of a list box's rows.
void PressKeys(HWND window, std::initializer_list<UINT> keys);
void Click(HWND button);
std::vector<std::wstring> ListRows(HWND list);

// The main window object after Form_Initialize and Form_Load, unloaded and
// terminated again at the end of the test. BeforeLoad runs between the two.
// Without OwnSettings false it gets an empty settings folder of its own, so
// no account of an earlier run is offered or logged in.
class MainObject {
public:
    explicit MainObject(const std::function<void(FrmMain&)>& beforeLoad = nullptr, bool ownSettings = true);
    ~MainObject();
    FrmMain& operator*() { return *frm_; }
    FrmMain* operator->() { return frm_.get(); }
    bool loaded = false;

private:
    std::unique_ptr<TempAppData> settingsFolder_;
    std::unique_ptr<FrmMain> frm_;
};

// Points the client at the simulator (as a BeforeLoad of MainObject).
std::function<void(FrmMain&)> PointAt(const Simulator& sim);
// Fills in the login form and clicks the login button, as the user does.
void LogIn(FrmMain& f, const std::wstring& name, const std::wstring& password, bool remember = false);

// Rests the mouse on At, a client point of Window, with Window's top-level
// window in front, until the tooltip's text holds Wanted; the text shown then
// ("" for none).
std::wstring TooltipAt(HWND window, POINT at, const std::wstring& wanted, unsigned ms = 5000);

// What PlaySound is asked while it lives, instead of playing it (Wine plays
// nothing); with RefuseResource the program's own sound does not start.
struct SoundCalls {
    std::vector<std::pair<std::wstring, DWORD>> calls;
    bool refuseResource = false;
    SoundCalls() {
        SetPlaySoundCall([this](const wchar_t* sound, HMODULE, DWORD flags) {
            calls.emplace_back(sound ? sound : L"(stop)", flags);
            return !(refuseResource && (flags & SND_RESOURCE));
        });
    }
    ~SoundCalls() { SetPlaySoundCall(nullptr); }
};

// The text of a window (a pane's plain text, a status bar part).
std::wstring PaneText(HWND pane);
std::wstring StatusBarText(HWND statusBar, int part);

}  // namespace vellora::test
