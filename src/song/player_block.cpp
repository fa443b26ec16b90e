#include "song/player_info.h"

namespace vellora {

bool ReadPlayerBlock(const unsigned char* block, std::size_t size, PlayerInfo& info) {
    // A player that leaves out the zero, or writes a title so long that the
    // numbers behind it would fall outside the block, reports no song: the
    // client never reads past the block.
    std::wstring title;
    std::size_t at = 0;
    for (;;) {
        if (at + 2 > size) return false;
        wchar_t unit = static_cast<wchar_t>(block[at] | (block[at + 1] << 8));
        at += 2;
        if (unit == 0) break;
        title += unit;
    }
    if (at + 8 > size) return false;
    info.Title = std::move(title);
    info.Aux = block[at];
    info.Valid = block[at + 1];
    info.Kind = block[at + 2];
    std::uint32_t number = static_cast<std::uint32_t>(block[at + 4]) | (static_cast<std::uint32_t>(block[at + 5]) << 8) |
                           (static_cast<std::uint32_t>(block[at + 6]) << 16) |
                           (static_cast<std::uint32_t>(block[at + 7]) << 24);
    info.Number = static_cast<std::int32_t>(number);
    return true;
}

}  // namespace vellora
