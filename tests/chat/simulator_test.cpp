// The protocol against the chat service simulator over loopback: whole
// logins with the bytes the simulator received, the poll loop through
// re-logins, the user list's life, sending, and every answer framing and
// fault the simulator can produce. The client's clock is fake and moved
// 500 ms per tick; the simulator runs on real time.

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "chat/login.h"
#include "chat/poll_tick.h"
#include "chat/requests.h"
#include "chat/send.h"
#include "chat/song_post.h"
#include "core/client_events.h"
#include "net/http_client.h"
#include "net/socket.h"
#include "song/song_tick.h"
#include "support/fake_clock.h"
#include "support/recording_client.h"
#include "support/scripted_peer.h"
#include "support/simulator.h"

namespace vellora {
namespace {

using test::Simulator;
using Names = std::vector<std::wstring>;

class SimulatorTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { ASSERT_TRUE(SocketStartup()); }

    void SetUp() override {
        ASSERT_TRUE(sim_.Running()) << sim_.Error();
        vellora::Endpoints& e = client().endpoints;
        e.ClubAddress = Simulator::Address();
        e.ChatAddress = Simulator::Address();
        e.Port = sim_.Port();
        Account(L"demo", L"demo123");
        client().session.WindowsCreated = true;
        client().FriendsAtEntryDone = true;
    }
    void TearDown() override {
        CloseConn(client().session.Chat);
        CloseConn(client().session.Media);
    }

    Client& client() { return rc_.client; }
    void Account(const std::wstring& name, const std::wstring& password) {
        client().session.UserName = name;
        client().session.LoginName = name;
        client().session.Password = password;
        client().session.OwnUserId.clear();
    }
    // Enters the chat as the login form does; true on success.
    bool Login() { return !TryLogin(client()); }

    // One timer tick: 500 ms pass on the client's clock, with a short real
    // pause so the simulator gets its turn.
    void TimerTick() {
        clock_.Advance(kPollIntervalMs);
        SystemSleep(3);
        Timer1_Timer(client());
    }
    // Ticks until Done holds (checked after every tick); false if it never does.
    bool TickUntil(const std::function<bool()>& done, int maxTicks = 800) {
        for (int i = 0; i < maxTicks; ++i) {
            TimerTick();
            if (done()) return true;
        }
        return false;
    }
    bool Shows(const std::wstring& text) const {
        return std::any_of(rc_.view.lines.begin(), rc_.view.lines.end(),
                           [&](const test::ShownLine& l) { return l.msg == text; });
    }
    bool WaitForLine(const std::wstring& text) {
        return TickUntil([&] { return Shows(text); });
    }
    std::vector<std::string> EndpointsOf(const std::vector<test::RawRequest>& requests) const {
        std::vector<std::string> out;
        for (const test::RawRequest& r : requests) out.push_back(r.endpoint);
        return out;
    }

