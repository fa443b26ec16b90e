#include <gtest/gtest.h>

#include "net/clock.h"
#include "support/fake_clock.h"

namespace vellora {
namespace {

using test::FakeClock;

TEST(TickClock, ReadingIsMaskedAndNeverZero) {
    FakeClock clock;
    clock.Set(0);
    EXPECT_EQ(TickNow(), 0x3FFFFFFFu);
    clock.Set(0x40000000);  // masks to 0 as well
    EXPECT_EQ(TickNow(), 0x3FFFFFFFu);
    clock.Set(0xC0000123);
    EXPECT_EQ(TickNow(), 0x123u);
    clock.Set(1);
    EXPECT_EQ(TickNow(), 1u);
}

TEST(TickClock, ElapsedIsStrictlyGreaterAndAStartOfZeroHasElapsed) {
    FakeClock clock(10000);
    EXPECT_TRUE(TickElapsed(0, 0xFFFFFFFF));
    EXPECT_FALSE(TickElapsed(6000, 4000));
    clock.Advance(1);
    EXPECT_TRUE(TickElapsed(6000, 4000));
    EXPECT_EQ(TickSince(6000), 4001u);
}

TEST(TickClock, OneWrapIsAllowedAlsoThroughTheZeroReading) {
    FakeClock clock(0x100);
    EXPECT_EQ(TickSince(0x3FFFFF00), 512u);
    EXPECT_TRUE(TickElapsed(0x3FFFFF00, 511));
    EXPECT_FALSE(TickElapsed(0x3FFFFF00, 512));

    // The counter passing through 0 reads as 0x3FFFFFFF: a start taken there
    // is one millisecond before a reading of 0x40000000 + 1.
    clock.Set(0x40000000);
    Tick start = TickNow();
    clock.Set(0x40000001);
    EXPECT_EQ(TickSince(start), 2u);
}

}  // namespace
}  // namespace vellora
