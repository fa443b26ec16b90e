#pragma once
// The bridge to the outside media player SonarVista: a window message asks
// it to write the current item into a named shared-memory block.

#include "song/player_info.h"

namespace vellora {

// Asks the running player for its current item. False when no player window
// exists, the shared memory cannot be had, the player does not answer within
// kPlayerAnswerTimeoutMs or answers outside 1 to 511, or its block is
// malformed; Info is left alone then.
bool ReadPlayerState(PlayerInfo& info);

// A player that does not answer is given up after this long.
inline constexpr unsigned kPlayerAnswerTimeoutMs = 2000;

// The bridge as the MediaPlayer that song posting asks.
class SonarVistaPlayer : public MediaPlayer {
public:
    bool ReadPlayerState(PlayerInfo& info) override { return vellora::ReadPlayerState(info); }
};

}  // namespace vellora
