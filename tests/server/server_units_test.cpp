// Pieces of the simulator taken alone: the request reader fed in odd
// pieces, and every framing read back by the client's own framing rules.

#include <gtest/gtest.h>

#include "http_message.h"
#include "net/http_client.h"
#include "text_coding.h"
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

TEST(RequestReaderTest, BareLineFeedsAndLimits) {
    RequestReader lf;
    EXPECT_EQ(lf.Feed("GET /a HTTP/1.0\nX: y\n\n"), RequestReader::State::Complete);
    EXPECT_EQ(lf.request().Header("X"), "y");

    RequestReader huge;
    EXPECT_EQ(huge.Feed(std::string(kMaxHeaderBytes + 10, 'a')), RequestReader::State::Bad);
    EXPECT_EQ(huge.ErrorStatus(), 431);
    EXPECT_LE(huge.Buffered().size(), kMaxHeaderBytes + kMaxBodyBytes + 1);

    RequestReader twoLengths;
    EXPECT_EQ(twoLengths.Feed("POST / HTTP/1.1\r\nContent-Length: 1\r\nContent-Length: 2\r\n\r\n"),
              RequestReader::State::Bad);
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

TEST(WirePlanTest, FaultsShapeThePlan) {
    WireControl wire(1);
    Answer a;
    a.body = "<html>page</html>";
    Fault drip{FaultKind::Drip, 30, 4};
    SendPlan plan = wire.Plan(a, FramingMode::Length, drip);
    ASSERT_GT(plan.pieces.size(), 10u);
    EXPECT_EQ(plan.pieces[0].delayBefore, 0);
    EXPECT_EQ(plan.pieces[1].delayBefore, 30);
    EXPECT_EQ(plan.pieces[1].bytes.size(), 4u);

    std::string truncated = wire.Plan(a, FramingMode::Length, {FaultKind::Truncate}).pieces[0].bytes;
    ASSERT_EQ(vellora::ExamineAnswer(truncated, false), vellora::Framing::Complete);
    EXPECT_EQ(truncated, "<html>page");

    EXPECT_EQ(wire.Plan(a, FramingMode::Length, {FaultKind::Stall}).end, SendPlan::End::Stall);
    SendPlan reset = wire.Plan(a, FramingMode::Length, {FaultKind::Reset, 0, 5});
    EXPECT_EQ(reset.end, SendPlan::End::Reset);
    EXPECT_EQ(reset.pieces.at(0).bytes, "HTTP/");

    // A fault with a count is used up; one without stays.
    EXPECT_TRUE(wire.SetFault("getdata", {FaultKind::Delay, 10, 0, 0, 2}));
    EXPECT_EQ(wire.TakeFault("getdata").kind, FaultKind::Delay);
    EXPECT_EQ(wire.TakeFault("getdata").kind, FaultKind::Delay);
    EXPECT_EQ(wire.TakeFault("getdata").kind, FaultKind::None);
    EXPECT_TRUE(wire.SetFault("all", {FaultKind::Stall}));
    EXPECT_EQ(wire.TakeFault("avatar").kind, FaultKind::Stall);
    EXPECT_EQ(wire.TakeFault("avatar").kind, FaultKind::Stall);
}

TEST(TextCodingTest, OwnTextsBecomeEntitiesAndUserBytesStay) {
    EXPECT_EQ(EscapeChatTextUtf8("Grüße, 'Köln' & €"), "Gr&uuml;&szlig;e, &#39;K&ouml;ln&#39; &amp; &#8364;");
    EXPECT_EQ(EscapeChatText("Gr\xFC\xDF" "e"), "Gr\xFC\xDF" "e");
    EXPECT_EQ(EscapeChatTextUtf8("broken \xC3"), "broken ?");
    EXPECT_EQ(PercentDecode("%41%e4+%4"), std::string("A\xE4 %4"));
    EXPECT_TRUE(IsValidName("J\xF6rg"));
    for (const char* bad : {"", "a b", "it's", "a&b", "a:b", "<b>", "0123456789012345678901234567890"}) {
        EXPECT_FALSE(IsValidName(bad)) << bad;
    }
}

}  // namespace
}  // namespace vellora::sim
