// The program's windows against the chat service simulator: logging in
// through the form (by hand and automatically), the members and counts the
// server sends, a typed line going out, and a long run that must leave no
// window-system objects behind. The real timer drives the poll loop;
// messages are pumped until what is awaited shows.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <functional>
#include <memory>

#include "config/config_file.h"
#include "config/config_folder.h"
#include "config/config_test_support.h"
#include "config/login_form_win32.h"
#include "core/files.h"
#include "chat/login.h"
#include "support/recording_client.h"
#include "win32/gui_support.h"

namespace vellora {
namespace {

using Names = std::vector<std::wstring>;

class ChatSessionTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(sim.Running()) << sim.Error(); }

    // The main window object as the program brings it up, pointed at the
    // simulator.
    void Start() {
        main = std::make_unique<test::MainObject>(test::PointAt(sim), false);
        ASSERT_TRUE(main->loaded);
    }
    // Starts and logs in as demo, up to the first lines of the chat.
    void EnterChat() {
        Start();
        LogIn(L"demo", L"demo123");
        ASSERT_TRUE(InChat());
        ASSERT_TRUE(test::PumpUntil([&] { return F().client.ChatBatchSeen; }));
    }
    std::wstring Pane() { return test::PaneText(F().h.hChatPane); }
    // Waits until the chat pane shows Text.
    bool PaneShows(const std::wstring& text) {
        return test::PumpUntil([&] { return Pane().find(text) != std::wstring::npos; });
    }
    FrmMain& F() { return **main; }
    HWND Field(int id) { return F().Form4().Control(id); }

    void LogIn(const std::wstring& name, const std::wstring& password) { test::LogIn(F(), name, password); }
    bool InChat() { return !F().client.session.LoginPhase && IsWindowVisible(F().h.MainWindow); }

    Names RowNames() {
        Names names;
        LRESULT n = SendMessageW(F().h.hUserList, LB_GETCOUNT, 0, 0);
        for (LRESULT i = 0; i < n; ++i) names.push_back(GetListItem(F().h.hUserList, static_cast<int>(i))->first);
        return names;
    }
    std::wstring StatusBar() { return test::StatusBarText(F().h.hStatusBar, 0); }

    test::TempAppData appData;
    test::Simulator sim;
    std::unique_ptr<test::MainObject> main;
};

TEST_F(ChatSessionTest, AWrongPasswordShowsItsErrorThenTheRightOneEntersTheChat) {
    Start();
    LogIn(L"demo", L"wrong");
    HWND form = F().Form4().hwnd();
    ASSERT_NE(form, nullptr);
    ASSERT_NE(F().Form4().ErrorBoxWindow(), nullptr);
    EXPECT_EQ(GetWindowTextString(F().Form4().ErrorBoxWindow()), L"Error: Could not retrieve user id");
    EXPECT_TRUE(F().client.session.LoginPhase);
    EXPECT_FALSE(IsWindowVisible(F().h.MainWindow));
    EXPECT_TRUE(IsWindowEnabled(Field(kCommand3)));
    EXPECT_TRUE(IsWindowEnabled(Field(kText2)));

    LogIn(L"demo", L"demo123");
    EXPECT_TRUE(InChat());
    EXPECT_FALSE(IsWindow(form));
    EXPECT_EQ(F().client.session.ConfigName, L"demo");
    // Remember was not checked: the settings file keeps no password.
    std::string saved = test::ReadSettingsFile(L"demo");
    ASSERT_FALSE(saved.empty());
    EXPECT_EQ(saved.find(std::string("P\0a\0s\0s\0w\0o\0r\0d\0=\0", 18)), std::string::npos);
}

