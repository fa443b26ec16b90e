#pragma once
// Song posting: on every poll tick the title the media player plays is read,
// and when the chat has been quiet for a while it is posted as
// "(listening to: <title>)". Jingles, short items, repeats and more than one
// post in 5 minutes are kept out.

#include <cstdint>
#include <string>

#include "config/settings.h"
#include "net/clock.h"
#include "song/player_info.h"

namespace vellora {

// Where a song line goes: SendMsg with no dialog. The protocol layer
// implements it.
class SongPostTarget {
public:
    virtual ~SongPostTarget() = default;
    // Posts an already percent-encoded chat line; true when the chat server
    // took it.
    virtual bool PostEncodedLine(const std::wstring& realMsg) = 0;
};

inline constexpr std::uint32_t kSongPostInterval = 300000;  // ms between two posts
inline constexpr std::uint32_t kSongQuietChat = 300000;     // ms without chat lines before a post
inline constexpr std::uint32_t kSongInitialWait = 5000;     // ms, once per run
inline constexpr std::uint32_t kSongKind4Hold = 30000;      // ms an item of kind 4 must have played
inline constexpr std::size_t kSongMinTitle = 15;            // characters

struct SongState {
    std::wstring CurrentSong;       // the title of the last tick, or empty
    Tick SongChangedAt = 0;         // when CurrentSong last changed
    std::wstring LastPostedSong;    // last title posted or ruled out
    Tick LastPostTime = 0;          // last successful post; 0 = never
    // 0 before any song was due; the start of the initial wait while it
    // runs; kNoTick once it is over (for the rest of the run).
    Tick FirstFoundAt = 0;
    PlayerInfo Player;              // the player's last answer
};

// One turn of song posting, called by the poll timer on every tick.
// LastChatLineTick is the time of the last ordinary chat line (shared with
// chat rendering and login); a post moves it to now.
void SongTick(SongState& state, const Settings& settings, Tick& lastChatLineTick, MediaPlayer& player,
              SongPostTarget& post);

}  // namespace vellora
