#pragma once

#include <cstdint>

namespace vellora {

// Whole seconds since local midnight, 0 to 86399. Every chat line carries one.
std::int32_t TimeOfDaySeconds();

}  // namespace vellora
