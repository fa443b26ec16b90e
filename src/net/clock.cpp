#include "net/clock.h"

#include <utility>

namespace vellora {
namespace {

ClockSource& Source() {
    static ClockSource source;
    return source;
}

}  // namespace

void SetClockSource(ClockSource source) { Source() = std::move(source); }

void ResetClockSource() { Source() = ClockSource{}; }

Tick TickNow() {
    const auto& read = Source().millisecondCounter;
    Tick tick = (read ? read() : SystemMillisecondCounter()) & kTickMask;
    return tick == 0 ? kTickMask : tick;
}

std::uint32_t TickSince(Tick start) {
    std::int64_t now = TickNow();
    if (now < static_cast<std::int64_t>(start)) now += kTickWrap;
    return static_cast<std::uint32_t>(now - start);
}

bool TickElapsed(Tick start, std::uint32_t ms) {
    return start == 0 || TickSince(start) > ms;
}

void SleepMs(std::uint32_t ms) {
    const auto& sleep = Source().sleep;
    if (sleep) {
        sleep(ms);
    } else {
        SystemSleep(ms);
    }
}

std::int32_t LocalSecondsSinceMidnight() {
    const auto& read = Source().secondsSinceMidnight;
    return read ? read() : SystemSecondsSinceMidnight();
}

}  // namespace vellora
