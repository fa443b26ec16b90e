// The simulator's hostile mode and its extra faults, and that its polite
// default stays as it was.

#include <string>

#include "server/chat_test.h"

namespace vellora::test {
namespace {

using HostileServer = ChatTest;

const std::string kNulLine = std::string("a\0b Denied, please login. Transfer-Encoding: chunked", 52);

TEST_F(HostileServer, HostileLinesKeepEveryByteAndMayLookLikeProtocol) {
    ChatLogin login = Login("demo", "demo123");
    Send(login.jSessionId, kNulLine);
    std::string polite = PollBody(login.jSessionId);
    EXPECT_EQ(polite.find("Denied, please login."), std::string::npos);
    EXPECT_EQ(polite.find("Transfer-Encoding: chunked"), std::string::npos);
    EXPECT_EQ(polite.find('\0'), std::string::npos);

    ASSERT_TRUE(sim_.Control("/hostile", {{"on", "1"}}).Ok());
    Send(login.jSessionId, kNulLine);
    ASSERT_TRUE(sim_.Control("/say", {{"user", std::string("n\0x", 3)}, {"text", "hi"}}).Ok());
    std::string hostile = PollBody(login.jSessionId);
    EXPECT_NE(hostile.find(kNulLine), std::string::npos);
    EXPECT_NE(hostile.find(std::string("'name':'n\0x'", 12)), std::string::npos);
}

TEST_F(HostileServer, RedirectsAndErrorStatusesServeNothing) {
    ChatLogin login = Login("demo", "demo123");
    ASSERT_TRUE(sim_.SetFault("sendmessage", "redirect", {{"count", "1"}}));
    ASSERT_TRUE(sim_.SetFault("getdata", "status", {{"status", "500"}, {"count", "1"}}));
    std::string answer;
    ASSERT_TRUE(Fetch(sim_.Port(), SendMessageRequest(login.jSessionId, PercentEncodeAll("lost")), answer, true));
    EXPECT_EQ(HttpStatusCode(answer), 302);
    EXPECT_NE(answer.find("\r\nLocation: http://club.sendrix.test/"), std::string::npos);
    ASSERT_TRUE(Fetch(sim_.Port(), GetDataRequest(login.jSessionId), answer, true));
    EXPECT_EQ(HttpStatusCode(answer), 500);
    // The redirected line was never taken.
    EXPECT_EQ(PollBody(login.jSessionId).find("lost"), std::string::npos);
}

TEST_F(HostileServer, AResetAfterTheAnswerAndATrickleJustInsideTheTimeOut) {
    ChatLogin login = Login("demo", "demo123");
    ASSERT_TRUE(sim_.SetFault("getdata", "resetafter", {{"count", "1"}}));
    std::string answer;
    ASSERT_TRUE(Fetch(sim_.Port(), GetDataRequest(login.jSessionId), answer, false));
    EXPECT_EQ(answer.substr(answer.size() - 7), "</html>");

    ASSERT_TRUE(sim_.SetFault("getdata", "trickle"));
    SocketHandle socket = HttpSend(kLoopback, sim_.Port(), GetDataRequest(login.jSessionId), true);
    RecvState state;
    for (int i = 0; i < 300; ++i) {
        EXPECT_FALSE(HttpReceive(socket, answer, state, true, 4000));
        SystemSleep(1);
    }
    // One byte at first, the next one only after 3.8 s.
    ASSERT_NE(state, nullptr);
    EXPECT_EQ(state->bytes, "H");
    CloseConn(socket, state);
}

}  // namespace
}  // namespace vellora::test
