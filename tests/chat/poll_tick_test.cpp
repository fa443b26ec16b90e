// The poll tick against recording fakes and scripted peers: the order of
// its steps, the chat turn's cadence, the media stream and the guards.

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>

#include "chat/login.h"
#include "chat/poll_tick.h"
#include "chat/requests.h"
#include "chat/send.h"
#include "net/http_client.h"
#include "net/socket.h"
#include "support/fake_clock.h"
#include "support/recording_client.h"
#include "support/scripted_peer.h"

namespace vellora {
namespace {

using test::Script;
using test::ScriptedPeer;
using Log = std::vector<std::string>;

std::string Answer(const std::string& body) {
    return "HTTP/1.1 200 OK\r\nContent-Length: " + std::to_string(body.size()) + "\r\n\r\n" + body;
}

const std::string kGetdata =
    "<html>top.showUser({'user':[{'id':'1','name':'anna','src':'a.jpg'}]});"
    "var chats={'chats':[{'mtype':'1','msg':'hi','id':'9','name':'ben','nameStyle':'x'}]};</html>";

class PollTickTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { ASSERT_TRUE(SocketStartup()); }
    void SetUp() override {
        rc_.EnterChat();
        client().session.UserName = L"anna";
        client().session.JSessionId = L"J1";
        client().FriendsAtEntryDone = true;
        client().ChatBatchSeen = true;
        client().endpoints.ClubAddress = "127.0.0.1";
        client().endpoints.ChatAddress = "127.0.0.1";
        client().settings.GrayOrHilightUsersMode = 0;
    }
    void TearDown() override {
        // The peers wait for the client to close its end.
        CloseConn(client().session.Chat);
        CloseConn(client().session.Media);
    }
    Client& client() { return rc_.client; }

    // A peer for the next connection, on the port every request goes to.
    ScriptedPeer& Peer(Script script) {
        peers_.push_back(std::make_unique<ScriptedPeer>(std::move(script)));
        client().endpoints.Port = peers_.back()->Port();
        return *peers_.back();
    }
    // Nothing listens: every request fails at once.
    void NoServer() { client().endpoints.Port = ScriptedPeer::UnusedPort(); }
    // Chat requests fail at once; the media stream goes to the peers.
    void NoChatServer() { client().endpoints.ChatAddress = "0.0.0.0"; }

    bool NothingRan() {
        return rc_.hooks.empty() && rc_.view.lines.empty() && rc_.status.loginErrors.empty() &&
               client().session.Chat.socket == 0;
    }
    void Tick(int times = 1) {
        for (int i = 0; i < times; ++i) Timer1_Timer(client());
    }

