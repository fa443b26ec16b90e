// Requests that fail in ways the servers did not promise: a post that was
// refused, polls that keep failing, and a picture that never arrives. None
// may count as a success, lose the typed line, or hold up everything else.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "chat/login.h"
#include "chat/poll_tick.h"
#include "chat/requests.h"
#include "chat/send.h"
#include "net/socket.h"
#include "support/fake_clock.h"
#include "support/recording_client.h"
#include "support/scripted_peer.h"

namespace vellora {
namespace {

using Names = std::vector<std::wstring>;
using test::Script;
using test::ScriptedPeer;

std::string Answer(const std::string& statusLine, const std::string& body) {
    return statusLine + "\r\nContent-Length: " + std::to_string(body.size()) + "\r\n\r\n" + body;
}

class FailedRequests : public ::testing::Test {
protected:
    static void SetUpTestSuite() { ASSERT_TRUE(SocketStartup()); }
    void SetUp() override {
        rc_.EnterChat();
        client().session.JSessionId = L"J42";
    }
    Client& client() { return rc_.client; }

    test::FakeClock clock_{1000, 40};
    test::RecordingClient rc_;
};

TEST_F(FailedRequests, APostThatWasNotAnsweredWithSuccessKeepsTheLine) {
    struct Case {
        std::string answer;
        std::wstring error;
        bool disconnected;
    };
    const Case cases[] = {
        {Answer("HTTP/1.1 503 Service Unavailable", "<html>busy</html>"), L"Could not send message", false},
        {Answer("HTTP/1.1 302 Found\r\nLocation: /", ""), L"Could not send message", false},
        {Answer("HTTP/1.1 200 OK", "<html>\r\nDenied, please login.\r\n</html>"), L"Could not send message", true},
        {"\x17\x03garbage without a status line", L"Message was maybe not sent.", false},
    };
    for (const Case& c : cases) {
        ScriptedPeer peer(Script().Send(c.answer).Close());
        client().endpoints.Port = peer.Port();
        client().session.Disconnected = false;
        client().MustSpace = false;
        rc_.status.chatLines.clear();
        // MainEnter false: the window keeps the text in the input line.
        EXPECT_FALSE(MainEnter(client(), L"hello")) << c.answer;
        EXPECT_EQ(rc_.StatusLines(), Names{c.error}) << c.answer;
        EXPECT_EQ(client().session.Disconnected, c.disconnected) << c.answer;
        // A denial logs in again and says so when back.
        EXPECT_EQ(client().MustSpace, c.disconnected) << c.answer;
    }

    ScriptedPeer taken(Script().Send(Answer("HTTP/1.1 200 OK", "<html>ok</html>")));
    client().endpoints.Port = taken.Port();
    client().session.Disconnected = false;
    EXPECT_TRUE(MainEnter(client(), L"hello"));
}

TEST_F(FailedRequests, APastedTabIsSentAsABlank) {
    ScriptedPeer peer(Script().Send(Answer("HTTP/1.1 200 OK", "")));
    client().endpoints.Port = peer.Port();
    EXPECT_TRUE(MainEnter(client(), L"a\tb"));
    EXPECT_EQ(peer.Request(), SendMessageRequest(client().endpoints, "J42", "%61%20%62"));
}

TEST_F(FailedRequests, AServerThatKeepsLeavingOutTheChatCookieIsReported) {
    client().session.OwnUserId = L"7";
    const std::string web = Answer("HTTP/1.1 200 OK\r\nSet-Cookie: PHPSESSID=p1; path=/", "");
    const std::string noChatCookie = Answer("HTTP/1.1 503 Service Unavailable", "<html>busy</html>");
    for (int attempt = 1; attempt <= 3; ++attempt) {
        test::SequencePeer peer({web, noChatCookie});
        client().endpoints.Port = peer.Port();
        LoginSequence(client());
        EXPECT_TRUE(client().session.Disconnected);
    }
    // The first stop is silent, the second is told, the third is a repeat.
    EXPECT_EQ(rc_.StatusLines(), Names{L"Login failed."});
}

TEST_F(FailedRequests, PollsFailingInARowAreReportedOnceWithoutLoggingOut) {
    client().endpoints.Port = ScriptedPeer::UnusedPort();
    for (int tick = 0; tick < 12; ++tick) Timer1_Timer(client());
    EXPECT_EQ(rc_.StatusLines(), Names{L"Could not connect to server"});
    EXPECT_FALSE(client().session.Disconnected);
}

TEST_F(FailedRequests, APictureThatNeverArrivesIsGivenUpAndTheOthersAreFetched) {
    rc_.UseRealView();
    const std::wstring avatars = L"http://club.sendrix.test/sendrix/incl/images/club/avatar/s/";
    for (const wchar_t* name : {L"anna", L"ben"}) {
        RosterEntry entry;
        entry.Name = name;
        entry.PicStr = avatars + name + L".jpg";
        client().roster.push_back(entry);
        rc_.window.rows.push_back({name, kRowPicturePending, true});
    }
    client().endpoints.Port = ScriptedPeer::UnusedPort();
    for (int tick = 0; tick < 200; ++tick) Timer1_Timer(client());
    // Each was tried a few times and then marked as failed.
    EXPECT_EQ(client().roster[0].Picture, kPictureFailed);
    EXPECT_EQ(client().roster[1].Picture, kPictureFailed);
    EXPECT_EQ(rc_.window.rows[1].picture, kRowPictureFailed);
}

}  // namespace
}  // namespace vellora
