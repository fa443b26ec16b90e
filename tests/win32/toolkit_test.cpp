// The window toolkit on real windows: window objects and subclasses, the
// error strip and placement.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "dialogs/error_box_win32.h"
#include "dialogs/placement_win32.h"
#include "dialogs/toolkit_win32.h"
#include "dialogs/window_object_win32.h"

namespace vellora {
namespace {

class ToolkitTest : public ::testing::Test {
protected:
    void SetUp() override {
        toolkit.Start();
        owner.reset(CreateWindowExW(0, L"STATIC", L"owner", WS_OVERLAPPED | WS_CAPTION, 10, 10, 320, 180, nullptr,
                                    nullptr, ProgramInstance(), nullptr));
        ASSERT_NE(owner.get(), nullptr);
        SendMessageW(owner, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), FALSE);
    }
    int OwnerHeight() {
        RECT r{};
        GetWindowRect(owner, &r);
        return r.bottom - r.top;
    }
    ToolkitSession toolkit;
    OwnedWindow owner;
};

// A window object that records what reaches it.
struct Probe {
    LRESULT OnMessage(HWND w, UINT m, WPARAM wp, LPARAM lp) {
        seen.push_back(m);
        return DefWindowProcW(w, m, wp, lp);
    }
    LRESULT OnEditMessage(HWND w, UINT m, WPARAM wp, LPARAM lp) {
        if (m == WM_USER + 7) seen.push_back(m);
        return DefSubclassProc(w, m, wp, lp);
    }
    std::vector<UINT> seen;
};

TEST_F(ToolkitTest, AWindowObjectIsReachedFromCreationToDestructionOnly) {
    WindowClass probeClass(L"VelloraProbe", kProgramClassStyle, WindowProcOf<&Probe::OnMessage>, nullptr);
    ASSERT_TRUE(probeClass.Registered());
    Probe probe;
    HWND w =
        CreateWindowExW(0, L"VelloraProbe", L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, ProgramInstance(), &probe);
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(probe.seen.front(), static_cast<UINT>(WM_NCCREATE));
    DestroyWindow(w);
    EXPECT_EQ(probe.seen.back(), static_cast<UINT>(WM_NCDESTROY));  // and nothing after it

    // A subclass sees the control's messages, passes them on, and is gone
    // with its owner: the control has its own procedure back.
    OwnedWindow edit(
        CreateWindowExW(0, L"EDIT", L"", WS_CHILD, 0, 0, 50, 20, owner, nullptr, ProgramInstance(), nullptr));
    probe.seen.clear();
    {
        Subclass subclass = Subclass::Install<&Probe::OnEditMessage>(edit, probe);
        ASSERT_TRUE(subclass.Installed());
        SendMessageW(edit, WM_USER + 7, 0, 0);
        SetWindowTextW(edit, L"abc");
        EXPECT_EQ(GetWindowTextString(edit), L"abc");
    }
    SendMessageW(edit, WM_USER + 7, 0, 0);
    EXPECT_EQ(probe.seen.size(), 1u);
}

TEST_F(ToolkitTest, ErrorStripGrowsAndShrinksItsOwner) {
    const int before = OwnerHeight();
    RECT client{};
    GetClientRect(owner, &client);
    auto box = CreateErrorBox(owner, 400);
    ASSERT_NE(box, nullptr);
    SetErrorBoxText(*box, L"");
    EXPECT_EQ(box->box.get(), nullptr);  // no text, no strip
    SetErrorBoxText(*box, L"Error: Timeout");
    ASSERT_NE(box->box.get(), nullptr);
    EXPECT_GT(box->height, 0);
    EXPECT_EQ(OwnerHeight(), before + box->height);
    EXPECT_EQ(GetWindowTextString(box->box), L"Error: Timeout");
    RECT r{};
    GetWindowRect(box->box, &r);
    MapWindowPoints(nullptr, owner, reinterpret_cast<POINT*>(&r), 2);
    EXPECT_EQ(r.top, client.bottom);  // below the old client area, full width
    EXPECT_EQ(r.right - r.left, client.right);

    // A longer text wraps onto more lines; the strip and the owner follow.
    const int oneLine = box->height;
    SetErrorBoxText(*box, L"Error: " + std::wstring(40, L'x') + L" " + std::wstring(40, L'y') + L" " +
                              std::wstring(40, L'z'));
    EXPECT_GT(box->height, oneLine);
    EXPECT_EQ(OwnerHeight(), before + box->height);

    // A text that needs more than the maximum gets the maximum.
    std::wstring huge;
    for (int i = 0; i < 200; ++i) huge += L"line ";
    for (int i = 0; i < 60; ++i) huge += L"\r\nmore";
    SetErrorBoxText(*box, huge);
    EXPECT_EQ(box->height, 400);
    EXPECT_EQ(OwnerHeight(), before + 400);

    DestroyErrorBox(box, true);
    EXPECT_EQ(box, nullptr);
    EXPECT_EQ(OwnerHeight(), before);
}

TEST_F(ToolkitTest, WindowsBelowTheWorkAreaAreMovedUp) {
    EXPECT_FALSE(ToolkitStart(0));  // already started
    ScreenRect area = GetWorkAreaAt(100, 100);
    ASSERT_GT(area.bottom, 300);
    SetWindowPos(owner, nullptr, 50, area.bottom - 60, 320, 180, SWP_NOZORDER | SWP_NOACTIVATE);
    FitWindowOnScreen(owner);
    RECT r{};
    GetWindowRect(owner, &r);
    EXPECT_EQ(r.bottom, area.bottom);
    EXPECT_EQ(r.left, 50);
    EXPECT_EQ(r.bottom - r.top, 180);
}

}  // namespace
}  // namespace vellora
