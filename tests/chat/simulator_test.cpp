// The protocol against the chat service simulator over loopback: whole
// logins with the bytes the simulator received, the poll loop through a
// re-login, the song post, and every answer framing and fault the simulator
// can produce (the lost login and the typed line are driven through the
// Windows program's own session tests).

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "chat/login.h"
#include "chat/requests.h"
#include "chat/song_post.h"
#include "song/song_tick.h"
#include "support/simulator_session.h"

namespace vellora {
namespace {

using Names = std::vector<std::wstring>;

class SimulatorTest : public test::SimulatorSessionTest {
protected:
    // Enters the chat as the login form does; true on success.
    bool Login() { return !TryLogin(client()); }
    bool WaitForLine(const std::wstring& text) {
        return TickUntil([&] {
            return std::any_of(rc_.view.lines.begin(), rc_.view.lines.end(),
                               [&](const test::ShownLine& l) { return l.msg == text; });
        });
    }
    static std::vector<std::string> EndpointsOf(const std::vector<test::RawRequest>& requests) {
        std::vector<std::string> out;
        for (const test::RawRequest& r : requests) out.push_back(r.endpoint);
        return out;
    }
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

TEST_F(SimulatorTest, InvisibilityLogsInAgainKeepingTheUserId) {
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
    // The re-login skips the home page, and only the login form's login
    // shows the window.
    std::vector<std::string> seen = EndpointsOf(sim_.Requests(50));
    std::erase(seen, "getdata");
    EXPECT_EQ(seen, (std::vector<std::string>{"login", "enter", "participate"}));
    EXPECT_EQ(rc_.window.mainShown, 1);
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
