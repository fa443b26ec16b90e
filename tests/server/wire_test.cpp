// What goes over the wire: the three framings, the faults, and the log of
// raw requests that tests check the client's request bytes against.

#include <algorithm>
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

class FramingTest : public ChatTest, public ::testing::WithParamInterface<const char*> {};

TEST_P(FramingTest, EveryAnswerOfTheLoginPathArrivesWhole) {
    const std::string mode = GetParam();
    ASSERT_TRUE(sim_.SetFraming("all", mode));
    // Without length information the client waits for silence; keep it short.
    const std::uint32_t timeout = mode == "close" ? 300 : 4000;
    ChatLogin login = LoginToChat(sim_.Port(), "demo", "demo123", timeout);
    ASSERT_TRUE(login.Ok()) << login.failure;
    const std::string poll = GetdataRequest(kSimEndpoints, login.jSessionId);
    std::string body;
    ASSERT_TRUE(Fetch(sim_.Port(), poll, body, false, timeout));
    EXPECT_TRUE(HasUser(ParseGetdata(body), "demo"));

    std::string raw = RawAnswer(sim_.Port(), poll);
    std::string head = raw.substr(0, raw.find("\r\n\r\n") + 4);
    EXPECT_EQ(head.find("Content-Length:") != std::string::npos, mode == "length") << head;
    EXPECT_EQ(head.find("Transfer-Encoding: chunked") != std::string::npos, mode == "chunked") << head;
    if (mode == "chunked") {
        // Split into several chunks, and ended by the zero chunk.
        body = raw.substr(head.size());
        EXPECT_GT(std::count(body.begin(), body.end(), '\n'), 10);
        EXPECT_EQ(body.substr(body.size() - 5), "0\r\n\r\n");
    }
}

INSTANTIATE_TEST_SUITE_P(Modes, FramingTest, ::testing::Values("length", "chunked", "close"));

TEST_F(ChatTest, FaultsBreakOnlyTheAnswerTheyAreSetFor) {
    ChatLogin login = Login("demo", "demo123");
    const std::string poll = GetdataRequest(kSimEndpoints, login.jSessionId);
    std::string body;
    const std::vector<std::pair<std::string, ControlParams>> faults = {
        {"stall", {}},          {"wronglength", {{"delta", "10"}}}, {"wronglength", {{"delta", "-5"}}},
        {"reset", {}},          {"reset", {{"bytes", "20"}}},        {"garbage", {{"bytes", "300"}}}};
    for (const auto& [kind, more] : faults) {
        ControlParams params = more;
        params.push_back({"count", "1"});
        ASSERT_TRUE(sim_.SetFault("getdata", kind, params)) << kind;
        EXPECT_FALSE(Fetch(sim_.Port(), poll, body, false, 300)) << kind;
        ASSERT_TRUE(Fetch(sim_.Port(), poll, body, false, 300)) << kind << ": the fault was for one answer only";
        EXPECT_TRUE(ParseGetdata(body).Complete);
    }

    // A dripped answer arrives whole; a truncated one is whole in its framing
    // but lacks the page's end.
    ASSERT_TRUE(sim_.SetFault("getdata", "drip", {{"bytes", "50"}, {"ms", "1"}, {"count", "1"}}));
    ASSERT_TRUE(sim_.Say("bob", "tropf"));
    ASSERT_TRUE(Fetch(sim_.Port(), poll, body, false, 300));
    EXPECT_TRUE(ParseGetdata(body).Complete);
    EXPECT_NE(FindLine(ParseGetdata(body), "tropf"), nullptr);
    ASSERT_TRUE(sim_.SetFault("getdata", "truncate", {{"count", "1"}}));
    ASSERT_TRUE(sim_.Say("bob", "abgeschnitten"));
    ASSERT_TRUE(Fetch(sim_.Port(), poll, body, false, 300));
    GetdataAnswer page = ParseGetdata(body);
    EXPECT_FALSE(page.Complete);
    EXPECT_NE(FindLine(page, "abgeschnitten"), nullptr);
    EXPECT_TRUE(page.Counts.has_value());
    EXPECT_FALSE(sim_.SetFault("getdata", "explode"));
}

TEST_F(ChatTest, RawRequestsAreLoggedByteForByte) {
    ASSERT_TRUE(sim_.Control("/account/add", {{"name", "J\xF6rg"}, {"password", "p\xE4ss&x"}}).Ok());
    ASSERT_TRUE(sim_.ClearRequests());
    ChatLogin session = Login("J\xF6rg", "p\xE4ss&x");
    std::string send = SendMessageRequest(kSimEndpoints, session.jSessionId, PercentEncodeAll("\x01hi"));
    Get(send);

    std::vector<RawRequest> all = sim_.Requests(100);
    std::vector<std::string> endpoints;
    for (const RawRequest& r : all) endpoints.push_back(r.endpoint);
    ASSERT_EQ(endpoints, (std::vector<std::string>{"login", "home", "enter", "participate", "sendmessage"}));
    EXPECT_EQ(all[0].bytes, LoginFormRequest(kSimEndpoints, "J\xF6rg", "p\xE4ss&x"));
    EXPECT_EQ(all[4].bytes, send);
    EXPECT_LT(all[0].seq, all[4].seq);
    std::vector<RawRequest> last = sim_.Requests(1, "enter");
    ASSERT_EQ(last.size(), 1u);
    EXPECT_EQ(last[0].bytes, ChatEnterRequest(kSimEndpoints, session.userId, session.phpSessionId));
}

}  // namespace
}  // namespace vellora::test
