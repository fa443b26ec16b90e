#include "win32/gui_support.h"

#include <commctrl.h>
#include <richedit.h>

#include <atomic>
#include <thread>
#include <vector>

#include "config/login_form_win32.h"
#include "dialogs/toolkit_win32.h"
#include "dialogs/window_object_win32.h"

namespace vellora::test {

bool PumpUntil(const std::function<bool()>& done, unsigned ms) {
    const DWORD start = GetTickCount();
    for (;;) {
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (RouteDialogMessage(msg)) continue;
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
        if (done && done()) return true;
        if (GetTickCount() - start >= ms) return done ? done() : true;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    }
}

void PumpFor(unsigned ms) { PumpUntil(nullptr, ms); }

bool FocusArrivesAt(HWND window, HWND control, unsigned ms) {
    return PumpUntil(
        [&] {
            HWND focus = GetFocus();
            if (focus && (focus == control || IsChild(control, focus))) return true;
            SetForegroundWindow(window);
            return false;
        },
        ms);
}

bool AsUser(const std::function<void()>& user, unsigned ms) {
    std::atomic<bool> done{false};
    std::thread person([&] {
        user();
        done = true;
    });
    const bool inTime = PumpUntil([&] { return done.load(); }, ms);
    PumpUntil([&] { return done.load(); }, 600000);  // its own waits end by themselves
    person.join();
    return inTime;
}

bool WaitUntil(const std::function<bool()>& done, unsigned ms) {
    for (const DWORD start = GetTickCount(); !done(); Sleep(20)) {
        if (GetTickCount() - start >= ms) return false;
    }
    return true;
}

HWND WaitForWindow(const wchar_t* cls, const std::wstring& title, unsigned ms) {
    HWND found = nullptr;
    WaitUntil(
        [&] {
            // Only this process's: other tests may show theirs on the same desktop.
            for (found = nullptr; (found = FindWindowExW(nullptr, found, cls, nullptr)) != nullptr;) {
                DWORD process = 0;
                GetWindowThreadProcessId(found, &process);
                if (process == GetCurrentProcessId() && IsWindowVisible(found) &&
                    GetWindowTextString(found).rfind(title, 0) == 0)
                    return true;
            }
            return false;
        },
        ms);
    return found;
}

HMENU WaitForPopupMenu() {
    return reinterpret_cast<HMENU>(SendMessageW(WaitForWindow(L"#32768"), MN_GETHMENU, 0, 0));
}

void PressKeys(HWND window, std::initializer_list<UINT> keys) {
    for (UINT key : keys) {
        PostMessageW(window, WM_KEYDOWN, key, 1);
        PostMessageW(window, WM_KEYUP, key, 0xC0000001);
    }
}

void Click(HWND button) { PostMessageW(button, BM_CLICK, 0, 0); }

std::vector<std::wstring> ListRows(HWND list) {
    std::vector<std::wstring> rows;  // (the list may be filled again meanwhile)
    for (LRESULT i = 0, length; (length = SendMessageW(list, LB_GETTEXTLEN, i, 0)) >= 0; ++i) {
        std::wstring text(static_cast<std::size_t>(length), L'\0');
        SendMessageW(list, LB_GETTEXT, i, reinterpret_cast<LPARAM>(text.data()));
        rows.push_back(text);
    }
    return rows;
}

std::wstring TooltipAt(HWND window, POINT at, const std::wstring& wanted, unsigned ms) {
    HWND front = GetAncestor(window, GA_ROOT);
    ClientToScreen(window, &at);
    // From a pixel beside it: the tooltips wait for the mouse to move.
    SetCursorPos(at.x + 1, at.y);
    PumpFor(300);
    std::wstring shown;
    PumpUntil(
        [&] {
            if (GetForegroundWindow() != front) SetForegroundWindow(front);
            SetCursorPos(at.x, at.y);
            HWND tip = WaitForWindow(L"ExtMultiLineToolTip", L"", 0);
            shown = tip ? GetWindowTextString(tip) : L"";
            return shown.find(wanted) != std::wstring::npos;
        },
        ms);
    return shown;
}

RECT ChildRect(HWND child) {
    RECT r{};
    GetWindowRect(child, &r);
    MapWindowPoints(nullptr, GetParent(child), reinterpret_cast<POINT*>(&r), 2);
    return r;
}

MainObject::MainObject(const std::function<void(FrmMain&)>& beforeLoad, bool ownSettings)
    : settingsFolder_(ownSettings ? std::make_unique<TempAppData>() : nullptr), frm_(std::make_unique<FrmMain>()) {
    frm_->Form_Initialize();
    if (beforeLoad) beforeLoad(*frm_);
    loaded = frm_->Form_Load();
}

MainObject::~MainObject() {
    if (!frm_->Unloaded()) frm_->Unload();
    frm_->Form_Terminate();
}

std::function<void(FrmMain&)> PointAt(const Simulator& sim) {
    return [port = sim.Port()](FrmMain& f) {
        f.client.endpoints.ClubAddress = f.client.endpoints.ChatAddress = Simulator::Address();
        f.client.endpoints.Port = port;
    };
}

void LogIn(FrmMain& f, const std::wstring& name, const std::wstring& password, bool remember) {
    LoginForm& form = f.Form4();
    SetWindowTextW(form.Control(kCombo1), name.c_str());
    SetWindowTextW(form.Control(kText2), password.c_str());
    SendMessageW(form.Control(kCheck2), BM_SETCHECK, remember ? BST_CHECKED : BST_UNCHECKED, 0);
    SendMessageW(form.Control(kCommand3), BM_CLICK, 0, 0);
}

std::wstring PaneText(HWND pane) {
    GETTEXTLENGTHEX len{GTL_DEFAULT, 1200};
    LRESULT n = SendMessageW(pane, EM_GETTEXTLENGTHEX, reinterpret_cast<WPARAM>(&len), 0);
    if (n <= 0) return {};
    std::vector<wchar_t> buffer(static_cast<std::size_t>(n) + 1);
    GETTEXTEX get{};
    get.cb = static_cast<DWORD>(buffer.size() * sizeof(wchar_t));
    get.flags = GT_DEFAULT;
    get.codepage = 1200;
    LRESULT got = SendMessageW(pane, EM_GETTEXTEX, reinterpret_cast<WPARAM>(&get),
                               reinterpret_cast<LPARAM>(buffer.data()));
    return std::wstring(buffer.data(), static_cast<std::size_t>(got > 0 ? got : 0));
}

std::wstring StatusBarText(HWND statusBar, int part) {
    LRESULT info = SendMessageW(statusBar, SB_GETTEXTLENGTHW, static_cast<WPARAM>(part), 0);
    std::vector<wchar_t> buffer(static_cast<std::size_t>(LOWORD(info)) + 1);
    SendMessageW(statusBar, SB_GETTEXTW, static_cast<WPARAM>(part), reinterpret_cast<LPARAM>(buffer.data()));
    return buffer.data();
}

}  // namespace vellora::test
