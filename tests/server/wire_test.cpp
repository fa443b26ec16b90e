// What goes over the wire: the three framings and the faults.

#include <algorithm>
#include <string>

#include "chat_test.h"
#include "wire_plan.h"

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

// The client reads every framing (chat tests); here the framing is what the
// simulator was told to use.
TEST_F(ChatTest, EachFramingIsWhatItSays) {
    const std::string poll = GetdataRequest(kSimEndpoints, Login("demo", "demo123").jSessionId);
    for (const std::string mode : {"length", "chunked", "close"}) {
        ASSERT_TRUE(sim_.SetFraming("all", mode));
        std::string raw = RawAnswer(sim_.Port(), poll);
        std::string head = raw.substr(0, raw.find("\r\n\r\n") + 4);
        EXPECT_EQ(head.find("Content-Length:") != std::string::npos, mode == "length") << head;
        EXPECT_EQ(head.find("Transfer-Encoding: chunked") != std::string::npos, mode == "chunked") << head;
        std::string body = raw.substr(head.size());
        EXPECT_EQ(body.substr(body.size() - 7), mode == "chunked" ? "\r\n0\r\n\r\n" : "</html>") << mode;
        if (mode == "chunked") {
            EXPECT_GT(std::count(body.begin(), body.end(), '\n'), 10) << "several chunks";
        }
    }
}

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

// The framings alone, read back by the client's own framing rules.
TEST(WirePlanTest, EveryFramingReadsBackThroughTheClientsRules) {
    sim::Answer a;
    a.headers.push_back("Set-Cookie: PHPSESSID=x; path=/");
    for (std::size_t size : {0u, 1u, 7u, 100u, 5000u}) {
        a.body.clear();
        for (std::size_t i = 0; i < size; ++i) a.body += static_cast<char>('a' + i % 26);
        a.body += "</html>";
        for (std::uint32_t seed = 1; seed <= 20; ++seed) {
            sim::WireControl wire(seed);
            for (sim::FramingMode mode : {sim::FramingMode::Length, sim::FramingMode::Chunked}) {
                sim::SendPlan plan = wire.Plan(a, mode, {});
                ASSERT_EQ(plan.pieces.size(), 1u);
                std::string bytes = plan.pieces[0].bytes;
                ASSERT_EQ(ExamineAnswer(bytes, false), Framing::Complete) << size << " " << seed;
                EXPECT_EQ(bytes, a.body);
            }
            std::string closing = wire.Plan(a, sim::FramingMode::Close, {}).pieces[0].bytes;
            EXPECT_EQ(ExamineAnswer(closing, false), Framing::EndOfArrivals);
        }
    }
}

}  // namespace
}  // namespace vellora::test
