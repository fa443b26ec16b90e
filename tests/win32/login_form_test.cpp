// The login form on its own: size, tab order, the rules of its fields and
// closing it during the login phase. (Its error strip: chat_session_test.cpp
// shows the errors, toolkit_test.cpp how the strip sizes itself.)
#include <gtest/gtest.h>
#include <windows.h>

#include "config/login_form_win32.h"
#include "win32/gui_support.h"

namespace vellora {
namespace {

class LoginFormTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(main.loaded);
        form = &main->Form4();
        ASSERT_NE(form->hwnd(), nullptr);
        test::PumpFor(50);
    }
    HWND C(int id) { return form->Control(id); }
    std::wstring Text(int id) { return GetWindowTextString(C(id)); }
    bool Checked() { return SendMessageW(C(kCheck2), BM_GETCHECK, 0, 0) == BST_CHECKED; }
    // Types one character into a field as the user would.
    void Type(int id, wchar_t c) {
        HWND target = C(id);
        if (id == kCombo1) target = FindWindowExW(target, nullptr, L"Edit", nullptr);
        SendMessageW(target, WM_CHAR, c, 1);
    }

    test::MainObject main;
    LoginForm* form = nullptr;
};

TEST_F(LoginFormTest, FormHasItsSizeTitleAndTabOrder) {
    EXPECT_TRUE(IsWindowVisible(form->hwnd()));
    RECT r{};
    GetClientRect(form->hwnd(), &r);
    EXPECT_EQ(r.right, 312);
    EXPECT_EQ(r.bottom, 141);
    EXPECT_EQ(GetWindowTextString(form->hwnd()), L"Vellora " + VersionValue(L"ProductVersion"));

    // Tab goes name, password, login, cancel, remember, and round again.
    HWND order[] = {C(kCombo1), C(kText2), C(kCommand3), C(kCommand1), C(kCheck2), C(kCombo1)};
    for (int i = 0; i + 1 < 6; ++i) EXPECT_EQ(GetNextDlgTabItem(form->hwnd(), order[i], FALSE), order[i + 1]) << i;
    EXPECT_EQ(SendMessageW(C(kText2), EM_GETPASSWORDCHAR, 0, 0), L'*');
    EXPECT_EQ(LOWORD(SendMessageW(form->hwnd(), DM_GETDEFID, 0, 0)), kCommand3);
    // With no account files the list is empty and the name field has the focus.
    EXPECT_EQ(SendMessageW(C(kCombo1), CB_GETCOUNT, 0, 0), 0);
    EXPECT_TRUE(test::FocusArrivesAt(form->hwnd(), C(kCombo1)));
}

TEST_F(LoginFormTest, EditingTheNameClearsThePasswordAndTheRememberBox) {
    SendMessageW(C(kCheck2), BM_SETCHECK, BST_CHECKED, 0);
    SetWindowTextW(C(kText2), L"secret");
    EXPECT_FALSE(Checked());  // a changed password is not remembered unasked
    SendMessageW(C(kCheck2), BM_SETCHECK, BST_CHECKED, 0);
    main->client.settings.AutoLogin = true;
    Type(kCombo1, L'b');
    EXPECT_EQ(Text(kCombo1), L"b");
    EXPECT_EQ(Text(kText2), L"");
    EXPECT_FALSE(Checked());
    EXPECT_FALSE(main->client.settings.AutoLogin);

    SendMessageW(C(kCheck2), BM_SETCHECK, BST_CHECKED, 0);
    Type(kText2, L'x');
    EXPECT_EQ(Text(kText2), L"x");
    EXPECT_FALSE(Checked());
    EXPECT_EQ(Text(kCombo1), L"b");
}

TEST_F(LoginFormTest, LoginWithAnEmptyFieldFocusesIt) {
    ASSERT_TRUE(test::FocusArrivesAt(form->hwnd(), C(kCombo1)));
    SendMessageW(C(kCommand3), BM_CLICK, 0, 0);
    EXPECT_TRUE(test::FocusArrivesAt(form->hwnd(), C(kCombo1)));
    EXPECT_TRUE(IsWindow(form->hwnd()));

    Type(kCombo1, L'b');
    SendMessageW(C(kCommand3), BM_CLICK, 0, 0);
    EXPECT_TRUE(test::FocusArrivesAt(form->hwnd(), C(kText2)));
    EXPECT_EQ(main->client.session.UserName, L"b");
    EXPECT_EQ(main->client.session.LoginName, L"b");
    EXPECT_TRUE(IsWindowEnabled(C(kCommand3)));
}

// Cancel, the close box and Escape during the login phase end the program.
class LoginFormCancelTest : public LoginFormTest, public ::testing::WithParamInterface<int> {};

TEST_P(LoginFormCancelTest, EndsTheProgram) {
    HWND formWindow = form->hwnd();
    if (GetParam() == 0) PostMessageW(C(kCommand1), BM_CLICK, 0, 0);
    if (GetParam() == 1) PostMessageW(formWindow, WM_CLOSE, 0, 0);
    if (GetParam() == 2) PostMessageW(C(kText2), WM_KEYDOWN, VK_ESCAPE, 0x00010001);
    EXPECT_TRUE(test::PumpUntil([&] { return main->Unloaded(); }, 3000));
    EXPECT_FALSE(IsWindow(formWindow));
    EXPECT_FALSE(main->client.session.LoginPhase);
}
INSTANTIATE_TEST_SUITE_P(CancelButtonCloseBoxEscape, LoginFormCancelTest, ::testing::Values(0, 1, 2));

}  // namespace
}  // namespace vellora
