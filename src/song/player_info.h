#pragma once
// What the outside media player reports about the item it plays, and the
// interface through which song posting asks for it.

#include <cstddef>
#include <cstdint>
#include <string>

namespace vellora {

struct PlayerInfo {
    std::wstring Title;
    std::uint8_t Valid = 0;  // 0: nothing worth showing
    std::uint8_t Aux = 0;    // kept, not used
    std::uint8_t Kind = 0;   // 1 jingles and the like, 4 items held back for 30 s, 0 never posted
    std::int32_t Number = 0; // meaning depends on Kind (for songs their length)
};

// The player as song posting sees it. On Windows the shared-memory bridge
// implements it; tests plug in a scripted player.
class MediaPlayer {
public:
    virtual ~MediaPlayer() = default;
    // Fills Info and returns true when the player answered; leaves Info
    // alone and returns false when there is no player or no valid answer.
    virtual bool ReadPlayerState(PlayerInfo& info) = 0;
};

// The shared-memory block the player writes into: the title as UTF-16 with a
// terminating zero, then Aux, Valid, Kind, a reserved byte and Number as a
// 32-bit little-endian integer.
inline constexpr std::size_t kPlayerBlockSize = 528;

// Reads a block of Size bytes. False (Info untouched) when the title's
// terminating zero, or the eight bytes behind it, do not lie within the block.
bool ReadPlayerBlock(const unsigned char* block, std::size_t size, PlayerInfo& info);

}  // namespace vellora
