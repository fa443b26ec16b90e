// The menus, the lists dialog and the settings sheet against the simulator,
// worked like a user would (keys choose menu items, clicks and typing work
// the dialogs); the effects show in the windows, the settings file and the
// chat server's request log.
#include <gtest/gtest.h>
#include <windows.h>

#include <dlgs.h>
#include <prsht.h>

#include <regex>

#include "core/files.h"
#include "dialogs/dialog_window_win32.h"
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
    DialogWin& Win(const std::wstring& user) { return static_cast<DialogWin&>(*FindDialog(F().client.Dialogs, user)->window); }

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
    const std::wstring wave = appData.Root() + L"\\ding.wav";
    ASSERT_TRUE(WriteFileBytes(wave, std::string("RIFF\4\0\0\0WAVE", 12)));
    test::SoundCalls sounds;
    test::WriteSettingsFile(L"demo", "GrayOrHilightUsersIdleTime=20\r\nDialogToaster=1\r\nSoundPlay=1\r\nSingleWindow=1\r\n");
    EnterChat({"anna", "bob"});
    // Two lines of anna's come in one answer (nothing is read while nothing
    // pumps): her docked dialog, a toaster with her picture, one sound.
    Sleep(300);
    ASSERT_TRUE(sim.Say("anna", "demo: one") && sim.Say("anna", "demo: two"));
    ASSERT_TRUE(test::PumpUntil([&] { return FindDialog(F().client.Dialogs, L"anna") && !sounds.calls.empty(); }));
    auto middle = [](HWND control) {
        OwnedMemoryDc dc = CreateMemoryDc();
        Selection picture(dc, (HBITMAP)SendMessageW(control, STM_GETIMAGE, IMAGE_BITMAP, 0));
        return GetPixel(dc, 31, 38);
    };
    const COLORREF hers = middle(Win(L"anna").hPicStat());
    EXPECT_TRUE(hers != CLR_INVALID && middle(GetDlgItem(test::WaitForWindow(L"#32770"), 1010)) == hers);
    ASSERT_TRUE(test::AsUser([&] {
        OpenOptionsMenu();
        PressKeys(F().h.MainWindow, {'M'});  // "&More Options"
        HWND sheet = test::WaitForWindow(L"#32770", L"Settings");
        HWND page = PropSheet_GetCurrentPageHwnd(sheet), apply = GetDlgItem(sheet, 0x3021), events = nullptr;
        auto item = [&](int id) { return GetDlgItem(page, id); };
        auto sound = [&](int id) { return GetDlgItem(events, id); };
        EXPECT_EQ(IsDlgButtonChecked(page, IDC_GRAY_IDLE), BST_CHECKED);
        EXPECT_EQ(GetWindowTextString(item(IDC_IDLE_MINUTES)), L"20");
        EXPECT_FALSE(IsWindowEnabled(apply));
        SetWindowTextW(item(IDC_IDLE_MINUTES), L"70");
        Click(item(IDC_STATUS_BAR));
        EXPECT_TRUE(IsWindowEnabled(apply));
        Click(apply);
        EXPECT_TRUE(WaitUntil([&] { return !IsWindowVisible(F().h.hStatusBar) && !IsWindowEnabled(apply); }));
        // Stop is enabled while anna's sound plays; it follows stop, play and
        // a wave file chosen with the browse button.
        PostMessageW(sheet, PSM_SETCURSEL, 1, 0);
        WaitUntil([&] { return (events = PropSheet_GetCurrentPageHwnd(sheet)) != page; });
        EXPECT_TRUE(IsWindowEnabled(sound(IDC_SOUND_STOP)));
        Click(sound(IDC_SOUND_STOP));
        EXPECT_TRUE(WaitUntil([&] { return !IsWindowEnabled(sound(IDC_SOUND_STOP)); }));
        Click(sound(IDC_SOUND_TRY));
        EXPECT_TRUE(WaitUntil([&] { return IsWindowEnabled(sound(IDC_SOUND_STOP)); }));
        Click(sound(IDC_SOUND_BROWSE));
        HWND chooser = test::WaitForWindow(L"#32770", L"Choose sound file");
        SetDlgItemTextW(chooser, cmb13, wave.c_str());
        PostMessageW(chooser, WM_COMMAND, IDOK, 0);
        EXPECT_TRUE(WaitUntil([&] { return GetWindowTextString(sound(IDC_SOUND_FILE)) == wave; }));
        // New dialogs float, docked ones hide their input lines, tooltips tell of users only.
        PostMessageW(sheet, PSM_SETCURSEL, 0, 0);
        for (int id : {IDC_DOCK_DIALOGS, IDC_AUTO_HIDE_INPUT, IDC_TIPS_USERS}) Click(item(id));
        Click(apply);
        EXPECT_TRUE(WaitUntil([&] { return !IsWindowEnabled(apply); }));
        // Changed again, then cancelled: nothing of it stays.
        Click(item(IDC_STATUS_BAR));
        Click(item(IDC_GRAY_IGNORED));
        EXPECT_TRUE(WaitUntil([&] { return !IsWindowEnabled(item(IDC_IDLE_MINUTES)); }));
        Click(GetDlgItem(sheet, IDCANCEL));
        EXPECT_TRUE(WaitUntil([&] { return !IsWindow(sheet); }));
    }));
    EXPECT_TRUE(Saved("GrayOrHilightUsersIdleTime=60") && Saved("GrayOrHilightUsersMode=2") && Saved("StatusBar=0"));
    EXPECT_FALSE(IsWindowVisible(F().h.hStatusBar));
    std::vector<std::wstring> played;
    for (const auto& [name, flags] : sounds.calls) played.push_back(name);
    EXPECT_EQ(played, (Names{L"#1000", L"(stop)", L"#1000", wave}));
    EXPECT_EQ(test::ChildRect(Win(L"anna").hInput()).top, -38);
    EXPECT_EQ(test::TooltipAt(Win(L"anna").hRich(), {40, 40}, L"Dialog", 1500), L"");
    ASSERT_TRUE(sim.Say("bob", "demo: and me?"));
    ASSERT_TRUE(test::PumpUntil([&] { return FindDialog(F().client.Dialogs, L"bob") != nullptr; }));
    EXPECT_FALSE(FindDialog(F().client.Dialogs, L"bob")->IsDocked);
}

