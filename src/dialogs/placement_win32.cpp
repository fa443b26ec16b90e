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

ScreenPlacement PlaceNearCursor(std::int32_t width, std::int32_t height) {
    POINT at{};
    GetCursorPos(&at);
    CursorSpot spot{at.x, at.y, 0, 0};
    // The hot spot of the standard arrow: the gaps keep clear of the arrow.
    ICONINFO arrow{};
    if (GetIconInfo(LoadCursorW(nullptr, IDC_ARROW), &arrow)) {
        spot.hotX = static_cast<std::int32_t>(arrow.xHotspot);
        spot.hotY = static_cast<std::int32_t>(arrow.yHotspot);
        if (arrow.hbmMask) DeleteObject(arrow.hbmMask);
        if (arrow.hbmColor) DeleteObject(arrow.hbmColor);
    }
    return PlaceNearCursor(width, height, spot, GetWorkAreaAt(at.x, at.y));
}

}  // namespace vellora
