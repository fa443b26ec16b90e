#include "notify/toaster_rules.h"

#include "text/rtf_text.h"
#include "view/view_window.h"

namespace vellora {

PaneLine ToasterLine(std::int32_t kind, const std::wstring& user, const std::wstring& text,
                     std::int32_t timeOfDay) {
    PaneLine line;
    line.Time = timeOfDay;
    if (kind == kToasterEvent) {
        line.Text = BoldNameInText(text, user);
    } else {
        line.Prefix = BoldNamePrefix(user);
        line.Text = text;
    }
    return line;
}

bool ToasterStaysOpen(Tick lastUpdate, std::uint32_t lifetimeMs) {
    return lifetimeMs >= 1 && !TickElapsed(lastUpdate, lifetimeMs);
}

ToasterSpot PlaceToaster(const ToasterScreen& screen) {
    ToasterSpot spot;
    const ScreenRect desktop = screen.desktop.value_or(ScreenRect{});
    const ScreenRect toaster = screen.toaster.value_or(ScreenRect{});
    const std::int32_t width = toaster.right - toaster.left;
    const std::int32_t height = toaster.bottom - toaster.top;
    spot.left = desktop.right - width;
    spot.top = desktop.top;
    if (!screen.desktop || !screen.toaster || !screen.mouse) {
        spot.corner = kToasterScreenUnknown;
        return spot;
    }
    // The mouse on or near the top-right spot: the toaster would sit under it.
    const ScreenPoint& m = *screen.mouse;
    if (m.x >= spot.left - 50 && m.y <= desktop.top + height + 30) {
        spot.corner = kToasterBottomRight;
        spot.top = desktop.bottom - height;
    } else {
        spot.corner = kToasterTopRight;
    }
    return spot;
}

}  // namespace vellora
