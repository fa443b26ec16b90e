// The menus, the lists dialog and the settings sheet against the simulator,
// worked like a user would (keys choose menu items, clicks and typing work
// the dialogs); the effects show in the windows, the settings file and the
// chat server's request log.
#include <gtest/gtest.h>
#include <windows.h>

#include <prsht.h>

#include <regex>

#include "dialogs/user_rows_win32.h"
#include "resources/resource_ids.h"
#include "win32/gui_support.h"

namespace vellora {
namespace {

using Names = std::vector<std::wstring>;
using test::Click;
using test::PressKeys;
using test::WaitUntil;

class MenusTest : public ::testing::Test {
protected:
    // Logs in with Members present and waits until their rows show.
    void EnterChat(const std::vector<std::string>& members, const std::wstring& account = L"demo",
                   const std::wstring& password = L"demo123") {
        ASSERT_TRUE(sim.Running()) << sim.Error();
        for (const std::string& name : members) ASSERT_TRUE(sim.AddMember({.name = name}));
        main = std::make_unique<test::MainObject>(test::PointAt(sim), false);
        test::LogIn(F(), account, password);
        ASSERT_TRUE(test::PumpUntil([&] { return F().client.roster.size() == members.size() + 1; }));
    }
    FrmMain& F() { return **main; }
    // A line of the settings file, as text.
    bool Saved(const std::string& line, const std::wstring& account = L"demo") {
        std::string text;
        for (char c : test::ReadSettingsFile(account)) text += c ? std::string(1, c) : "";
        return text.find(line + "\r\n") != std::string::npos;
    }
    void SelectRow(const std::wstring& name) {
        SendMessageW(F().h.hUserList, LB_SETCURSEL, FindRosterEntry(F().client.roster, name), 0);
    }
    // For the user, once the menu chosen from before is gone: the options
    // button, or the context-menu key on the user list.
    HMENU OpenMenu(HWND options) {
        WaitUntil([] { return !test::WaitForWindow(L"#32768", L"", 0); });
        options ? Click(options) : PressKeys(F().h.hUserList, {VK_APPS});
        return test::WaitForPopupMenu();
    }
    HMENU OpenOptionsMenu() { return OpenMenu(F().h.hOptionsButton); }
    HMENU OpenUserMenu() { return OpenMenu(nullptr); }
    bool Has(HMENU menu, int id, UINT state) { return (GetMenuState(menu, id, MF_BYCOMMAND) & state) != 0; }

