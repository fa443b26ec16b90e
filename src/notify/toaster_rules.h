#pragma once
// The toaster's rules apart from its window: the lines it shows, when it
// expires and at which corner of the screen it sits.
//
// The toaster keeps the latest twelve notification lines in a line ring of
// its own and shows them in its rich-text pane the way every pane shows its
// ring. It closes twelve seconds after its last line (measured by the poll
// tick) and then forgets them all.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

#include "dialogs/work_area.h"
#include "net/clock.h"
#include "text/line_ring.h"

namespace vellora {

inline constexpr std::size_t kToasterLineCount = 12;
// The user's picture on the toaster's left: its top-left part of this size.
inline constexpr std::int32_t kToasterPictureWidth = 130;
inline constexpr std::int32_t kToasterPictureHeight = 156;

// Where the toaster sits (ToasterCorner).
enum ToasterCornerId : std::int32_t {
    kToasterNotPlaced = 0,
    kToasterTopRight = 1,
    kToasterBottomRight = 2,
    kToasterScreenUnknown = 3,  // the screen's or the mouse's position could not be read
};

// The line of a toaster of Kind: an event line (kind 2) shows the user's
// name in bold wherever it stands in the text; a user's message shows the
// bold name and a colon in front. Text is rich text; the name is escaped.
PaneLine ToasterLine(std::int32_t kind, const std::wstring& user, const std::wstring& text,
                     std::int32_t timeOfDay);

// True while a toaster last changed at LastUpdate is still due: a lifetime
// of 0 closes it at once.
bool ToasterStaysOpen(Tick lastUpdate, std::uint32_t lifetimeMs);

// The toaster's corner and top-left point on a desktop of the given
// rectangle, with the mouse at Cursor. Flush with the right edge, at the top;
// at the bottom while the mouse rests on or near the top-right spot, so the
// toaster gets out of its way. Without the desktop, the toaster's size or the
// mouse, the corner is unknown and the toaster stays at the top.
struct ToasterSpot {
    std::int32_t corner = kToasterNotPlaced;
    std::int32_t left = 0;
    std::int32_t top = 0;
};
struct ScreenPoint {
    std::int32_t x = 0;
    std::int32_t y = 0;
};
struct ToasterScreen {
    std::optional<ScreenRect> desktop;
    std::optional<ScreenRect> toaster;  // its current window rectangle
    std::optional<ScreenPoint> mouse;
};
ToasterSpot PlaceToaster(const ToasterScreen& screen);

}  // namespace vellora
