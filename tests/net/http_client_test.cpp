// The HTTP client against scripted peers on loopback. The receive time-outs
// run on a fake tick clock, so nothing here waits for them in real time.

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>

#include "net/http_client.h"
#include "support/fake_clock.h"
#include "support/platform.h"
#include "support/scripted_peer.h"

namespace vellora {
namespace {

using test::FakeClock;
using test::Script;
using test::ScriptedPeer;

constexpr std::uint32_t kTimeout = 4000;
const std::string kLoopback = "127.0.0.1";
const std::string kRequest = "GET /ac/chat/getdata HTTP/1.1\r\nHost: chat\r\n\r\n";

class HttpClientTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { ASSERT_TRUE(SocketStartup()); }

    // Starts a fresh exchange with a peer playing Script: sends the request
    // and keeps the socket open.
    ScriptedPeer& Open(Script script) {
        CloseConn(socket_, state_);
        response_.clear();
        peer_ = std::make_unique<ScriptedPeer>(std::move(script));
        socket_ = HttpSend(kLoopback, peer_->Port(), kRequest, true);
        EXPECT_NE(socket_, 0u);
        peer_->Request();
        return *peer_;
    }

    // Polls without moving the clock until the peer's script has run and a
    // few more reads find nothing new; returns whether an answer completed.
    bool DrainAfterScript() {
        EXPECT_TRUE(peer_->WaitScriptDone());
        for (int i = 0; i < 200 && socket_ != 0; ++i) {
            if (ReceiveOnce()) return true;
            SystemSleep(1);
        }
        return false;
    }

    bool ReceiveOnce() { return HttpReceive(socket_, response_, state_, keepHeaders_, kTimeout); }

    void TearDown() override { CloseConn(socket_, state_); }

