#include <windows.h>

#include "net/clock.h"

namespace vellora {

std::uint32_t SystemMillisecondCounter() { return GetTickCount(); }

void SystemSleep(std::uint32_t ms) { Sleep(ms); }

std::int32_t SystemSecondsSinceMidnight() {
    SYSTEMTIME local{};
    GetLocalTime(&local);
    return local.wHour * 3600 + local.wMinute * 60 + local.wSecond;
}

}  // namespace vellora
