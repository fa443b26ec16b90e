// The window toolkit on real windows: subclassing, the error strip, window
// icons and placement.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "dialogs/error_box_win32.h"
#include "dialogs/placement_win32.h"
#include "dialogs/toolkit_win32.h"

namespace vellora {
namespace {

class ToolkitTest : public ::testing::Test {
protected:
    void SetUp() override {
        ToolkitStart(0);
        owner = CreateWindowExW(0, L"STATIC", L"owner", WS_OVERLAPPED | WS_CAPTION, 10, 10, 320, 180, nullptr,
                                nullptr, ProgramInstance(), nullptr);
        ASSERT_NE(owner, nullptr);
        NONCLIENTMETRICSW ncm{};
        ncm.cbSize = sizeof(ncm);
        SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(ncm), &ncm, 0);
        font = CreateFontIndirectW(&ncm.lfMessageFont);
        SendMessageW(owner, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    }
    void TearDown() override {
        DestroyWindow(owner);
        DeleteObject(font);
        ToolkitStop();
    }
    int OwnerHeight() {
        RECT r{};
        GetWindowRect(owner, &r);
        return r.bottom - r.top;
    }
    HWND owner = nullptr;
    HFONT font = nullptr;
};

int g_seen = 0;
LRESULT CALLBACK CountingProc(HWND w, UINT m, WPARAM wp, LPARAM lp) {
    if (m == WM_USER + 7) ++g_seen;
    return CallPrevious(w, m, wp, lp);
}

TEST_F(ToolkitTest, SubclassSeesMessagesAndGivesTheProcedureBack) {
    HWND edit = CreateWindowExW(0, L"EDIT", L"", WS_CHILD, 0, 0, 50, 20, owner, nullptr, ProgramInstance(), nullptr);
    const LONG_PTR original = GetWindowLongPtrW(edit, GWLP_WNDPROC);
    g_seen = 0;
    Subclass(edit, CountingProc);
    SendMessageW(edit, WM_USER + 7, 0, 0);
    // Messages it only observes still reach the control.
    SetWindowTextW(edit, L"abc");
    wchar_t text[8] = {};
    GetWindowTextW(edit, text, 8);
    EXPECT_STREQ(text, L"abc");
    EXPECT_EQ(g_seen, 1);
    Unsubclass(edit);
    EXPECT_EQ(GetWindowLongPtrW(edit, GWLP_WNDPROC), original);
    EXPECT_EQ(GetWindowLongPtrW(edit, GWLP_USERDATA), 0);
    SendMessageW(edit, WM_USER + 7, 0, 0);
    EXPECT_EQ(g_seen, 1);
}

TEST_F(ToolkitTest, ErrorStripGrowsAndShrinksItsOwner) {
    const int before = OwnerHeight();
    RECT client{};
    GetClientRect(owner, &client);
    auto box = CreateErrorBox(owner, 400);
    ASSERT_NE(box, nullptr);
    SetErrorBoxText(*box, L"Error: Timeout");
    ASSERT_NE(box->box, nullptr);
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
    huge += L"\r\n";
    for (int i = 0; i < 60; ++i) huge += L"more\r\n";
    SetErrorBoxText(*box, huge);
    EXPECT_EQ(box->height, 400);
    EXPECT_EQ(OwnerHeight(), before + 400);

    DestroyErrorBox(box, true);
    EXPECT_EQ(box, nullptr);
    EXPECT_EQ(OwnerHeight(), before);
}

TEST_F(ToolkitTest, EmptyTextMakesNoStrip) {
    auto box = CreateErrorBox(owner, 400);
    SetErrorBoxText(*box, L"");
    EXPECT_EQ(box->box, nullptr);
}

TEST_F(ToolkitTest, WindowIconsComeFromTheResources) {
    SetWindowIcons(owner, 1000);
    auto small = reinterpret_cast<HICON>(SendMessageW(owner, WM_GETICON, ICON_SMALL, 0));
    auto big = reinterpret_cast<HICON>(SendMessageW(owner, WM_GETICON, ICON_BIG, 0));
    EXPECT_NE(small, nullptr);
    EXPECT_NE(big, nullptr);
    EXPECT_NE(small, big);
    SetWindowIcons(owner, -1);
    EXPECT_EQ(SendMessageW(owner, WM_GETICON, ICON_SMALL, 0), 0);
    EXPECT_EQ(SendMessageW(owner, WM_GETICON, ICON_BIG, 0), 0);
}

TEST_F(ToolkitTest, WindowsBelowTheWorkAreaAreMovedUp) {
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

TEST_F(ToolkitTest, SecondStartIsRefused) { EXPECT_FALSE(ToolkitStart(0)); }

}  // namespace
}  // namespace vellora
