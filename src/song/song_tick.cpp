#include "song/song_tick.h"

#include "text/codings.h"

namespace vellora {
namespace {

// Items of kind 1 with a number up to this are jingles and never posted.
constexpr std::int32_t kJingleMaxNumber = 10;
// Items of other kinds up to this number (their length) are too short.
constexpr std::int32_t kShortItemMaxNumber = 60000;

// Takes the player's title, or none when it has nothing valid to show.
void TrackCurrentSong(SongState& state, MediaPlayer& player) {
    if (player.ReadPlayerState(state.Player) && state.Player.Valid != 0) {
        if (state.Player.Title != state.CurrentSong) {
            state.CurrentSong = state.Player.Title;
            state.SongChangedAt = TickNow();
        }
    } else {
        state.CurrentSong.clear();
    }
}

// Rules out items that are never posted; returns true when the post is to
// wait on this tick.
bool RuleByKind(SongState& state) {
    const PlayerInfo& info = state.Player;
    bool isNew = state.CurrentSong != state.LastPostedSong;
    switch (info.Kind) {
        case 1:
            if (isNew && info.Number <= kJingleMaxNumber) state.LastPostedSong = state.CurrentSong;
            return false;
        case 4:
            return TickSince(state.SongChangedAt) < kSongKind4Hold;
        default:
            if (isNew && info.Number <= kShortItemMaxNumber) state.LastPostedSong = state.CurrentSong;
            return false;
    }
}

void PostCurrentSong(SongState& state, Tick& lastChatLineTick, SongPostTarget& post) {
    // Counted as posted even when the send fails: the same title is not
    // tried again until another one came in between.
    state.LastPostedSong = state.CurrentSong;
    std::wstring line = PercentEncodeAll(L"(listening to: " + state.CurrentSong + L")");
    // A title with control characters cannot be sent; it counts as a failed
    // send.
    bool sent = !line.empty() && post.PostEncodedLine(line);
    if (sent) state.LastPostTime = TickNow();
    lastChatLineTick = TickNow();
}

}  // namespace

void SongTick(SongState& state, const Settings& settings, Tick& lastChatLineTick, MediaPlayer& player,
              SongPostTarget& post) {
    TrackCurrentSong(state, player);
    bool heldBack = RuleByKind(state);

    bool due = state.CurrentSong != state.LastPostedSong && state.Player.Kind != 0 &&
               state.CurrentSong.size() >= kSongMinTitle && TickElapsed(state.LastPostTime, kSongPostInterval);
    if (!due) return;

    if (state.FirstFoundAt == 0) {
        state.FirstFoundAt = TickNow();
    } else if (state.FirstFoundAt != kNoTick) {
        if (TickElapsed(state.FirstFoundAt, kSongInitialWait)) state.FirstFoundAt = kNoTick;
    } else if (!heldBack && settings.PostSongs && TickElapsed(lastChatLineTick, kSongQuietChat)) {
        PostCurrentSong(state, lastChatLineTick, post);
    }
}

}  // namespace vellora
