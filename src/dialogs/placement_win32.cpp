#include "dialogs/placement_win32.h"

namespace vellora {

ScreenRect GetWorkAreaAt(std::int32_t x, std::int32_t y) {
    RECT area{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0);
    HMONITOR monitor = MonitorFromPoint(POINT{x, y}, MONITOR_DEFAULTTONEAREST);
    MONITORINFO info{};
    info.cbSize = sizeof(info);
    if (monitor && GetMonitorInfoW(monitor, &info)) area = info.rcWork;
    return {area.left, area.top, area.right, area.bottom};
}

void FitWindowOnScreen(HWND window) {
    WINDOWPLACEMENT wp{};
    wp.length = sizeof(wp);
    if (!GetWindowPlacement(window, &wp)) return;
    const RECT& r = wp.rcNormalPosition;
    ScreenPlacement p = ClampRectToWorkArea({r.left, r.top, r.right, r.bottom}, GetWorkAreaAt);
    SetWindowPos(window, nullptr, p.left, p.top, p.width, p.height, SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace vellora