    test::TempAppData appData;
    test::Simulator sim;
    std::unique_ptr<test::MainObject> main;
};

TEST_F(MenusTest, OptionsMenuShowsTimesTogglesTheIdleToasterAndEditsTheFriends) {
    test::WriteSettingsFile(L"demo", "Friends=bob,carl\r\nGrayOrHilightUsersMode=3\r\n");
    EnterChat({"bob", "carl", "dora", "erik"});
    ASSERT_TRUE(sim.Say("bob", "hello"));
    ASSERT_TRUE(test::PumpUntil([&] { return test::PaneText(F().h.hChatPane).find(L"hello") != std::wstring::npos; }));
    SelectRow(L"bob");
    ASSERT_TRUE(test::AsUser([&] {
        EXPECT_FALSE(Has(OpenOptionsMenu(), IDM_SHOW_TIMES, MF_CHECKED));
        PressKeys(F().h.MainWindow, {VK_UP, VK_UP, VK_UP, VK_RETURN});  // "Show times", third from the bottom
        OpenOptionsMenu();
        PressKeys(F().h.MainWindow, {'D'});  // "I&dle toaster"
        HMENU menu = OpenOptionsMenu();
        EXPECT_TRUE(Has(menu, IDM_SHOW_TIMES, MF_CHECKED) && Has(menu, IDM_IDLE_TOASTER, MF_CHECKED));
        PressKeys(F().h.MainWindow, {VK_ESCAPE});
        EXPECT_EQ(GetMenuItemCount(OpenUserMenu()), 6) << "a member's user menu has no staff section";
        PressKeys(F().h.MainWindow, {VK_ESCAPE});
        OpenOptionsMenu();
        PressKeys(F().h.MainWindow, {'F'});
        HWND form = test::WaitForWindow(L"#32770", L"Friendslist");
        HWND list = GetDlgItem(form, IDC_LISTS_LIST);
        EXPECT_EQ(test::ListRows(list), (Names{L"bob", L"carl"}));
        Click(GetDlgItem(form, IDC_LISTS_COMMAND1));
        HWND box = test::WaitForWindow(L"#32770", L"Vellora");
        // A comma would split the stored list: refused, and the box stays open.
        SetDlgItemTextW(box, IDC_ASK_ANSWER, L"dora,eve");
        Click(GetDlgItem(box, IDOK));
        EXPECT_TRUE(
            WaitUntil([&] { return GetWindowTextString(GetDlgItem(box, IDC_ASK_PROMPT)) == L"Invalid username"; }));
        SetDlgItemTextW(box, IDC_ASK_ANSWER, L"  dora ");
        Click(GetDlgItem(box, IDOK));
        EXPECT_TRUE(WaitUntil([&] { return test::ListRows(list) == Names{L"bob", L"carl", L"dora"}; }));
        Click(GetDlgItem(form, IDC_LISTS_COMMAND3));
        EXPECT_TRUE(WaitUntil([&] { return !IsWindow(form); }));
    }));
    EXPECT_TRUE(
        std::regex_search(test::PaneText(F().h.hChatPane), std::wregex(L"\\[\\d\\d:\\d\\d:\\d\\d\\] bob: hello")));
    EXPECT_TRUE(Saved("ShowTimes=1") && Saved("IdleToaster=1") && Saved("Friends=bob,carl,dora"));
    // Only friends are drawn normally, from the moment they are friends.
    EXPECT_TRUE(GetListItem(F().h.hUserList, 2)->normal && !GetListItem(F().h.hUserList, 3)->normal) << "dora, erik";
}

TEST_F(MenusTest, SettingsSheetShowsTheStoredValuesAppliesClampsAndCancels) {
    test::WriteSettingsFile(L"demo", "GrayOrHilightUsersIdleTime=20\r\n");
    EnterChat({});
    ASSERT_TRUE(test::AsUser([&] {
        OpenOptionsMenu();
        PressKeys(F().h.MainWindow, {'M'});  // "&More Options"
        HWND sheet = test::WaitForWindow(L"#32770", L"Settings");
        HWND page = PropSheet_GetCurrentPageHwnd(sheet), apply = GetDlgItem(sheet, 0x3021);
        auto item = [&](int id) { return GetDlgItem(page, id); };
        EXPECT_EQ(IsDlgButtonChecked(page, IDC_GRAY_IDLE), BST_CHECKED);
        EXPECT_EQ(GetWindowTextString(item(IDC_IDLE_MINUTES)), L"20");
        EXPECT_FALSE(IsWindowEnabled(apply));
        SetWindowTextW(item(IDC_IDLE_MINUTES), L"70");
        Click(item(IDC_STATUS_BAR));
        EXPECT_TRUE(IsWindowEnabled(apply));
        Click(apply);
        EXPECT_TRUE(WaitUntil([&] { return !IsWindowVisible(F().h.hStatusBar) && !IsWindowEnabled(apply); }));
        // Changed again, then cancelled: nothing of it stays.
        Click(item(IDC_STATUS_BAR));
        Click(item(IDC_GRAY_IGNORED));
        EXPECT_TRUE(WaitUntil([&] { return !IsWindowEnabled(item(IDC_IDLE_MINUTES)); }));
        Click(GetDlgItem(sheet, IDCANCEL));
        EXPECT_TRUE(WaitUntil([&] { return !IsWindow(sheet); }));
    }));
    EXPECT_TRUE(Saved("GrayOrHilightUsersIdleTime=60") && Saved("GrayOrHilightUsersMode=2") && Saved("StatusBar=0"));
    EXPECT_FALSE(IsWindowVisible(F().h.hStatusBar));
}

TEST_F(MenusTest, UserMenuAddsAFriendAndStaffGetTheSelfMenuAndKickByName) {
    EnterChat({"bob"}, L"teamlead", L"team123");
    ASSERT_TRUE(test::PumpUntil([&] { return F().client.session.UserName == L"club-team: teamlead"; }));
    SelectRow(L"club-team: teamlead");
    ASSERT_TRUE(test::AsUser([&] {
        HMENU self = OpenUserMenu();
        wchar_t text[64] = {};
        GetMenuStringW(self, IDM_KICK, text, 64, MF_BYCOMMAND);
        EXPECT_STREQ(text, L"&Kick yourself");
        PressKeys(F().h.MainWindow, {VK_ESCAPE});
    }));
    SelectRow(L"bob");
    ASSERT_TRUE(sim.ClearRequests());
    ASSERT_TRUE(test::AsUser([&] {
        OpenUserMenu();
        PressKeys(F().h.MainWindow, {VK_DOWN, VK_DOWN, VK_DOWN, VK_RETURN});  // "Add to &friends"
        EXPECT_TRUE(Has(OpenUserMenu(), IDM_ADD_FRIEND, MF_GRAYED));
        PressKeys(F().h.MainWindow, {'K'});  // "&Kick"
    }));
    EXPECT_TRUE(Saved("Friends=bob", L"teamlead"));
    const std::vector<test::RawRequest> posted = sim.Requests(1, "sendmessage");
    ASSERT_EQ(posted.size(), 1u);
    // "/kick bob", each character percent-coded as the client posts every line.
    EXPECT_TRUE(posted[0].bytes.ends_with("\r\n\r\nmessage=%2F%6B%69%63%6B%20%62%6F%62")) << posted[0].bytes;
}

}  // namespace
}  // namespace vellora