TEST_F(ChatSessionTest, MembersAndCountsFollowTheServer) {
    for (const char* name : {"anna", "carl", "ben"}) ASSERT_TRUE(sim.AddMember({.name = name}));
    ASSERT_TRUE(sim.SetCounts(3, 4));
    EnterChat();
    ASSERT_TRUE(test::PumpUntil([&] { return RowNames() == Names{L"anna", L"carl", L"ben", L"demo"}; }));
    EXPECT_EQ(SendMessageW(F().h.hUserList, LB_GETITEMHEIGHT, 0, 0), 36);
    ASSERT_TRUE(test::PumpUntil([&] { return StatusBar() == L" 3 chatter, 4 listener "; }));

    ASSERT_TRUE(sim.RemoveMember("carl"));
    ASSERT_TRUE(test::PumpUntil([&] { return RowNames() == Names{L"anna", L"ben", L"demo"}; }));
    // Leaving and coming back puts anna at the end, as the server lists her.
    ASSERT_TRUE(sim.RemoveMember("anna"));
    ASSERT_TRUE(sim.AddMember({.name = "anna"}));
    ASSERT_TRUE(test::PumpUntil([&] { return RowNames() == Names{L"ben", L"demo", L"anna"}; }));

    ASSERT_TRUE(sim.SetCounts(0, 2));
    ASSERT_TRUE(test::PumpUntil([&] { return StatusBar() == L" 2 listener "; }));
}

TEST_F(ChatSessionTest, EnterSendsTheTypedLineAndEmptiesTheInput) {
    EnterChat();
    ASSERT_TRUE(sim.ClearRequests());
    HWND input = F().h.hMainInput;
    SetFocus(input);
    SetWindowTextW(input, L"Gr\u00FC\u00DFe an alle");
    SendMessageW(input, WM_KEYDOWN, VK_RETURN, 0x001C0001);
    EXPECT_EQ(GetWindowTextString(input), L"");
    std::vector<test::RawRequest> posted = sim.Requests(1, "sendmessage");
    ASSERT_EQ(posted.size(), 1u);
    EXPECT_NE(posted[0].bytes.find("message=%47%72%FC%DF%65%20%61%6E%20%61%6C%6C%65"), std::string::npos);

    // It comes back with a later poll, once.
    ASSERT_TRUE(PaneShows(L"demo: Gr\u00FC\u00DFe an alle"));
    test::PumpFor(1500);
    const std::wstring pane = Pane();
    EXPECT_EQ(pane.find(L"Gr\u00FC\u00DFe an alle"), pane.rfind(L"Gr\u00FC\u00DFe an alle"));

    // While not in the chat the line stays for another try.
    F().client.session.Disconnected = true;
    SetWindowTextW(input, L"later");
    SendMessageW(input, WM_KEYDOWN, VK_RETURN, 0x001C0001);
    EXPECT_EQ(GetWindowTextString(input), L"later");
}

TEST_F(ChatSessionTest, ALostLoginIsReportedAndTheChatGoesOnAfterTheSeparator) {
    ASSERT_TRUE(sim.AddMember({.name = "anna"}));
    EnterChat();

    // The same account enters from elsewhere: this session is denied.
    test::RecordingClient other;
    other.client.endpoints = F().client.endpoints;
    other.client.session.UserName = other.client.session.LoginName = L"demo";
    other.client.session.Password = L"demo123";
    ASSERT_FALSE(TryLogin(other.client));

    ASSERT_TRUE(PaneShows(L"*** Login is no longer valid"));
    ASSERT_TRUE(test::PumpUntil([&] { return !F().client.session.Disconnected; }));
    ASSERT_TRUE(sim.Say("anna", "welcome back"));
    ASSERT_TRUE(PaneShows(L"anna: welcome back"));
    const std::wstring pane = Pane();
    // Notice, separator, then the lines of the new login, each once.
    const std::size_t notice = pane.find(L"*** Login is no longer valid");
    const std::size_t separator = pane.find(L"   Reconnected\r", notice);
    ASSERT_NE(separator, std::wstring::npos);
    EXPECT_EQ(pane.find(L"Reconnected"), separator + 3);
    EXPECT_EQ(pane.rfind(L"Reconnected"), separator + 3);
    EXPECT_LT(separator, pane.find(L"anna: welcome back"));
    EXPECT_EQ(pane.find(L"*** Login is no longer valid", notice + 1), std::wstring::npos);
}

// The window system's objects: GetGuiResources where the platform counts
// them (Wine does not), and always the handles the program's owners hold.
struct Objects {
    LiveHandles owned;
    DWORD gdi = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);  // 0: not counted
    DWORD user = GetGuiResources(GetCurrentProcess(), GR_USEROBJECTS);
};

// The system's own counts wobble a little (caches of the controls); ours do not.
void ExpectLevel(const Objects& now, const Objects& then, const char* when) {
    EXPECT_EQ(now.owned, then.owned) << when << ": GDI " << now.owned.gdi << ", USER " << now.owned.user;
    if (then.gdi) {
        EXPECT_LE(now.gdi, then.gdi + 8) << when;
    }
    if (then.user) {
        EXPECT_LE(now.user, then.user + 8) << when;
    }
}