    test::FakeClock clock_{1000, 40};
    Simulator sim_;
    test::RecordingClient rc_;
};

TEST_F(SimulatorTest, ALoginSendsFourRequestsByteForByte) {
    ASSERT_TRUE(Login()) << (rc_.status.loginErrors.empty() ? "" : "login error");
    EXPECT_EQ(rc_.window.mainShown, 1);
    EXPECT_FALSE(client().session.LoginPhase);
    EXPECT_FALSE(client().session.Disconnected);
    EXPECT_EQ(client().session.OwnUserId, L"501001");
    EXPECT_EQ(client().LastChatLineTick, TickNow());
    EXPECT_EQ(client().LastAlertTick, TickNow());

    std::vector<test::RawRequest> got = sim_.Requests(4);
    ASSERT_EQ(EndpointsOf(got), (std::vector<std::string>{"login", "home", "enter", "participate"}));
    const vellora::Endpoints& e = client().endpoints;
    std::string php = std::string(client().session.PhpSessionId.begin(), client().session.PhpSessionId.end());
    std::string java = std::string(client().session.JSessionId.begin(), client().session.JSessionId.end());
    EXPECT_FALSE(php.empty());
    EXPECT_FALSE(java.empty());
    EXPECT_EQ(got[0].bytes, LoginFormRequest(e, "demo", "demo123"));
    EXPECT_EQ(got[1].bytes, UserIdPageRequest(e, php));
    EXPECT_EQ(got[2].bytes, ChatEnterRequest(e, "501001", php));
    EXPECT_EQ(got[3].bytes, ParticipateRequest(e, java));
}

TEST_F(SimulatorTest, EachLoginFailureReportsItsText) {
    auto failure = [&](const std::wstring& name, const std::wstring& password) {
        Account(name, password);
        rc_.status.loginErrors.clear();
        EXPECT_TRUE(TryLogin(client()));
        EXPECT_TRUE(client().session.LoginPhase);
        EXPECT_TRUE(client().session.Disconnected);
        return rc_.status.loginErrors.empty() ? std::wstring(L"(nothing)") : rc_.status.loginErrors.back();
    };
    // A wrong password leaves the web session logged out: no id on the page.
    EXPECT_EQ(failure(L"demo", L"wrong"), L"Could not retrieve user id");
    EXPECT_EQ(failure(L"refused", L"refused123"), L"Login failed. ('Ein Login in den Chat ist nicht m\u00F6glich')");

    ASSERT_TRUE(sim_.SetFault("enter", "reset", {{"count", "1"}}));
    EXPECT_EQ(failure(L"demo", L"demo123"), L"Timeout");
    ASSERT_TRUE(sim_.SetFault("participate", "garbage", {{"count", "1"}}));
    EXPECT_FALSE(TryLogin(client())) << "a participation that fails counts as no denial";

    client().session.LoginPhase = true;
    client().endpoints.Port = test::ScriptedPeer::UnusedPort();
    EXPECT_EQ(failure(L"demo", L"demo123"), L"Could not connect to server");
    EXPECT_EQ(rc_.window.mainShown, 1);
}

TEST_F(SimulatorTest, AReloginKeepsTheUserIdAndSendsThreeRequests) {
    ASSERT_TRUE(Login());
    ASSERT_TRUE(sim_.ClearRequests());
    client().session.Disconnected = true;
    LoginSequence(client());
    EXPECT_FALSE(client().session.Disconnected);
    EXPECT_EQ(EndpointsOf(sim_.Requests(10)), (std::vector<std::string>{"login", "enter", "participate"}));
    EXPECT_EQ(rc_.window.mainShown, 1) << "only the login form's login shows the window";
}

TEST_F(SimulatorTest, AfterAKickTheNextLoginWaitsFiveSeconds) {
    // What the chat renderer does when it sees the own kick.
    rc_.view.onLine = [&](const test::ShownLine& line) {
        if (line.msg.find(L"demo wurde aus dem Chat geworfen") != std::wstring::npos) {
            client().session.KickTick = TickNow();
            client().session.Disconnected = true;
            SetMustSpace(client(), true);
        }
    };
    ASSERT_TRUE(Login());
    ASSERT_TRUE(TickUntil([&] { return client().ChatBatchSeen; }));
    ASSERT_TRUE(sim_.Kick("demo"));
    ASSERT_TRUE(TickUntil([&] { return client().session.KickTick != kNoTick; }));
    vellora::Tick kicked = client().session.KickTick;
    ASSERT_TRUE(sim_.ClearRequests());

    while (TickSince(kicked) + kPollIntervalMs <= kKickDelayMs) {
        TimerTick();
        EXPECT_TRUE(client().session.Disconnected);
    }
    for (const test::RawRequest& r : sim_.Requests(50)) EXPECT_NE(r.endpoint, "login");
    ASSERT_TRUE(TickUntil([&] { return !client().session.Disconnected; }, 4));
    EXPECT_EQ(client().session.KickTick, kNoTick);

    // The first batch after the new login starts with the separator.
    ASSERT_TRUE(TickUntil([&] { return !client().MustSpace; }));
    auto at = std::find_if(rc_.view.lines.begin(), rc_.view.lines.end(),
                           [](const test::ShownLine& l) { return l.msg == L"   Reconnected"; });
    ASSERT_NE(at, rc_.view.lines.end());
    EXPECT_EQ((at - 1)->msg, L"");
    EXPECT_EQ((at + 1)->msg, L"");
}

TEST_F(SimulatorTest, ALostLoginIsReportedAndTheNextBatchFollowsTheSeparator) {
    ASSERT_TRUE(Login());
    ASSERT_TRUE(TickUntil([&] { return client().ChatBatchSeen; }));

    // The same account enters from elsewhere: this session is gone.
    test::RecordingClient other;
    other.client.endpoints = client().endpoints;
    other.client.session.UserName = other.client.session.LoginName = L"demo";
    other.client.session.Password = L"demo123";
    ASSERT_FALSE(TryLogin(other.client));

    ASSERT_TRUE(TickUntil([&] { return !rc_.StatusLines().empty(); }));
    EXPECT_EQ(rc_.StatusLines(), (Names{L"Login is no longer valid"}));
    EXPECT_TRUE(client().MustSpace);
    std::size_t before = rc_.view.lines.size();

    ASSERT_TRUE(TickUntil([&] { return !client().session.Disconnected; }));
    ASSERT_TRUE(sim_.Say("anna", "welcome back"));
    ASSERT_TRUE(WaitForLine(L"welcome back"));
    ASSERT_GE(rc_.view.lines.size(), before + 4);
    EXPECT_EQ(rc_.view.lines[before].msg, L"");
    EXPECT_EQ(rc_.view.lines[before + 1].msg, L"   Reconnected");
    EXPECT_EQ(rc_.view.lines[before + 2].msg, L"");
    EXPECT_EQ(rc_.StatusLines().size(), 1u);
}

TEST_F(SimulatorTest, TheRosterFollowsTheUserList) {
    rc_.pictures.pictureForEveryEntry = true;
    for (const char* name : {"anna", "carl", "ben"}) ASSERT_TRUE(sim_.AddMember({.name = name}));
    ASSERT_TRUE(Login());
    ASSERT_TRUE(TickUntil([&] { return client().roster.size() == 4; }));
    EXPECT_EQ(rc_.RosterNames(), (Names{L"anna", L"carl", L"ben", L"demo"}));
    EXPECT_EQ(client().roster[0].PicStr.rfind(L"http://", 0), 0u);
    PictureHandle carl = client().roster[1].Picture;
    PictureHandle anna = client().roster[0].Picture;

    // Removed from the middle: its picture goes with it.
    ASSERT_TRUE(sim_.RemoveMember("carl"));
    ASSERT_TRUE(TickUntil([&] { return client().roster.size() == 3; }));
    EXPECT_EQ(rc_.RosterNames(), (Names{L"anna", L"ben", L"demo"}));
    EXPECT_EQ(rc_.pictures.released, (std::vector<PictureHandle>{carl}));

    // Leaving and coming back moves anna to the end as a new entry.
    ASSERT_TRUE(sim_.RemoveMember("anna"));
    ASSERT_TRUE(sim_.AddMember({.name = "anna"}));
    ASSERT_TRUE(TickUntil([&] { return rc_.RosterNames() == Names{L"ben", L"demo", L"anna"}; }));
    EXPECT_EQ(rc_.pictures.released, (std::vector<PictureHandle>{carl, anna}));
    PictureHandle annaAgain = client().roster[2].Picture;
    EXPECT_NE(annaAgain, anna);

    // Removed from the end: released the same way.
    ASSERT_TRUE(sim_.RemoveMember("anna"));
    ASSERT_TRUE(TickUntil([&] { return client().roster.size() == 2; }));
    EXPECT_EQ(rc_.pictures.released, (std::vector<PictureHandle>{carl, anna, annaAgain}));
    EXPECT_EQ(rc_.RowNames(), rc_.RosterNames());
    EXPECT_TRUE(rc_.StatusLines().empty());
}

TEST_F(SimulatorTest, FriendsAlreadyThereAreShownOnEntry) {
    client().FriendsAtEntryDone = false;
    client().lists.Friends = {L"Ben"};
    ASSERT_TRUE(sim_.AddMember({.name = "anna"}));
    ASSERT_TRUE(sim_.AddMember({.name = "ben"}));
    ASSERT_TRUE(Login());
    ASSERT_TRUE(TickUntil([&] { return client().FriendsAtEntryDone; }));
    ASSERT_EQ(client().ListsDialog.Rows.size(), 1u);
    EXPECT_EQ(client().ListsDialog.Rows[0].substr(0, 64), L"ben" + std::wstring(61, L' '));
    EXPECT_EQ(rc_.viewWindow.listsShown, 1);
    ASSERT_TRUE(TickUntil([&] { return client().EntryPhaseOver; }, 2));
}

TEST_F(SimulatorTest, ChatLinesArriveDecodedAndABadTypeEndsTheBatch) {
    ASSERT_TRUE(sim_.AddMember({.name = "anna"}));
    ASSERT_TRUE(Login());
    ASSERT_TRUE(TickUntil([&] { return client().ChatBatchSeen; }));
    // The page carries entities; the chat pane gets the text.
    ASSERT_TRUE(sim_.Say("anna", "Gr\xC3\xBC\xC3\x9F" "e & <b>'hi'</b>"));
    ASSERT_TRUE(WaitForLine(L"Gr\u00FC\u00DFe & <b>'hi'</b>"));

    ASSERT_TRUE(sim_.Say("anna", "one"));
    // A record whose type has two characters, written into the page as it is.
    ASSERT_TRUE(sim_.Control("/say", {{"user", "anna"},
                                      {"text", "x','id':'1','name':'anna','nameStyle':'n'},{'mtype':'12','msg':'two"},
                                      {"raw", "1"}})
                    .Ok());
    ASSERT_TRUE(sim_.Say("anna", "three"));
    ASSERT_TRUE(WaitForLine(L"one"));
    TickUntil([] { return false; }, 6);
    EXPECT_FALSE(Shows(L"two"));
    EXPECT_FALSE(Shows(L"three")) << "the lines after the bad type went with its batch";
    ASSERT_TRUE(sim_.Say("anna", "four"));
    EXPECT_TRUE(WaitForLine(L"four"));
}

TEST_F(SimulatorTest, StaffAndOtherCapitalsOfTheOwnName) {
    Account(L"TeamLead", L"team123");
    ASSERT_TRUE(Login());
    ASSERT_TRUE(TickUntil([&] { return rc_.window.staffSwitches > 0; }));
    EXPECT_EQ(client().session.UserName, L"club-team: teamlead");
    EXPECT_EQ(rc_.window.staffSwitches, 1);
    TickUntil([] { return false; }, 6);
    EXPECT_EQ(rc_.window.staffSwitches, 1);
    EXPECT_TRUE(rc_.StatusLines().empty());
}

TEST_F(SimulatorTest, InvisibilityLogsInAgain) {
    // With nobody else there the list would be empty, which changes nothing.
    ASSERT_TRUE(sim_.AddMember({.name = "anna"}));
    ASSERT_TRUE(Login());
    ASSERT_TRUE(TickUntil([&] { return client().ChatBatchSeen; }));
    ASSERT_TRUE(sim_.ClearRequests());
    ASSERT_TRUE(sim_.SetFault("getdata", "nouser", {{"count", "1"}}));
    ASSERT_TRUE(TickUntil([&] { return !rc_.StatusLines().empty(); }));
    EXPECT_EQ(rc_.StatusLines(), (Names{L"Invisibility occured, reconnecting..."}));
    EXPECT_TRUE(client().session.Disconnected);
    ASSERT_TRUE(TickUntil([&] { return !client().session.Disconnected; }));
    std::vector<std::string> seen = EndpointsOf(sim_.Requests(50));
    EXPECT_NE(std::find(seen.begin(), seen.end(), "login"), seen.end());
    EXPECT_EQ(std::find(seen.begin(), seen.end(), "home"), seen.end());
}

TEST_F(SimulatorTest, CountsReachTheStatusBar) {
    ASSERT_TRUE(Login());
    auto countsText = [&](long long chatters, long long listeners) {
        EXPECT_TRUE(sim_.SetCounts(chatters, listeners));
        rc_.window.statusBar.clear();
        // The answer on the wire may predate the change: wait for a fresh one.
        TickUntil([&] { return rc_.window.statusBar.size() >= 2; });
        return rc_.window.statusBar.empty() ? std::wstring() : rc_.window.statusBar.back();
    };
    EXPECT_EQ(countsText(0, 0), L"0 listener");
    EXPECT_EQ(countsText(3, 0), L"3 chatter");
    EXPECT_EQ(countsText(3, 4), L"3 chatter, 4 listener");
}

TEST_F(SimulatorTest, SentLinesComeBackWithTheNextPoll) {
    ASSERT_TRUE(Login());
    ASSERT_TRUE(TickUntil([&] { return client().ChatBatchSeen; }));
    ASSERT_TRUE(MainEnter(client(), L"Gr\u00FC\u00DFe & more"));
    EXPECT_FALSE(Shows(L"Gr\u00FC\u00DFe & more")) << "not echoed";
    std::vector<test::RawRequest> posted = sim_.Requests(1, "sendmessage");
    ASSERT_EQ(posted.size(), 1u);
    EXPECT_EQ(posted[0].bytes.substr(posted[0].bytes.find("\r\n\r\n") + 4), "message=%47%72%FC%DF%65%20%26%20%6D%6F%72%65");
    ASSERT_TRUE(TickUntil([&] {
        return std::any_of(rc_.view.lines.begin(), rc_.view.lines.end(),
                           [](const test::ShownLine& l) { return l.user == L"demo" && l.type == 1; });
    }));
}

TEST_F(SimulatorTest, TheSongStepOfTheTickPostsThroughTheChat) {
    struct Player : MediaPlayer {
        bool ReadPlayerState(PlayerInfo& info) override {
            info.Title = L"Artist - A Long Song Title";
            info.Valid = 1;
            info.Kind = 2;
            info.Number = 180000;
            return true;
        }
    } player;
    SongState song;
    SendMsgSongPost post(client());
    client().settings.PostSongs = true;
    client().hooks.SongStep = [&] { SongTick(song, client().settings, client().LastChatLineTick, player, post); };
    ASSERT_TRUE(Login());
    // Posted once the chat has been quiet for five minutes.
    ASSERT_TRUE(WaitForLine(L"(listening to: Artist - A Long Song Title)"));
    EXPECT_GE(clock_.Now(), 1000u + 300000u);
    EXPECT_EQ(song.LastPostedSong, L"Artist - A Long Song Title");
    EXPECT_NE(song.LastPostTime, 0u);
}

TEST_F(SimulatorTest, SendErrorsLeaveTheInputAndTheirConnectionState) {
    ASSERT_TRUE(Login());
    // The post is taken but its answer never comes.
    ASSERT_TRUE(sim_.SetFault("sendmessage", "stall", {{"count", "1"}}));
    EXPECT_FALSE(MainEnter(client(), L"lost?"));
    EXPECT_EQ(rc_.StatusLines(), (Names{L"Message was maybe not sent."}));
    EXPECT_FALSE(client().session.Disconnected);

    ASSERT_TRUE(sim_.Ban("demo"));
    EXPECT_FALSE(MainEnter(client(), L"still here"));
    EXPECT_EQ(rc_.StatusLines().back(), L"Sorry, you are currently banned");
    EXPECT_TRUE(client().session.Disconnected);

    EXPECT_FALSE(MainEnter(client(), L"again"));
    EXPECT_EQ(rc_.StatusLines().back(), L"Sorry, not connected");
    EXPECT_TRUE(client().session.Disconnected);
}

TEST_F(SimulatorTest, EveryAnswerFramingKeepsTheClientWorking) {
    ASSERT_TRUE(Login());
    ASSERT_TRUE(TickUntil([&] { return client().ChatBatchSeen; }));
    int n = 0;
    for (const char* mode : {"chunked", "close", "length"}) {
        ASSERT_TRUE(sim_.SetFraming("all", mode)) << mode;
        std::string text = std::string("framing ") + mode + " " + std::to_string(++n);
        ASSERT_TRUE(sim_.Say("demo", text));
        EXPECT_TRUE(WaitForLine(std::wstring(text.begin(), text.end()))) << mode;
    }
    EXPECT_EQ(rc_.RosterNames(), (Names{L"demo"}));
    EXPECT_TRUE(rc_.StatusLines().empty());
}

TEST_F(SimulatorTest, TheClientRecoversFromEveryFault) {
    ASSERT_TRUE(Login());
    ASSERT_TRUE(TickUntil([&] { return client().ChatBatchSeen; }));
    const std::vector<std::pair<std::string, test::ControlParams>> faults = {
        {"delay", {{"ms", "300"}}}, {"stall", {}},  {"drip", {{"bytes", "40"}, {"ms", "5"}}},
        {"truncate", {}},           {"wronglength", {}}, {"reset", {{"bytes", "30"}}},
        {"garbage", {}}};
    int n = 0;
    for (const auto& [kind, more] : faults) {
        test::ControlParams params = more;
        params.push_back({"count", "1"});
        ASSERT_TRUE(sim_.SetFault("getdata", kind, params)) << kind;
        // The line of this round may be lost with the broken answer; the
        // client must go on to receive the next one.
        ASSERT_TRUE(sim_.Say("demo", "during " + kind));
        TickUntil([] { return false; }, 20);
        std::string text = "after " + kind + " " + std::to_string(++n);
        ASSERT_TRUE(sim_.Say("demo", text));
        EXPECT_TRUE(WaitForLine(std::wstring(text.begin(), text.end()))) << kind;
        EXPECT_FALSE(client().session.Disconnected) << kind;
    }
    EXPECT_EQ(rc_.RosterNames(), (Names{L"demo"}));
    // Only the cut-off answer is worth a line.
    for (const std::wstring& line : rc_.StatusLines()) EXPECT_EQ(line, L"Package incomplete");
}

}  // namespace
}  // namespace vellora
