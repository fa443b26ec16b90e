// Commands on the private conversations: waiting for one to open and dock,
// opening another from the user list, undocking, writing in the floating
// one, closing them all.
#include "e2e_commands_win32.h"
#include "e2e_windows_win32.h"

#include <algorithm>
#include <cstdio>
#include <utility>
#include <vector>

namespace e2e {
namespace {

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
    return WaitFor([&] { return DockedLabels(main).size() >= count; }, ms, 200);
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

// The open conversations, floating or docked: the dialog windows, and any
// of the program's dialog class inside the chat window.
std::vector<HWND> Conversations() {
    std::vector<HWND> found = DialogWindows();
    if (HWND main = AnyMainWindow()) EnumChildWindows(main, CollectDialogs, reinterpret_cast<LPARAM>(&found));
    return found;
}

}  // namespace

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

// Double-clicks the rows of the user list, top first, until a new dialog
// opens and docks (rows whose dialog is open, and the own row, open none).
int OpenAnother() {
    HWND main = MainWindowOrNull(5000);
    HWND list = main ? ChildOfClass(main, L"ListBox") : nullptr;
    if (!list) return Say("no user list"), 1;
    const std::vector<HWND> before = DialogWindows();
    const LRESULT rows = SendMessageW(list, LB_GETCOUNT, 0, 0);
    for (LRESULT row = 0; row < rows; ++row) {
        const LPARAM at = MAKELPARAM(60, static_cast<int>(row) * kUserRowHeight + kUserRowHeight / 2);
        for (UINT msg : {WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK, WM_LBUTTONUP})
            PostMessageW(list, msg, msg == WM_LBUTTONUP ? 0 : MK_LBUTTON, at);
        HWND opened = nullptr;
        const bool found = WaitFor(
            [&] {
                for (HWND dialog : DialogWindows()) {
                    if (std::find(before.begin(), before.end(), dialog) != before.end()) continue;
                    opened = dialog;
                    return true;
                }
                return false;
            },
            1500, 200);
        if (found) {
            std::printf("row %ld opened [%s]\n", static_cast<long>(row), Narrow(TextOf(opened)).c_str());
            if (!WaitForDocked(main, 2, 5000)) return Say("it did not dock"), 1;
            return 0;
        }
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
    HWND dialog = FloatingDialog(5000);
    if (!dialog) return Say("no floating dialog"), 1;
    std::printf("floating [%s]; %zu docked\n", Narrow(TextOf(dialog)).c_str(), DockedLabels(main).size());
    return 0;
}

// Enter in the floating dialog; the line comes back in it.
int DialogWrite(const std::wstring& line) {
    HWND dialog = FloatingDialog(5000);
    HWND pane = dialog ? ChildOfClass(dialog, L"RichEdit20A") : nullptr;
    HWND input = dialog ? ChildOfClass(dialog, L"Edit") : nullptr;
    if (!pane || !input) return Say("no floating dialog"), 1;
    Enter(input, line);
    if (!WaitForText(pane, line, 15000)) return Say("the line did not come back in the dialog"), 1;
    std::printf("dialog line shown; input now [%s]\n", Narrow(TextOf(input)).c_str());
    return TextOf(input).empty() ? 0 : 1;
}

// Closes every conversation, floating or docked, as their close boxes do.
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

}  // namespace e2e
