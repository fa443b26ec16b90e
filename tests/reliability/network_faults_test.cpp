// Servers that keep a request busy, refuse it or never answer, against the
// client's requests, posts, polls, logins and picture downloads.

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "chat/login.h"
#include "chat/poll_tick.h"
#include "chat/requests.h"
#include "chat/send.h"
#include "support/fake_clock.h"
#include "support/recording_client.h"
#include "support/scripted_peer.h"
#include "support/simulator.h"

namespace vellora {
namespace {

using Names = std::vector<std::wstring>;
using test::Script;
using test::ScriptedPeer;
const std::string kRequest = "GET /ac/chat/getdata HTTP/1.1\r\n\r\n";

std::string Answer(const std::string& head, const std::string& body = "") {
    return head + "\r\nContent-Length: " + std::to_string(body.size()) + "\r\n\r\n" + body;
}

class NetworkFaults : public ::testing::Test {
protected:
    static void SetUpTestSuite() { ASSERT_TRUE(SocketStartup()); }
    void SetUp() override {
        rc_.EnterChat();
        client().session.JSessionId = L"J42";
    }
    Client& client() { return rc_.client; }
    test::RecordingClient rc_;
};

TEST_F(NetworkFaults, ADripOrADeadAddressHoldsARequestNoLongerThanTheDeadline) {
    {
        // Every 250 ms wait takes 20 ms, a byte comes every 15 ms: the
        // silence time-out never runs out, the deadline does.
        test::FakeClock clock(1000, 20);
        Script drip;
        drip.Send("HTTP/1.1 200 OK\r\nContent-Length: 99999\r\n\r\n");
        for (int i = 0; i < 120; ++i) drip.Pause(15).Send("x");
        ScriptedPeer peer(drip);
        std::string answer;
        EXPECT_FALSE(HttpRequest("127.0.0.1", peer.Port(), kRequest, answer, 4000, false));
        EXPECT_GT(clock.Now() - 1000, kRequestDeadlineMs);
        EXPECT_LE(clock.Now() - 1000, kRequestDeadlineMs + 250);
    }
    test::Simulator sim;
    ASSERT_TRUE(sim.Control("/unreachable", {{"on", "1"}}).Ok()) << sim.Error();
    test::FakeClock clock;
    std::atomic<bool> done{false};
    std::thread ticker([&] {  // the connect waits in real time, the deadline is read on the tick clock
        for (; !done; std::this_thread::sleep_for(std::chrono::milliseconds(10))) clock.Advance(100);
    });
    const std::uint32_t start = clock.Now();
    EXPECT_EQ(HttpSend("127.0.0.1", sim.Port(), kRequest, true), 0u);
    const std::uint32_t waited = clock.Now() - start;
    done = true;
    ticker.join();
    EXPECT_GT(waited, kRequestDeadlineMs);
    EXPECT_LT(waited, kRequestDeadlineMs + 1000);
}

TEST(AnswerFramingFaults, OnlyTheHeaderBlockSaysChunkedAndASizeLineNeedsASize) {
    const std::string chunked = "HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n";
    std::string quoted = "HTTP/1.1 200 OK\r\n\r\n<p>Transfer-Encoding: chunked</p>\r\n0\r\n\r\n";
    std::string noSize = chunked + "zz\r\nabc\r\n0\r\n\r\n";
    EXPECT_EQ(ExamineAnswer(quoted, false), Framing::EndOfArrivals);
    EXPECT_EQ(ExamineAnswer(noSize, false), Framing::Broken);
    // 2^64 + 2 would wrap to 2 and pass for a size.
    std::string wrapping = chunked + "10000000000000002\r\nab\r\n0\r\n\r\n";
    EXPECT_EQ(ExamineAnswer(wrapping, false), Framing::Broken);
}

TEST_F(NetworkFaults, APostNotAnsweredWithSuccessKeepsTheLineAndATabIsABlank) {
    test::FakeClock clock(1000, 40);
    struct Case {
        std::string answer;
        const wchar_t* error;
        bool loggedOut;
    };
    const Case cases[] = {
        {Answer("HTTP/1.1 503 Service Unavailable", "<html>busy</html>"), L"Could not send message", false},
        {Answer("HTTP/1.1 302 Found\r\nLocation: /"), L"Could not send message", false},
        {Answer("HTTP/1.1 200 OK", "<html>Denied, please login.</html>"), L"Could not send message", true},
        {"\x17\x03 no status line", L"Message was maybe not sent.", false},
    };
    for (const Case& c : cases) {
        ScriptedPeer peer(Script().Send(c.answer).Close());
        client().endpoints.Port = peer.Port();
        client().session.Disconnected = false;
        rc_.status.chatLines.clear();
        EXPECT_FALSE(MainEnter(client(), L"hello"));  // false: the input keeps the text
        EXPECT_EQ(rc_.StatusLines(), Names{c.error}) << c.answer;
        EXPECT_EQ(client().session.Disconnected, c.loggedOut) << c.answer;  // a denial logs in again
    }
    ScriptedPeer taken(Script().Send(Answer("HTTP/1.1 200 OK")));
    client().endpoints.Port = taken.Port();
    client().session.Disconnected = false;
    EXPECT_TRUE(MainEnter(client(), L"a\tb"));
    EXPECT_EQ(taken.Request(), SendMessageRequest(client().endpoints, "J42", "%61%20%62"));
}

TEST_F(NetworkFaults, TroubleThatLastsIsToldOnceAndPicturesThatNeverComeAreGivenUp) {
    rc_.UseRealView();
    for (const wchar_t* name : {L"anna", L"ben"}) {
        client().roster.push_back({name, L"http://club.sendrix.test/pics/" + std::wstring(name)});
        rc_.window.rows.push_back({name, kRowPicturePending, true});
    }
    client().endpoints.Port = ScriptedPeer::UnusedPort();
    for (int tick = 0; tick < 200; ++tick) Timer1_Timer(client());
    // Polls failing in a row: told once, and the login stands.
    EXPECT_EQ(rc_.StatusLines(), Names{L"Could not connect to server"});
    EXPECT_FALSE(client().session.Disconnected);
    // An error page in place of the poll page fails the poll just the same.
    const std::string busy = Answer("HTTP/1.1 503 Busy", "<html></html>");
    ScriptedPeer server({Script().Send(busy), Script().Send(busy)});
    client().endpoints.Port = server.Port();
    client().poll.FailedPolls = 0;
    for (int tick = 0; tick < 400 && rc_.StatusLines().size() < 2; ++tick, SystemSleep(5)) Timer1_Timer(client());
    EXPECT_EQ(rc_.StatusLines().size(), 2u);
    // Each picture was tried a few times, then given up for the next one.
    EXPECT_EQ(client().roster[0].Picture, kPictureFailed);
    EXPECT_EQ(client().roster[1].Picture, kPictureFailed);
    EXPECT_EQ(rc_.window.rows[1].picture, kRowPictureFailed);

    // A login that keeps stopping without the chat's cookie: told from the second.
    rc_.status.chatLines.clear();
    client().session.OwnUserId = L"7";
    for (int attempt = 0; attempt < 3; ++attempt) {
        ScriptedPeer peer({Script().Send(Answer("HTTP/1.1 200 OK\r\nSet-Cookie: PHPSESSID=p; path=/")),
                           Script().Send(Answer("HTTP/1.1 503 X"))});
        client().endpoints.Port = peer.Port();
        LoginSequence(client());
    }
    EXPECT_EQ(rc_.StatusLines(), Names{L"Login failed."});
}

}  // namespace
}  // namespace vellora