TEST_F(MenusTest, DialogsOpenTheMenuOfTheirUserShowTimesAndCloseByGroups) {
    test::WriteSettingsFile(L"demo", "DialogToaster=1\r\n");
    EnterChat({"anna", "bob", "carl", "dora", "erik"});
    std::vector<std::pair<std::wstring, HWND>> dialogs;  // carl's and dora's float
    for (std::string member : {"anna", "bob", "carl", "dora", "erik"}) {
        const std::wstring user(member.begin(), member.end());
        F().client.settings.SingleWindow = member != "carl" && member != "dora";
        ASSERT_TRUE(sim.Say(member, "demo: hi"));
        ASSERT_TRUE(test::PumpUntil([&] { return FindDialog(F().client.Dialogs, user) != nullptr; }));
        dialogs.emplace_back(user, Win(user).hwnd());
    }
    ASSERT_TRUE(sim.RemoveMember("carl"));
    ASSERT_TRUE(test::PumpUntil([&] { return F().client.roster.size() == 5; }));
    F().client.roster[FindRosterEntry(F().client.roster, L"bob")].LastActivity = 0;  // never heard of since
    auto open = [&] {
        std::wstring names;
        for (auto& [name, window] : dialogs) names += IsWindow(window) ? name + L" " : L"";
        return names;
    };
    const HWND main = F().h.MainWindow, anna = Win(L"anna").hRich();
    const std::wregex stamped(L"\\[\\d\\d:\\d\\d:\\d\\d\\] anna: hi");
    ASSERT_TRUE(test::AsUser([&] {
        OpenOptionsMenu();
        PressKeys(main, {VK_UP, VK_UP, VK_UP, VK_RETURN});  // "Show times"
        EXPECT_TRUE(WaitUntil([&] { return std::regex_search(test::PaneText(anna), stamped); }));
        // The user menu of anna's tab label and of carl's floating window acts on them.
        for (auto [window, key] : {std::pair{Win(L"anna").hLabel(), 'F'}, {dialogs[2].second, 'I'}}) {
            WaitUntil([] { return !test::WaitForWindow(L"#32768", L"", 0); });
            PostMessageW(window, WM_RBUTTONUP, 0, MAKELPARAM(4, 8));
            test::WaitForPopupMenu();
            PressKeys(main, {static_cast<UINT>(key)});  // "Add to &friends", "&Ignore"
        }
        // "Close all dialogs": users offline, users idle, undocked, all.
        for (auto [key, left] : {std::pair{'O', L"anna bob dora erik "}, {'I', L"anna dora erik "}, {'U', L"anna erik "},
                                 {'A', L""}}) {
            OpenOptionsMenu();
            PressKeys(main, {'C', static_cast<UINT>(key)});
            EXPECT_TRUE(WaitUntil([&] { return open() == left; })) << static_cast<char>(key) << open();
        }
    }));
    EXPECT_EQ(test::ChildRect(F().h.hChatPane).right, test::ChildRect(F().h.hStatusBar).right);
    EXPECT_TRUE(Saved("Friends=anna") && Saved("Banned=carl") && Saved("ShowTimes=1"));
    // The toaster was drawn again with the times.
    EXPECT_TRUE(std::regex_search(test::PaneText(GetDlgItem(test::WaitForWindow(L"#32770"), 1000)), stamped));
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
