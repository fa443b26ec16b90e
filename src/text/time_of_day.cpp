#include "text/time_of_day.h"

#include "net/clock.h"

namespace vellora {

std::int32_t TimeOfDaySeconds() {
    std::int32_t s = LocalSecondsSinceMidnight();
    return s < 0 ? 0 : (s > 86399 ? 86399 : s);
}

}  // namespace vellora
