#pragma once
// A clock the test moves by hand: the millisecond counter stands still until
// Advance is called, and SleepMs advances it instead of waiting (after a
// short real pause so a peer on another thread gets its turn).

#include <atomic>
#include <cstdint>

namespace vellora::test {

class FakeClock {
public:
    explicit FakeClock(std::uint32_t startMs = 1000, std::uint32_t realPauseMs = 1);
    ~FakeClock();
    FakeClock(const FakeClock&) = delete;
    FakeClock& operator=(const FakeClock&) = delete;

    void Set(std::uint32_t ms) { now_ = ms; }
    void Advance(std::uint32_t ms) { now_ += ms; }
    std::uint32_t Now() const { return now_; }
    void SetSecondsSinceMidnight(std::int32_t s) { secondsSinceMidnight_ = s; }

private:
    std::atomic<std::uint32_t> now_;
    std::atomic<std::int32_t> secondsSinceMidnight_{12 * 3600};
    std::uint32_t realPauseMs_;
};

}  // namespace vellora::test
