#include "support/platform.h"

#ifdef _WIN32
#include <winsock2.h>
#include <windows.h>
#endif

namespace vellora::test {

bool RunningUnderWine() {
#ifdef _WIN32
    HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
    return ntdll && GetProcAddress(ntdll, "wine_get_version") != nullptr;
#else
    return false;
#endif
}

void EnsureSocketsStarted() {
#ifdef _WIN32
    static bool started = [] {
        WSADATA data{};
        return WSAStartup(0x0202, &data) == 0;
    }();
    (void)started;
#endif
}

}  // namespace vellora::test