// Members come and go with pictures (their own portraits and the club's
// default avatars) while lines arrive in bursts: once the churn has settled
// the objects stay level, and closing the window logs out and gives every
// one back.
TEST_F(ChatSessionTest, ChurnOfMembersPicturesAndLinesLeavesNothingBehind) {
    const Objects start{CountLiveHandles()};
    EnterChat();
    auto allPictured = [&] {
        return std::none_of(F().client.roster.begin(), F().client.roster.end(),
                            [](const RosterEntry& e) { return e.Picture == kNoPicture; });
    };
    const std::vector<std::string> pictures = {"portrait02.jpg", "F_25_35.jpg", "portrait05.jpg", "M_OVER45.jpg"};
    std::vector<Objects> settled;
    for (int round = 0; round < 5; ++round) {
        auto guest = [&](std::size_t i) { return "guest" + std::to_string(round) + "x" + std::to_string(i); };
        for (std::size_t i = 0; i < pictures.size(); ++i)
            ASSERT_TRUE(sim.AddMember({.name = guest(i), .picture = pictures[i]}));
        for (int line = 0; line < 30; ++line) ASSERT_TRUE(sim.Say(guest(0), "burst"));
        ASSERT_TRUE(test::PumpUntil([&] { return RowNames().size() == 5 && allPictured(); }, 30000)) << round;
        for (std::size_t i = 0; i < pictures.size(); ++i) ASSERT_TRUE(sim.RemoveMember(guest(i)));
        ASSERT_TRUE(test::PumpUntil([&] { return RowNames() == Names{L"demo"}; }, 30000)) << round;
        test::PumpFor(600);  // a tick with nothing new
        settled.push_back(Objects{CountLiveHandles()});
    }
    // The first round makes what is made once (the shared default avatars).
    for (std::size_t i = 2; i < settled.size(); ++i) ExpectLevel(settled[i], settled[1], "after a round");
    EXPECT_GT(settled.back().owned.gdi, start.owned.gdi);  // the counts do see the program

    ASSERT_TRUE(sim.ClearRequests());
    HWND window = F().h.MainWindow;
    SendMessageW(window, WM_CLOSE, 0, 0);
    ASSERT_TRUE(F().Unloaded());
    EXPECT_FALSE(IsWindow(window));
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof(wc);
    for (const wchar_t* name : {L"VelloraWindow", L"VelloraDialog", L"StaticTabControlRepos"})
        EXPECT_FALSE(GetClassInfoExW(ProgramInstance(), name, &wc)) << name;
    EXPECT_TRUE(test::PumpUntil([&] { return !sim.Requests(1, "logout").empty(); }, 3000));
    main.reset();
    ExpectLevel(Objects{CountLiveHandles()}, start, "after shutdown");
}

TEST_F(ChatSessionTest, OutOfTheChatClosingSendsNoLogout) {
    // (Closing from the chat logs out: see the test above.)
    Start();
    SendMessageW(Field(kCommand1), BM_CLICK, 0, 0);
    EXPECT_TRUE(F().Unloaded());
    test::PumpFor(500);
    EXPECT_TRUE(sim.Requests(10).empty());
}

TEST_F(ChatSessionTest, AccountsAreOfferedFromTheSettingsFiles) {
    const std::wstring folder = ConfigFolder();
    for (const wchar_t* file : {L"bob.vel", L"Alice.vel", L"carol.vel"}) ASSERT_TRUE(WriteFileBytes(folder + file, ""));
    Start();
    HWND combo = Field(kCombo1);
    Names items;
    for (LRESULT i = 0, n = SendMessageW(combo, CB_GETCOUNT, 0, 0); i < n; ++i) {
        wchar_t text[64] = {};
        SendMessageW(combo, CB_GETLBTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(text));
        items.push_back(text);
    }
    EXPECT_EQ(items, (Names{L"", L"Alice", L"bob", L"carol"}));
    EXPECT_EQ(SendMessageW(combo, CB_GETCURSEL, 0, 0), CB_ERR);  // several accounts: none picked
    EXPECT_EQ(GetWindowTextString(combo), L"");
}