    FakeClock clock_;
    std::unique_ptr<ScriptedPeer> peer_;
    SocketHandle socket_ = 0;
    RecvState state_;
    std::string response_;
    bool keepHeaders_ = false;
};

TEST_F(HttpClientTest, BlockingRequestSendsTheExactBytesAndReadsTheBody) {
    std::string request = "POST /x HTTP/1.1\r\nContent-Length:  3\r\n\r\n\x01\xE4z";
    ScriptedPeer peer(Script().Send("HTTP/1.1 200 OK\r\nContent-Length: 2\r\n\r\nok").Close());
    std::string answer;
    EXPECT_TRUE(HttpRequest(kLoopback, peer.Port(), request, answer, kTimeout, false));
    EXPECT_EQ(peer.Request(), request);
    EXPECT_EQ(answer, "ok");

    // Without length information it waits out the silence.
    ScriptedPeer silent(Script().Send("HTTP/1.1 200 OK\r\n\r\nbody without length").Close());
    EXPECT_TRUE(HttpRequest(kLoopback, silent.Port(), kRequest, answer, kTimeout, false));
    EXPECT_EQ(answer, "body without length");
}

TEST_F(HttpClientTest, FramedAnswersCompleteAsSoonAsTheyAreWhole) {
    const std::string chunk(26, 'a');
    const std::string keptWhole =
        "HTTP/1.1 302 Found\r\nSet-Cookie: PHPSESSID=abc; path=/\r\nContent-Length: 2\r\n\r\nhi";
    struct Case {
        std::string answer;
        bool keepHeaders;
        std::string expected;
    };
    const Case cases[] = {
        {"HTTP/1.1 200 OK\r\ncontent-length: 5\r\nX: y\r\n\r\nhello", false, "hello"},
        {keptWhole, true, keptWhole},
        // Chunk sizes in either case and with extensions.
        {"HTTP/1.1 200 OK\r\nTRANSFER-ENCODING: CHUNKED\r\n\r\n1a\r\n" + chunk + "\r\n1A\r\n" + chunk +
             "\r\n1a;name=value\r\n" + chunk + "\r\n0\r\n\r\n",
         false, chunk + chunk + chunk},
    };
    for (const Case& c : cases) {
        keepHeaders_ = c.keepHeaders;
        Open(Script().Send(c.answer));
        ASSERT_TRUE(DrainAfterScript()) << c.answer;
        EXPECT_EQ(response_, c.expected);
        EXPECT_EQ(socket_, 0u);
        EXPECT_EQ(state_, nullptr);
    }
}

TEST_F(HttpClientTest, ChunkedAnswerAcrossSeveralArrivals) {
    keepHeaders_ = true;
    std::string head = "HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n";
    Open(Script().Send(head + "5\r\nhel").Pause(30).Send("lo\r\n3\r").Pause(30).Send("\n, w\r\n0\r\n\r\n"));
    ASSERT_TRUE(DrainAfterScript());
    EXPECT_EQ(response_, head + "hello, w");
}

TEST_F(HttpClientTest, AnswersWithoutLengthCompleteAfterSilenceEvenIfClosedLongBefore) {
    // A Content-Length line in the body is no header.
    for (const std::string body : {"<html>late</html>", "x\r\nContent-Length: 3\r\n"}) {
        Open(Script().Send("HTTP/1.0 200 OK\r\nServer: old\r\n\r\n" + body).Close());
        EXPECT_FALSE(DrainAfterScript());
        ASSERT_NE(state_, nullptr);
        EXPECT_TRUE(state_->endOfArrivals);
        clock_.Advance(kTimeout);
        EXPECT_FALSE(ReceiveOnce());
        clock_.Advance(1);
        ASSERT_TRUE(ReceiveOnce());
        EXPECT_EQ(response_, body);
        EXPECT_EQ(socket_, 0u);
    }
}

TEST_F(HttpClientTest, IncompleteOverlongOrMalformedAnswersFailAfterTheTimeout) {
    const Script cases[] = {
        Script().Send("HTTP/1.1 200 OK\r\nContent-Length: 10\r\n\r\n012345678"),
        Script().Send("HTTP/1.1 200 OK\r\nContent-Length: 10\r\n\r\n0123456789X"),
        Script().Send("HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n10\r\nshort"),
        Script().Send("HTTP/1.1 200 OK\r\nContent-Length: 4\r\n").Close(),  // headers that never end
        Script().Pause(200),                                                  // a silent server
        // 2^64 + 2 would wrap to 2 in a 64-bit integer and "complete" the answer.
        Script().Send("HTTP/1.1 200 OK\r\nContent-Length: 18446744073709551618\r\n\r\nab"),
    };
    int n = 0;
    for (const Script& script : cases) {
        SCOPED_TRACE(++n);
        Open(script);
        EXPECT_FALSE(DrainAfterScript());
        clock_.Advance(kTimeout);
        EXPECT_FALSE(ReceiveOnce());
        EXPECT_NE(socket_, 0u) << "4000 ms exactly is not yet a time-out";
        clock_.Advance(1);
        EXPECT_FALSE(ReceiveOnce());
        EXPECT_EQ(socket_, 0u);
        EXPECT_EQ(state_, nullptr);
        EXPECT_EQ(response_, "");
    }
}

TEST_F(HttpClientTest, ArrivalsRestartTheInactivityTimeout) {
    Open(Script().Send("HTTP/1.1 200 OK\r\n\r\npart one").Pause(50).Send(", part two").Pause(50));
    // Move the clock almost to the time-out between the two arrivals.
    for (int i = 0; i < 20 && state_ == nullptr; ++i) {
        ReceiveOnce();
        SystemSleep(1);
    }
    clock_.Advance(kTimeout - 10);
    EXPECT_FALSE(DrainAfterScript());
    clock_.Advance(kTimeout - 10);
    EXPECT_FALSE(ReceiveOnce()) << "the second arrival started the time-out afresh";
    clock_.Advance(20);
    ASSERT_TRUE(ReceiveOnce());
    EXPECT_EQ(response_, "part one, part two");
}

TEST_F(HttpClientTest, AnswerBeyondTheSizeLimitFailsAtOnce) {
    std::string block(1 << 20, 'z');
    Script script;
    script.Send("HTTP/1.1 200 OK\r\n\r\n");
    for (int i = 0; i < 18; ++i) script.Send(block);
    Open(script);
    std::size_t largest = 0;
    for (int i = 0; i < 20000 && socket_ != 0; ++i) {
        std::size_t before = state_ ? state_->bytes.size() : 0;
        EXPECT_FALSE(ReceiveOnce());
        std::size_t now = state_ ? state_->bytes.size() : 0;
        largest = std::max(largest, now);
        if (now == before) SystemSleep(1);  // let the peer catch up
    }
    EXPECT_EQ(socket_, 0u);
    EXPECT_LE(largest, kMaxAnswerBytes);
    EXPECT_EQ(state_, nullptr);
}

TEST_F(HttpClientTest, UnreachableOrNonNumericHostsGiveNoSocket) {
    std::uint16_t port = ScriptedPeer::UnusedPort();
    EXPECT_EQ(HttpSend(kLoopback, port, kRequest, true), 0u);
    std::string answer = "unchanged";
    EXPECT_FALSE(HttpRequest(kLoopback, port, kRequest, answer, kTimeout, false));
    EXPECT_EQ(answer, "unchanged");
    EXPECT_EQ(clock_.Now(), 1250u) << "one 250 ms wait even when the send failed";
    for (const char* host : {"localhost", "255.255.255.255", "0.0.0.0"}) {
        EXPECT_EQ(HttpSend(host, 80, kRequest, true), 0u) << host;
    }
}

TEST_F(HttpClientTest, FireAndForgetClosesAtOnce) {
    ScriptedPeer peer{Script()};
    EXPECT_EQ(HttpSend(kLoopback, peer.Port(), kRequest, false), 0u);
    EXPECT_EQ(peer.Request(), kRequest);
    EXPECT_TRUE(peer.ClientClosed());
}

TEST_F(HttpClientTest, ResetByPeerIsAFailureAtOnce) {
    if (test::RunningUnderWine()) GTEST_SKIP() << "Wine 8 closes gracefully where Windows would reset";
    ASSERT_TRUE(Open(Script().Send("HTTP/1.1 200 OK\r\nContent-Length: 100\r\n\r\nabc").Pause(20).Reset())
                    .WaitScriptDone());
    for (int i = 0; i < 200 && socket_ != 0; ++i) {
        EXPECT_FALSE(ReceiveOnce());
        SystemSleep(1);
    }
    EXPECT_EQ(socket_, 0u);
    EXPECT_EQ(state_, nullptr);
}

TEST_F(HttpClientTest, PeerCloseAloneDoesNotEndTheAnswerButCloseConnDoes) {
    Open(Script().Send("HTTP/1.1 200 OK\r\nContent-Length: 100\r\n\r\nabc").Close());
    ASSERT_TRUE(peer_->WaitScriptDone());
    // A close is not a failure: the answer is still waited for.
    for (int i = 0; i < 50; ++i) EXPECT_FALSE(ReceiveOnce());
    EXPECT_NE(socket_, 0u);

    ScriptedPeer& open = Open(Script().Send("HTTP/1.1 200 OK\r\nContent-Length: 100\r\n\r\nabc"));
    EXPECT_FALSE(DrainAfterScript());
    ASSERT_NE(state_, nullptr);
    CloseConn(socket_, state_);
    EXPECT_EQ(socket_, 0u);
    EXPECT_EQ(state_, nullptr);
    EXPECT_TRUE(open.ClientClosed());
    CloseConn(socket_, state_);  // nothing to do, no harm
}

}  // namespace
}  // namespace vellora

