// The simulator's framings taken alone, read back by the client's own
// framing rules.

#include <gtest/gtest.h>

#include "net/http_client.h"
#include "wire_plan.h"

namespace vellora::sim {
namespace {

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
