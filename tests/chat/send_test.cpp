// Sending lines: the post on the wire, the three errors, where each is
// shown, and the connection state each leaves behind.

#include <gtest/gtest.h>

#include <string>

#include "chat/requests.h"
#include "chat/send.h"
#include "net/socket.h"
#include "support/fake_clock.h"
#include "support/recording_client.h"
#include "support/scripted_peer.h"

namespace vellora {
namespace {

using test::Script;
using test::ScriptedPeer;
using Names = std::vector<std::wstring>;

const std::string kBanBody = "{'message':{'title':'Sorry','txt':'Sie wurden aus dem Chat geworfen.'}}";
const std::string kBanAnswer =
    "HTTP/1.1 200 OK\r\nContent-Length: " + std::to_string(kBanBody.size()) + "\r\n\r\n" + kBanBody;

class SendTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { ASSERT_TRUE(SocketStartup()); }
    void SetUp() override {
        rc_.EnterChat();
        client().session.JSessionId = L"J42";
        client().endpoints.ChatAddress = "127.0.0.1";
    }
    Client& client() { return rc_.client; }
    void UsePeer(const ScriptedPeer& peer) { client().endpoints.Port = peer.Port(); }

    // Real pauses long enough for the peer thread to answer before the
    // 4000 ms of fake inactivity run out.
    test::FakeClock clock_{1000, 40};
    test::RecordingClient rc_;
};

TEST_F(SendTest, PostsTheEncodedTextAndSucceedsOnASuccessAnswer) {
    ScriptedPeer peer(Script().Send("HTTP/1.1 200 OK\r\nContent-Length: 0\r\n\r\n"));
    UsePeer(peer);
    EXPECT_TRUE(SendMsg(client(), L"%68%69", L""));
    EXPECT_EQ(peer.Request(), SendMessageRequest(client().endpoints, "J42", "%68%69"));
    EXPECT_NE(peer.Request().find("Content-Length: 14\r\n"), std::string::npos);
    EXPECT_TRUE(rc_.view.lines.empty());  // not echoed
    EXPECT_FALSE(client().session.Disconnected);
}

TEST_F(SendTest, AFailedPostMayHaveReachedTheServerAndKeepsTheClientConnected) {
    client().endpoints.Port = ScriptedPeer::UnusedPort();
    // An empty message is neither sent nor reported.
    EXPECT_FALSE(SendMsg(client(), L"", L""));
    EXPECT_FALSE(SendMsg(client(), L"", L"ben"));
    EXPECT_TRUE(rc_.status.chatLines.empty());

    EXPECT_FALSE(SendMsg(client(), L"%41", L""));
    EXPECT_EQ(rc_.StatusLines(), (Names{L"Message was maybe not sent."}));
    EXPECT_FALSE(client().session.Disconnected);

    // A post whose answer never completes times out the same way.
    ScriptedPeer peer(Script().Send("HTTP/1.1 200 OK\r\nContent-Length: 5\r\n\r\nab"));
    UsePeer(peer);
    EXPECT_FALSE(SendMsg(client(), L"%41", L""));
    EXPECT_EQ(rc_.StatusLines().size(), 2u);
    EXPECT_FALSE(client().session.Disconnected);
}

TEST_F(SendTest, ABanDisconnectsAndErrorsOfADialogsMessageGoToThatDialogWhileItIsOpen) {
    rc_.view.openDialogs = {L"bob", L"ben"};
    {
        ScriptedPeer peer(Script().Send(kBanAnswer));
        UsePeer(peer);
        EXPECT_FALSE(SendMsg(client(), L"%62%65%6E%3A%20%41", L"ben"));
    }
    ASSERT_EQ(rc_.view.dialogErrors.size(), 1u);
    EXPECT_EQ(rc_.view.dialogErrors[0].first, L"ben");
    EXPECT_EQ(rc_.view.dialogErrors[0].second, L"*** Sorry, you are currently banned");
    EXPECT_TRUE(rc_.StatusLines().empty());
    EXPECT_TRUE(client().session.Disconnected);  // a ban disconnects wherever it is shown

    // The same while disconnected, from a dialog that has meanwhile closed:
    // the chat pane shows it.
    EXPECT_FALSE(SendMsg(client(), L"%41", L"carl"));
    EXPECT_EQ(rc_.StatusLines(), (Names{L"Sorry, not connected"}));
    EXPECT_EQ(rc_.view.dialogErrors.size(), 1u);
}

TEST_F(SendTest, MainEnterEncodesEveryCharacterAndKeepsTheInputOnFailure) {
    {
        ScriptedPeer peer(Script().Send("HTTP/1.1 200 OK\r\nContent-Length: 2\r\n\r\nok"));
        UsePeer(peer);
        EXPECT_TRUE(MainEnter(client(), L"ab c\xE4"));
        std::string request = peer.Request();
        EXPECT_EQ(request.substr(request.size() - 23), "message=%61%62%20%63%E4");
    }
    client().session.Disconnected = true;
    EXPECT_FALSE(MainEnter(client(), L"hello"));
    EXPECT_EQ(rc_.StatusLines(), (Names{L"Sorry, not connected"}));

    // An empty line sends nothing.
    client().session.Disconnected = false;
    EXPECT_FALSE(MainEnter(client(), L""));
    EXPECT_EQ(rc_.status.chatLines.size(), 1u);
}

}  // namespace
}  // namespace vellora
