// Pieces of the simulator taken alone: the request reader fed one byte at a
// time, and every framing read back by the client's own framing rules.

#include <gtest/gtest.h>

#include "http_message.h"
#include "net/http_client.h"
#include "wire_plan.h"

namespace vellora::sim {
namespace {

TEST(RequestReaderTest, ReadsARequestFedOneByteAtATime) {
    const std::string raw =
        "POST http://club.sendrix.test/sendrix/club/login.php?x=1 HTTP/1.1\r\nHost: club\r\n"
        "Cookie: PHPSESSID=abc; other=2\r\nCookie2: $Version=1\r\nContent-Length:  11\r\n\r\nhello world";
    RequestReader reader;
    for (std::size_t i = 0; i + 1 < raw.size(); ++i) {
        ASSERT_EQ(reader.Feed(raw.substr(i, 1)), RequestReader::State::NeedMore) << i;
    }
    ASSERT_EQ(reader.Feed(raw.substr(raw.size() - 1) + "EXTRA"), RequestReader::State::Complete);
    const Request& r = reader.request();
    EXPECT_EQ(r.raw, raw) << "bytes after the request are not part of it";
    EXPECT_EQ(r.method, "POST");
    EXPECT_EQ(r.path, "/sendrix/club/login.php");
    EXPECT_EQ(r.query, "x=1");
    EXPECT_EQ(r.body, "hello world");
    EXPECT_EQ(r.Cookie("PHPSESSID"), "abc");
    EXPECT_EQ(r.Cookie("other"), "2");
    EXPECT_EQ(r.Header("content-length"), "11");
}

TEST(WirePlanTest, EveryFramingReadsBackThroughTheClientsRules) {
    Answer a;
    a.headers.push_back("Set-Cookie: PHPSESSID=x; path=/");
    for (std::size_t size : {0u, 1u, 7u, 100u, 5000u}) {
        a.body.clear();
        for (std::size_t i = 0; i < size; ++i) a.body += static_cast<char>('a' + i % 26);
        a.body += "</html>";
        for (std::uint32_t seed = 1; seed <= 20; ++seed) {
            WireControl wire(seed);
            for (FramingMode mode : {FramingMode::Length, FramingMode::Chunked}) {
                SendPlan plan = wire.Plan(a, mode, {});
                ASSERT_EQ(plan.pieces.size(), 1u);
                std::string bytes = plan.pieces[0].bytes;
                ASSERT_EQ(vellora::ExamineAnswer(bytes, false), vellora::Framing::Complete) << size << " " << seed;
                EXPECT_EQ(bytes, a.body);
            }
            std::string closing = wire.Plan(a, FramingMode::Close, {}).pieces[0].bytes;
            EXPECT_EQ(vellora::ExamineAnswer(closing, false), vellora::Framing::EndOfArrivals);
        }
    }
}

}  // namespace
}  // namespace vellora::sim
