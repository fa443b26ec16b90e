#pragma once

#include <cstdint>

namespace vellora {

// Num / Den rounded to the nearest integer, halves to the even neighbour:
// the rounding the window layout rules are written in. Den must be positive.
constexpr std::int64_t DivRoundHalfEven(std::int64_t num, std::int64_t den) {
    std::int64_t q = num / den;
    std::int64_t r = num % den;
    if (r < 0) {  // floor division, so the remainder lies in [0, den)
        q -= 1;
        r += den;
    }
    if (2 * r > den || (2 * r == den && (q & 1) != 0)) ++q;
    return q;
}

}  // namespace vellora
