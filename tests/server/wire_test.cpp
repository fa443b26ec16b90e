// What goes over the wire: the three framings, the faults, refused
// requests, and the log of raw requests that tests check the client's
// request bytes against.

#include <string>

#include "chat_test.h"

namespace vellora::test {
namespace {

// Everything the server sends until it closes, read with the client's
// socket seam but none of its framing rules.
std::string RawAnswer(std::uint16_t port, const std::string& request) {
    SocketHandle s = HttpSend(kLoopback, port, request, true);
    EXPECT_NE(s, 0u);
    std::string bytes;
    char buffer[4096];
    for (int idle = 0; s != 0 && idle < 5000;) {
        long n = SockRecv(s, buffer, sizeof buffer);
        if (n > 0) {
            bytes.append(buffer, static_cast<std::size_t>(n));
            continue;
        }
        if (n == 0 || SockLastError() != kSockWouldBlock) break;
        SystemSleep(1);
        ++idle;
    }
    SockClose(s);
    return bytes;
}

std::string HeadOf(const std::string& answer) { return answer.substr(0, answer.find("\r\n\r\n") + 4); }

class FramingTest : public ChatTest, public ::testing::WithParamInterface<const char*> {};

TEST_P(FramingTest, EveryAnswerOfTheLoginPathArrivesWhole) {
    const std::string mode = GetParam();
    ASSERT_TRUE(sim_.SetFraming("all", mode));
    // Without length information the client waits for silence; keep it short.
    const std::uint32_t timeout = mode == "close" ? 300 : 4000;
    ChatLogin login = LoginToChat(sim_.Port(), "demo", "demo123", timeout);
    ASSERT_TRUE(login.Ok()) << login.failure;
    Send(login.jSessionId, "framed");
    std::string answer;
    ASSERT_TRUE(Fetch(sim_.Port(), GetDataRequest(login.jSessionId), answer, true, timeout));
    GetDataPage page = ReadGetData(answer.substr(answer.find("\r\n\r\n") + 4));
    EXPECT_TRUE(page.endsWithHtml);
    EXPECT_TRUE(page.HasUser("demo"));
    EXPECT_NE(page.FindLine("framed"), nullptr);

    std::string raw = RawAnswer(sim_.Port(), GetDataRequest(login.jSessionId));
    std::string head = HeadOf(raw);
    EXPECT_EQ(head.find("Content-Length:") != std::string::npos, mode == "length") << head;
    EXPECT_EQ(head.find("Transfer-Encoding: chunked") != std::string::npos, mode == "chunked") << head;
    if (mode == "chunked") {
        // Split into several chunks, and ended by the zero chunk.
        std::string body = raw.substr(head.size());
        EXPECT_GT(std::count(body.begin(), body.end(), '\n'), 10);
        EXPECT_EQ(body.substr(body.size() - 5), "0\r\n\r\n");
    }
}

INSTANTIATE_TEST_SUITE_P(Modes, FramingTest, ::testing::Values("length", "chunked", "close"));

TEST_F(ChatTest, FramingIsSetPerEndpoint) {
    ASSERT_TRUE(sim_.SetFraming("getdata", "chunked"));
    ChatLogin login = Login("demo", "demo123");
    EXPECT_NE(HeadOf(RawAnswer(sim_.Port(), GetDataRequest(login.jSessionId))).find("chunked"), std::string::npos);
    EXPECT_NE(HeadOf(RawAnswer(sim_.Port(), HomeRequest(login.phpSessionId))).find("Content-Length:"),
              std::string::npos);
    EXPECT_FALSE(sim_.SetFraming("nosuch", "chunked"));
    EXPECT_FALSE(sim_.SetFraming("getdata", "gzip"));
}

class FaultTest : public ChatTest {
protected:
    void SetUp() override {
        ChatTest::SetUp();
        login_ = Login("demo", "demo123");
        Poll(login_.jSessionId);
    }
    // One getdata exchange with a short inactivity time-out.
    bool Fetch300(std::string& body) { return Fetch(sim_.Port(), GetDataRequest(login_.jSessionId), body, false, 300); }
    void ExpectRecovered() {
        std::string body;
        ASSERT_TRUE(Fetch300(body)) << "the fault was for one answer only";
        EXPECT_TRUE(ReadGetData(body).endsWithHtml);
    }
    ChatLogin login_;
};

TEST_F(FaultTest, DelayHoldsTheAnswerBack) {
    ASSERT_TRUE(sim_.SetFault("getdata", "delay", {{"ms", "400"}, {"count", "1"}}));
    SocketHandle s = HttpSend(kLoopback, sim_.Port(), GetDataRequest(login_.jSessionId), true);
    RecvState state;
    std::string body;
    SystemSleep(100);
    EXPECT_FALSE(HttpReceive(s, body, state, false, 4000));
    EXPECT_NE(s, 0u) << "nothing yet, still waiting";
    bool done = false;
    while (s != 0) {
        SystemSleep(5);
        done = HttpReceive(s, body, state, false, 4000);
    }
    EXPECT_TRUE(done);
    EXPECT_TRUE(ReadGetData(body).endsWithHtml);
}

TEST_F(FaultTest, DrippedAndTruncatedAnswersKeepTheirLines) {
    ASSERT_TRUE(sim_.SetFault("getdata", "drip", {{"bytes", "50"}, {"ms", "1"}, {"count", "1"}}));
    ASSERT_TRUE(sim_.Say("bob", "tropf"));
    std::string body;
    ASSERT_TRUE(Fetch300(body));
    EXPECT_TRUE(ReadGetData(body).endsWithHtml);
    EXPECT_NE(ReadGetData(body).FindLine("tropf"), nullptr);

    ASSERT_TRUE(sim_.SetFault("getdata", "truncate", {{"count", "1"}}));
    ASSERT_TRUE(sim_.Say("bob", "abgeschnitten"));
    ASSERT_TRUE(Fetch300(body)) << "the framing itself is whole";
    GetDataPage page = ReadGetData(body);
    EXPECT_FALSE(page.endsWithHtml);
    EXPECT_NE(page.FindLine("abgeschnitten"), nullptr);
    EXPECT_TRUE(page.hasCounts);
}

TEST_F(FaultTest, BrokenAnswersFailAndOnlyTheFaultedOne) {
    const std::vector<std::pair<std::string, ControlParams>> faults = {
        {"stall", {}},          {"wronglength", {{"delta", "10"}}}, {"wronglength", {{"delta", "-5"}}},
        {"reset", {}},          {"reset", {{"bytes", "20"}}},        {"garbage", {{"bytes", "300"}}}};
    for (const auto& [kind, more] : faults) {
        ControlParams params = more;
        params.push_back({"count", "1"});
        ASSERT_TRUE(sim_.SetFault("getdata", kind, params)) << kind;
        std::string body;
        EXPECT_FALSE(Fetch300(body)) << kind;
        ExpectRecovered();
    }
}

TEST_F(FaultTest, OwnUserMissingFromTheList) {
    ASSERT_TRUE(sim_.AddMember({.name = "Kiki"}));
    ASSERT_TRUE(sim_.SetFault("getdata", "nouser", {{"count", "2"}}));
    for (int i = 0; i < 2; ++i) {
        GetDataPage page = Poll(login_.jSessionId);
        EXPECT_FALSE(page.HasUser("demo"));
        EXPECT_TRUE(page.HasUser("Kiki"));
    }
    EXPECT_TRUE(Poll(login_.jSessionId).HasUser("demo")) << "after two answers the fault is used up";
}

TEST_F(FaultTest, FaultsStayUntilSwitchedOffAndHitOnlyTheirEndpoint) {
    ASSERT_TRUE(sim_.SetFault("login", "stall"));
    EXPECT_FALSE(LoginToChat(sim_.Port(), "tester", "tester123", 300).Ok());
    EXPECT_FALSE(LoginToChat(sim_.Port(), "tester", "tester123", 300).Ok());
    ExpectRecovered();
    ASSERT_TRUE(sim_.SetFault("login", "none"));
    EXPECT_TRUE(LoginToChat(sim_.Port(), "tester", "tester123").Ok());
    EXPECT_FALSE(sim_.SetFault("getdata", "explode"));
}

TEST_F(ChatTest, BadRequestsGetErrorAnswers) {
    auto status = [&](const std::string& request) {
        std::string head = HeadOf(RawAnswer(sim_.Port(), request));
        return head.substr(0, 12);
    };
    EXPECT_EQ(status("garbage\r\n\r\n"), "HTTP/1.1 400");
    EXPECT_EQ(status("GET / HTTP/2.0\r\n\r\n"), "HTTP/1.1 505");
    EXPECT_EQ(status("GET /x HTTP/1.1\r\nNoColonHere\r\n\r\n"), "HTTP/1.1 400");
    EXPECT_EQ(status("GET /x HTTP/1.1\r\nX: " + std::string(20000, 'a') + "\r\n\r\n"), "HTTP/1.1 431");
    EXPECT_EQ(status("POST /ac/chat/sendmessage HTTP/1.1\r\nContent-Length: 100000\r\n\r\n"), "HTTP/1.1 413");
    EXPECT_EQ(status("POST /ac/chat/sendmessage HTTP/1.1\r\nContent-Length: -1\r\n\r\n"), "HTTP/1.1 400");
    EXPECT_EQ(status("POST /ac/chat/sendmessage HTTP/1.1\r\nTransfer-Encoding: chunked\r\n\r\n"), "HTTP/1.1 501");
    EXPECT_EQ(status("DELETE /ac/chat/getdata HTTP/1.1\r\n\r\n"), "HTTP/1.1 405");
    EXPECT_EQ(status("GET /nothing/here HTTP/1.1\r\n\r\n"), "HTTP/1.1 404");
    // Binary junk with a header end.
    EXPECT_EQ(status(std::string("\x00\xFF\x01 \x02 \x03\r\n\r\n", 11)), "HTTP/1.1 400");
    EXPECT_TRUE(sim_.Control("/ping").Ok());
    EXPECT_EQ(sim_.Requests(10, "bad").size(), 8u);
}

TEST_F(ChatTest, RawRequestsAreLoggedByteForByte) {
    ASSERT_TRUE(sim_.AddAccount({.name = "J\xF6rg", .password = "p\xE4ss&x"}));
    ASSERT_TRUE(sim_.ClearRequests());
    std::string login = LoginRequest("J\xF6rg", "p\xE4ss&x");
    ChatLogin session = Login("J\xF6rg", "p\xE4ss&x");
    std::string send = SendMessageRequest(session.jSessionId, PercentEncodeAll("\x01hi"));
    Get(send);

    std::vector<RawRequest> all = sim_.Requests(100);
    std::vector<std::string> endpoints;
    for (const RawRequest& r : all) endpoints.push_back(r.endpoint);
    ASSERT_EQ(endpoints, (std::vector<std::string>{"login", "home", "enter", "participate", "sendmessage"}));
    EXPECT_EQ(all[0].bytes, login);
    EXPECT_EQ(all[4].bytes, send);
    EXPECT_LT(all[0].seq, all[4].seq);

    std::vector<RawRequest> last = sim_.Requests(1, "enter");
    ASSERT_EQ(last.size(), 1u);
    EXPECT_EQ(last[0].bytes, EnterRequest(session.userId, session.phpSessionId));

    // A request the client never finished is kept as it came.
    SocketHandle s = HttpSend(kLoopback, sim_.Port(), "GET /ac/chat/getdata HTTP/1.1\r\nHost: x\r\n", true);
    SockClose(s);
    std::vector<RawRequest> partial;
    for (int i = 0; i < 200 && partial.empty(); ++i) {
        SystemSleep(5);
        partial = sim_.Requests(1, "partial");
    }
    ASSERT_EQ(partial.size(), 1u);
    EXPECT_EQ(partial[0].bytes, "GET /ac/chat/getdata HTTP/1.1\r\nHost: x\r\n");
}

}  // namespace
}  // namespace vellora::test
