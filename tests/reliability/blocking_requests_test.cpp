// Requests against servers that keep them busy: a drip that never lets the
// silence time-out run out, an address that never answers a connect, and
// answers whose framing cannot be trusted.

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "net/http_client.h"
#include "support/fake_clock.h"
#include "support/scripted_peer.h"
#include "support/simulator.h"

namespace vellora {
namespace {

using test::Script;
using test::ScriptedPeer;

const std::string kLoopback = "127.0.0.1";
const std::string kRequest = "GET /ac/chat/getdata HTTP/1.1\r\nHost: chat\r\n\r\n";

class BlockingRequests : public ::testing::Test {
protected:
    static void SetUpTestSuite() { ASSERT_TRUE(SocketStartup()); }
};

TEST_F(BlockingRequests, ADripKeepsAWaitingRequestNoLongerThanTheDeadline) {
    // Each 250 ms wait takes 20 ms of real time, and a byte comes every
    // 15 ms: the silence time-out never runs out.
    test::FakeClock clock(1000, 20);
    Script drip;
    drip.Send("HTTP/1.1 200 OK\r\nContent-Length: 100000\r\n\r\n");
    for (int i = 0; i < 120; ++i) drip.Pause(15).Send("x");
    ScriptedPeer peer(drip);
    std::string answer;
    EXPECT_FALSE(HttpRequest(kLoopback, peer.Port(), kRequest, answer, 4000, false));
    EXPECT_EQ(answer, "");
    EXPECT_GT(clock.Now() - 1000, kRequestDeadlineMs);
    EXPECT_LE(clock.Now() - 1000, kRequestDeadlineMs + 250);
}

TEST_F(BlockingRequests, AnAddressThatNeverAnswersHoldsAConnectNoLongerThanTheDeadline) {
    test::Simulator sim;
    ASSERT_TRUE(sim.Running()) << sim.Error();
    ASSERT_TRUE(sim.Control("/unreachable", {{"on", "1"}}).Ok());
    test::FakeClock clock;
    std::atomic<bool> done{false};
    // The connect waits in real time; the deadline is read on the tick clock.
    std::thread ticker([&] {
        while (!done) {
            clock.Advance(100);
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
    });
    const std::uint32_t start = clock.Now();
    EXPECT_EQ(HttpSend(kLoopback, sim.Port(), kRequest, true), 0u);
    const std::uint32_t waited = clock.Now() - start;
    done = true;
    ticker.join();
    EXPECT_GT(waited, kRequestDeadlineMs);
    EXPECT_LT(waited, kRequestDeadlineMs + 1000);

    // The poll timer's requests do not wait at all; the receive fails them
    // at the deadline.
    SocketHandle socket = 0;
    RecvState state;
    std::string answer;
    ASSERT_TRUE(HttpStart(kLoopback, sim.Port(), kRequest, socket, state));
    EXPECT_FALSE(HttpReceive(socket, answer, state, false, 4000));
    EXPECT_NE(socket, 0u);
    clock.Advance(kRequestDeadlineMs + 1);
    EXPECT_FALSE(HttpReceive(socket, answer, state, false, 4000));
    EXPECT_EQ(socket, 0u);
    EXPECT_EQ(state, nullptr);

    // Once the address answers again, so do the requests.
    ASSERT_TRUE(sim.Control("/unreachable", {{"on", "0"}}).Ok());
    socket = HttpSend(kLoopback, sim.Port(), kRequest, true);
    EXPECT_NE(socket, 0u);
    CloseConn(socket, state);
}

TEST_F(BlockingRequests, OnlyTheHeaderBlockSaysChunkedAndASizeLineWithoutASizeIsBroken) {
    struct Case {
        std::string answer;
        Framing framing;
        std::string body;
    };
    const Case cases[] = {
        // A page quoting the header is still an answer without length.
        {"HTTP/1.1 200 OK\r\n\r\n<p>Transfer-Encoding: chunked</p>\r\n0\r\n\r\n", Framing::EndOfArrivals, ""},
        {"HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\nzz\r\nabc\r\n0\r\n\r\n", Framing::Broken, ""},
        {"HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n3\r\nabc\r\n;x\r\n\r\n", Framing::Broken, ""},
        {"HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n3;x\r\nabc\r\n0\r\n\r\n", Framing::Complete, "abc"},
    };
    for (const Case& c : cases) {
        std::string answer = c.answer;
        EXPECT_EQ(ExamineAnswer(answer, false), c.framing) << c.answer;
        if (c.framing == Framing::Complete) {
            EXPECT_EQ(answer, c.body);
        }
    }

    // A broken answer fails at once, without waiting for the time-out.
    test::FakeClock clock;
    ScriptedPeer peer(Script().Send(cases[1].answer));
    SocketHandle socket = HttpSend(kLoopback, peer.Port(), kRequest, true);
    ASSERT_NE(socket, 0u);
    ASSERT_TRUE(peer.WaitScriptDone());
    RecvState state;
    std::string answer;
    for (int i = 0; i < 200 && socket != 0; ++i) {
        EXPECT_FALSE(HttpReceive(socket, answer, state, false, 4000));
        SystemSleep(1);
    }
    EXPECT_EQ(socket, 0u);
    EXPECT_EQ(clock.Now(), 1000u);
}

TEST(HttpStatusCode, ReadsTheStatusLineOnly) {
    EXPECT_EQ(HttpStatusCode("HTTP/1.1 200 OK\r\n\r\n"), 200);
    EXPECT_EQ(HttpStatusCode("HTTP/1.0 302 Found\r\nLocation: /\r\n\r\n"), 302);
    EXPECT_EQ(HttpStatusCode("HTTP/1.1 503\r\n\r\n"), 503);
    EXPECT_EQ(HttpStatusCode("<html>HTTP/1.1 200 OK</html>"), 0);
    EXPECT_EQ(HttpStatusCode("HTTP/1.1 2000 OK\r\n"), 0);
    EXPECT_EQ(HttpStatusCode("HTTP/1.1 20"), 0);
}

}  // namespace
}  // namespace vellora