namespace vellora {
namespace {

// Examining an answer piece by piece, resuming the earlier searches, must
// give exactly what examining the whole answer at once gives.
TEST(AnswerFraming, ResumedExaminationMatchesExaminingTheWhole) {
    const std::string answers[] = {
        "HTTP/1.1 200 OK\r\nContent-Length: 5\r\n\r\nhello",
        "HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n3\r\nabc\r\n0\r\n\r\n",
        "HTTP/1.1 200 OK\r\nX: 1\r\n\r\nbody says Transfer-Encoding: chunked\r\n0\r\n\r\n",
        "HTTP/1.1 200 OK\r\nServer: old\r\n\r\nno length at all",
        "HTTP/1.1 200 OK\r\nX: 1\r\n\r\nContent-Length: 3\r\n\r\nabc",
    };
    for (const std::string& whole : answers) {
        for (bool keepHeaders : {false, true}) {
            std::string once = whole;
            Framing expected = ExamineAnswer(once, keepHeaders);
            for (std::size_t cut = 1; cut < whole.size(); ++cut) {
                AnswerScan scan;
                std::string partial = whole.substr(0, cut);
                Framing first = ExamineAnswer(partial, keepHeaders, scan);
                if (first == Framing::Complete) continue;  // complete before the cut: nothing to resume
                std::string resumed = whole;
                Framing second = ExamineAnswer(resumed, keepHeaders, scan);
                EXPECT_EQ(second, expected) << "cut at " << cut << " of: " << whole;
                if (expected == Framing::Complete) {
                    EXPECT_EQ(resumed, once) << "cut at " << cut;
                }
            }
        }
    }
}

}  // namespace
}  // namespace vellora