    test::FakeClock clock_{1000, 40};
    std::vector<std::unique_ptr<ScriptedPeer>> peers_;
    test::RecordingClient rc_;
};

TEST_F(PollTickTest, NothingRunsDuringTheLoginPhaseOrInsideAnotherTick) {
    client().FriendsAtEntryDone = true;
    client().session.LoginPhase = true;
    Tick();
    EXPECT_TRUE(NothingRan());
    EXPECT_TRUE(client().EntryPhaseOver);
    EXPECT_FALSE(client().poll.ChatTurn);

    client().session.LoginPhase = false;
    client().poll.InTimer = true;
    client().FriendsAtEntryDone = false;
    Tick();
    EXPECT_TRUE(NothingRan());
    EXPECT_FALSE(client().EntryPhaseOver);
    EXPECT_TRUE(client().poll.InTimer);

    // Before the windows exist the tick only keeps its rhythm.
    client().poll.InTimer = false;
    client().session.WindowsCreated = false;
    Tick();
    EXPECT_TRUE(NothingRan());
    EXPECT_FALSE(client().poll.InTimer);
    EXPECT_TRUE(client().poll.ChatTurn);
}

TEST_F(PollTickTest, StepsRunInTheirOrderAndTheAnswerIsHandledInTheChatTurn) {
    client().settings.GrayOrHilightUsersMode = 2;
    ScriptedPeer& peer = Peer(Script().Send(Answer(kGetdata)));
    Tick();
    EXPECT_EQ(rc_.hooks, (Log{"SongStep", "ToasterTick 12000", "GrayIdleUsers"}));
    EXPECT_EQ(peer.Request(), GetdataRequest(client().endpoints, "J1"));
    ASSERT_TRUE(peer.WaitScriptDone());

    rc_.hooks.clear();
    client().LastHilightUpdate = TickNow();
    Tick();
    EXPECT_EQ(rc_.hooks, (Log{"SongStep", "ToasterTick 12000"}));
    EXPECT_EQ(rc_.RowNames(), (std::vector<std::wstring>{L"anna"}));
    ASSERT_EQ(rc_.view.lines.size(), 1u);
    EXPECT_EQ(rc_.view.lines[0].msg, L"hi");
    // The next request went out in the same tick.
    EXPECT_NE(client().session.Chat.socket, 0u);
    EXPECT_FALSE(client().poll.ChatTurn);
}

TEST_F(PollTickTest, WithARequestOnTheWireEveryTickIsAChatTurn) {
    ScriptedPeer& first = Peer(Script().Send(Answer(kGetdata)));
    Tick();
    first.Request();
    ASSERT_TRUE(first.WaitScriptDone());
    // The next request goes to a peer that answers a little later.
    ScriptedPeer& second = Peer(Script().Pause(300).Send(Answer(kGetdata)));
    Tick();
    EXPECT_EQ(rc_.view.lines.size(), 1u);
    second.Request();
    Tick();
    EXPECT_EQ(rc_.view.lines.size(), 1u) << "not answered yet";
    ASSERT_TRUE(second.WaitScriptDone());
    Tick();
    EXPECT_EQ(rc_.view.lines.size(), 2u) << "the tick after a chat turn is one again";
}

TEST_F(PollTickTest, AFailedSendSkipsOneTick) {
    NoServer();
    Tick();
    EXPECT_EQ(client().session.Chat.socket, 0u);
    EXPECT_TRUE(client().poll.ChatTurn);

    ScriptedPeer& peer = Peer(Script());
    Tick();
    EXPECT_EQ(client().session.Chat.socket, 0u) << "this tick is skipped";
    Tick();
    EXPECT_NE(client().session.Chat.socket, 0u);
    EXPECT_EQ(peer.Request(), GetdataRequest(client().endpoints, "J1"));
}

TEST_F(PollTickTest, WhileDisconnectedEveryChatTurnLogsInAgain) {
    NoServer();
    client().session.Disconnected = true;
    Tick(5);  // chat turns on ticks 1, 3 and 5
    EXPECT_EQ(rc_.StatusLines(), (std::vector<std::wstring>{L"Could not connect to server"}));
    EXPECT_EQ(client().session.StatusRepeatCount, 2);
}

TEST_F(PollTickTest, TheMediaStreamIsLookedAtEveryFifthTick) {
    NoChatServer();
    std::wstring url = L"http://club.sendrix.test/sendrix/incl/images/club/avatar/s/anna.jpg";
    rc_.pictures.picturesToLoad = {url};
    rc_.pictures.agesToRetrieve = {4711};
    ScriptedPeer& avatar = Peer(Script().Send(Answer("JPEGDATA")));

    Tick();  // a chat turn: the avatar request goes out
    EXPECT_EQ(avatar.Request(), AvatarRequest(client().endpoints, std::string(url.begin(), url.end())));
    ASSERT_TRUE(avatar.WaitScriptDone());
    Tick(4);
    EXPECT_TRUE(rc_.pictures.picturesLoaded.empty());
    Tick();
    EXPECT_EQ(rc_.pictures.picturesLoaded, (std::vector<std::pair<std::wstring, std::string>>{{url, "JPEGDATA"}}));

    // Then the profile page, on the next chat turn.
    ScriptedPeer& profile = Peer(Script().Send(Answer("<td class='left'>Alter:</td><td>25</td>")));
    Tick();
    EXPECT_EQ(profile.Request(), ProfileRequest(client().endpoints, 4711));
}

TEST_F(PollTickTest, AFailedMediaRequestGivesTheItemUp) {
    NoChatServer();
    rc_.pictures.picturesToLoad = {L"http://x/s/a.jpg"};
    // An answer that never completes fails after 4000 ms without data.
    ScriptedPeer& peer = Peer(Script().Send("HTTP/1.1 200 OK\r\nContent-Length: 10\r\n\r\nab"));
    Tick();
    ASSERT_TRUE(peer.WaitScriptDone());
    Tick(5);
    EXPECT_NE(client().session.Media.socket, 0u);
    clock_.Advance(kProtocolTimeoutMs + 1);
    Tick(5);
    EXPECT_EQ(client().session.Media.socket, 0u);
    EXPECT_TRUE(client().poll.PendingPicUrl.empty());
    EXPECT_TRUE(rc_.pictures.picturesLoaded.empty());

    // A picture source that cannot go into a request line is not sent; it
    // counts as a download without a picture.
    rc_.pictures.picturesToLoad = {L"http://x/s/a b.jpg", L"http://x/s/\r\nX: y"};
    NoServer();
    Tick(6);
    ASSERT_EQ(rc_.pictures.picturesLoaded.size(), 1u);
    EXPECT_EQ(rc_.pictures.picturesLoaded[0].second, "");
    Tick(6);
    EXPECT_EQ(rc_.pictures.picturesLoaded.size(), 2u);
}

TEST_F(PollTickTest, IdleGrayingRunsInModeTwoAtMostOnceASecond) {
    NoServer();
    client().settings.GrayOrHilightUsersMode = 2;
    client().hooks.GrayIdleUsers = [&] {
        rc_.hooks.push_back("GrayIdleUsers");
        client().LastHilightUpdate = TickNow();
    };
    Tick();
    clock_.Advance(1000);
    Tick();
    clock_.Advance(1);
    Tick();
    client().settings.GrayOrHilightUsersMode = 1;
    clock_.Advance(5000);
    Tick();
    EXPECT_EQ(std::count(rc_.hooks.begin(), rc_.hooks.end(), "GrayIdleUsers"), 2);
}

TEST_F(PollTickTest, OneTickStartsAtMostOneNotificationSound) {
    client().settings.ErrorToaster = true;
    client().settings.SoundPlay = true;
    rc_.view.onLine = [&](const test::ShownLine& line) {
        if (line.type == 1) client().AlertSoundDue = true;
    };
    // An incomplete answer: its status line and the batch's alert both ask.
    std::string body = kGetdata.substr(0, kGetdata.size() - 7);
    ScriptedPeer& peer = Peer(Script().Send(Answer(body)));
    Tick();
    ASSERT_TRUE(peer.WaitScriptDone());
    Tick();
    EXPECT_EQ(rc_.status.toasters.size(), 1u);
    EXPECT_EQ(rc_.status.sounds, 1);

    // Outside a tick every status line plays its sound.
    client().session.Disconnected = true;
    SendMsg(client(), L"%41", L"");
    SendMsg(client(), L"%41", L"");
    EXPECT_EQ(rc_.status.sounds, 3);
}

}  // namespace
}  // namespace vellora
