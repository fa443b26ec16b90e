#include "support/fake_clock.h"

#include "net/clock.h"

namespace vellora::test {

FakeClock::FakeClock(std::uint32_t startMs, std::uint32_t realPauseMs) : now_(startMs), realPauseMs_(realPauseMs) {
    ClockSource source;
    source.millisecondCounter = [this] { return now_.load(); };
    source.sleep = [this](std::uint32_t ms) {
        if (realPauseMs_ > 0) SystemSleep(realPauseMs_);
        now_ += ms;
    };
    source.secondsSinceMidnight = [this] { return secondsSinceMidnight_.load(); };
    SetClockSource(source);
}

FakeClock::~FakeClock() { ResetClockSource(); }

}  // namespace vellora::test