// Writes an account's settings file the way a successful login does.
void SaveAccount(const std::wstring& name, const std::wstring& password, bool autoLogin) {
    Session session;
    session.ConfigName = name;
    session.SavedPassword = password;
    Settings settings;
    settings.AutoLogin = autoLogin;
    ASSERT_TRUE(SaveConfig(session, settings, RelationLists{}));
}

TEST_F(ChatSessionTest, OneAccountWithItsPasswordLogsInByItself) {
    SaveAccount(L"demo", L"demo123", true);
    Start();
    EXPECT_TRUE(InChat());
    EXPECT_FALSE(F().HasLoginForm() && F().Form4().hwnd());
    EXPECT_EQ(F().client.session.UserName, L"demo");
    // The password was remembered, so it is stored again.
    EXPECT_NE(test::ReadSettingsFile(L"demo").find(std::string("P\0a\0s\0s\0w\0o\0r\0d\0=\0", 18)), std::string::npos);
}

TEST_F(ChatSessionTest, OneAccountWithoutPasswordIsPickedAndWaitsForIt) {
    SaveAccount(L"demo", L"", false);
    Start();
    EXPECT_FALSE(InChat());
    EXPECT_EQ(SendMessageW(Field(kCombo1), CB_GETCURSEL, 0, 0), 1);
    EXPECT_EQ(GetWindowTextString(Field(kCombo1)), L"demo");
    EXPECT_EQ(GetWindowTextString(Field(kText2)), L"");
    EXPECT_TRUE(test::FocusArrivesAt(F().Form4().hwnd(), Field(kText2)));
}

TEST_F(ChatSessionTest, AFailedAutomaticLoginIsQuietButTheNextTryByHandShowsItsError) {
    SaveAccount(L"demo", L"stale", true);
    Start();
    EXPECT_FALSE(InChat());
    ASSERT_NE(F().Form4().hwnd(), nullptr);
    EXPECT_EQ(F().Form4().ErrorBoxWindow(), nullptr);
    EXPECT_TRUE(IsWindowEnabled(Field(kCommand3)));
    EXPECT_EQ(GetWindowTextString(Field(kText2)), L"stale");

    SendMessageW(Field(kCommand3), BM_CLICK, 0, 0);
    ASSERT_NE(F().Form4().ErrorBoxWindow(), nullptr);
    EXPECT_EQ(GetWindowTextString(F().Form4().ErrorBoxWindow()), L"Error: Could not retrieve user id");
}

// Dispatches everything but timer messages: no poll tick runs meanwhile.
bool PumpWithoutTicksUntil(const std::function<bool()>& done, DWORD ms = 10000) {
    const DWORD start = GetTickCount();
    while (!done() && GetTickCount() - start < ms) {
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, WM_TIMER - 1, PM_REMOVE) ||
               PeekMessageW(&msg, nullptr, WM_TIMER + 1, 0xFFFFFFFF, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    }
    return done();
}

TEST_F(ChatSessionTest, AnAnswerIsHandledWhenItArrivesAndRequestsGoOutOnlyWithTheTick) {
    ASSERT_TRUE(sim.AddMember({.name = "anna"}));
    Start();
    LogIn(L"demo", L"demo123");
    ASSERT_TRUE(InChat());
    ASSERT_TRUE(test::PumpUntil([&] { return F().client.ChatBatchSeen; }));
    const SocketHandle& outstanding = F().client.session.Chat.socket;
    // Without ticks, the answer on the wire is read all the same, and no new
    // request follows it.
    ASSERT_TRUE(PumpWithoutTicksUntil([&] { return outstanding == 0; }));
    ASSERT_TRUE(sim.ClearRequests());
    ASSERT_TRUE(sim.Say("anna", "quick"));
    PumpWithoutTicksUntil([] { return false; }, 300);
    EXPECT_TRUE(sim.Requests(10, "getdata").empty());
    // One tick sends the next request; its answer brings the line.
    for (int tick = 0; tick < 3 && outstanding == 0; ++tick) F().Timer1_Timer();
    ASSERT_TRUE(PumpWithoutTicksUntil([&] {
        return test::PaneText(F().h.hChatPane).find(L"anna: quick") != std::wstring::npos;
    }));
    EXPECT_EQ(outstanding, 0u);
    EXPECT_EQ(sim.Requests(10, "getdata").size(), 1u);
}

}  // namespace
}  // namespace vellora
