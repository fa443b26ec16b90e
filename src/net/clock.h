#pragma once
// The tick clock that every time-out and idle rule of the client uses.
//
// A tick is the system's millisecond counter reduced to its low 30 bits, so it
// wraps every 2^30 ms (about 12.4 days). A reading of 0 is never handed out:
// 0 stands for "no time recorded".

#include <cstdint>
#include <functional>

namespace vellora {

using Tick = std::uint32_t;

inline constexpr Tick kTickMask = 0x3FFFFFFF;
inline constexpr Tick kTickWrap = 0x40000000;
// "No tick": used where a stored time can be absent in a way that is not 0,
// such as the moment a kick was seen.
inline constexpr Tick kNoTick = 0xFFFFFFFF;

// The current tick, never 0.
Tick TickNow();

// True when Start is 0, or when more than Ms milliseconds have passed since
// Start. One wrap of the 30-bit counter is allowed.
bool TickElapsed(Tick start, std::uint32_t ms);

// Milliseconds passed since Start, allowing one wrap.
std::uint32_t TickSince(Tick start);

// Blocks the calling thread (the 250 ms waits of the blocking requests).
void SleepMs(std::uint32_t ms);

// Whole seconds since local midnight, 0 to 86399.
std::int32_t LocalSecondsSinceMidnight();

// The seam behind the three readings above. Tests install their own sources
// so wraps and time-outs run without waiting; an empty function means the
// system's own source.
struct ClockSource {
    std::function<std::uint32_t()> millisecondCounter;
    std::function<void(std::uint32_t)> sleep;
    std::function<std::int32_t()> secondsSinceMidnight;
};
void SetClockSource(ClockSource source);
void ResetClockSource();

// The platform's raw readings (clock_posix.cpp / clock_win32.cpp).
std::uint32_t SystemMillisecondCounter();
void SystemSleep(std::uint32_t ms);
std::int32_t SystemSecondsSinceMidnight();

}  // namespace vellora
