#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "song/song_tick.h"
#include "support/fake_clock.h"
#include "text/codings.h"

namespace vellora {
namespace {

struct ScriptedPlayer : MediaPlayer {
    bool running = true;
    PlayerInfo info;
    bool ReadPlayerState(PlayerInfo& out) override {
        if (!running) return false;
        out = info;
        return true;
    }
    void Play(const std::wstring& title, std::uint8_t kind, std::int32_t number) {
        info.Title = title;
        info.Kind = kind;
        info.Number = number;
        info.Valid = 1;
    }
};

struct RecordingPost : SongPostTarget {
    bool succeed = true;
    std::vector<std::wstring> lines;
    bool PostEncodedLine(const std::wstring& realMsg) override {
        lines.push_back(realMsg);
        return succeed;
    }
};

// The line as it is posted: every character percent-encoded.
std::wstring SongLine(const std::wstring& title) { return PercentEncodeAll(L"(listening to: " + title + L")"); }

const std::wstring kSongA = L"Artist - First Song";   // 19 characters
const std::wstring kSongB = L"Artist - Second Song";

class SongTickTest : public ::testing::Test {
protected:
    SongTickTest() { settings.PostSongs = true; }

    void PollTick() { SongTick(state, settings, lastChatLineTick, player, post); }
    // Runs the poll timer (every 500 ms) for Ms milliseconds.
    void RunFor(std::uint32_t ms) {
        for (std::uint32_t passed = 0; passed < ms; passed += 500) {
            clock.Advance(500);
            PollTick();
        }
    }
    // Runs until something is posted or Ms milliseconds have passed; the
    // milliseconds it took, or -1.
    long RunUntilPosted(std::uint32_t ms) {
        std::size_t before = post.lines.size();
        for (std::uint32_t passed = 500; passed <= ms; passed += 500) {
            clock.Advance(500);
            PollTick();
            if (post.lines.size() > before) return passed;
        }
        return -1;
    }
    // The initial wait of the run, passed with a song that is then posted.
    void PassInitialWaitPosting(const std::wstring& title) {
        player.Play(title, 2, 200000);
        ASSERT_NE(RunUntilPosted(7000), -1);
    }

    test::FakeClock clock{100000};
    SongState state;
    Settings settings;
    Tick lastChatLineTick = 0;
    ScriptedPlayer player;
    RecordingPost post;
};

TEST_F(SongTickTest, FirstSongIsPostedAfterTheInitialWait) {
    player.Play(kSongA, 2, 200000);
    // Found on the first tick; the wait ends on the first tick more than 5 s
    // later, and the post goes out on the tick after that.
    long took = RunUntilPosted(10000);
    EXPECT_EQ(took, 500 + 5500 + 500);
    EXPECT_EQ(post.lines, (std::vector<std::wstring>{SongLine(kSongA)}));
    EXPECT_EQ(state.LastPostedSong, kSongA);
    EXPECT_EQ(state.LastPostTime, TickNow());
    EXPECT_EQ(lastChatLineTick, TickNow());
    // Not again.
    RunFor(20 * 60 * 1000);
    EXPECT_EQ(post.lines.size(), 1u);
}

TEST_F(SongTickTest, PostSongsOffTracksTheSongButPostsNothing) {
    settings.PostSongs = false;
    player.Play(kSongA, 2, 200000);
    RunFor(10 * 60 * 1000);
    EXPECT_TRUE(post.lines.empty());
    EXPECT_EQ(state.CurrentSong, kSongA);
    EXPECT_EQ(state.FirstFoundAt, kNoTick);
    // Switched on later: the playing song goes out on the next tick.
    settings.PostSongs = true;
    EXPECT_EQ(RunUntilPosted(500), 500);
    EXPECT_EQ(post.lines, (std::vector<std::wstring>{SongLine(kSongA)}));
}

TEST_F(SongTickTest, ShortTitlesKindZeroJinglesAndShortItemsAreNotPosted) {
    struct Case {
        std::wstring title;
        std::uint8_t kind;
        std::int32_t number;
        bool posted;
    };
    const Case cases[] = {
        {L"14 characters.", 2, 200000, false},
        {L"15 characters..", 2, 200000, true},
        {L"A title of kind zero", 0, 200000, false},
        {L"A short item of 60 s", 3, 60000, false},
        {L"An item of 60.001 s", 3, 60001, true},
        {L"A jingle numbered 10", 1, 10, false},
        {L"Kind one numbered 11", 1, 11, true},
        {L"A negative number", 2, -5, false},
    };
    for (const Case& c : cases) {
        SongState fresh;
        state = fresh;
        post.lines.clear();
        lastChatLineTick = 0;
        player.Play(c.title, c.kind, c.number);
        RunFor(20000);
        EXPECT_EQ(post.lines.size(), c.posted ? 1u : 0u) << std::string(c.title.begin(), c.title.end());
    }
}

TEST_F(SongTickTest, RuledOutTitleStaysOutUntilAnotherComesBetween) {
    PassInitialWaitPosting(kSongA);
    clock.Advance(kSongPostInterval);
    player.Play(kSongB, 3, 30000);  // too short
    RunFor(10000);
    // The same title reported later as a long item is still ruled out.
    player.Play(kSongB, 3, 200000);
    RunFor(10 * 60 * 1000);
    EXPECT_EQ(post.lines.size(), 1u);
    EXPECT_EQ(state.LastPostedSong, kSongB);
}

TEST_F(SongTickTest, KindFourWaitsThirtySecondsAfterTheChange) {
    PassInitialWaitPosting(kSongA);
    clock.Advance(kSongPostInterval);
    player.Play(kSongB, 4, 5);
    long took = RunUntilPosted(60000);
    EXPECT_GE(took, 30000);
    EXPECT_LE(took, 31000);
}

TEST_F(SongTickTest, TwoSongsWithinFiveMinutesOnlyTheFirstAtOnce) {
    PassInitialWaitPosting(kSongA);
    Tick firstPost = state.LastPostTime;
    RunFor(60000);
    player.Play(kSongB, 2, 200000);
    // No initial wait this time: it ran once for the run.
    long took = RunUntilPosted(10 * 60 * 1000);
    ASSERT_NE(took, -1);
    EXPECT_GT(TickSince(firstPost), kSongPostInterval);
    EXPECT_LE(TickSince(firstPost), kSongPostInterval + 500);
    EXPECT_EQ(post.lines.back(), SongLine(kSongB));
}

TEST_F(SongTickTest, OtherUsersLinesHoldThePostBackSongLinesDoNot) {
    PassInitialWaitPosting(kSongA);
    Tick firstPost = state.LastPostTime;
    // Our own song line comes back in the next poll answer; being a song
    // line it leaves the chat's quiet time alone. Another user's ordinary
    // line 4 minutes later refreshes it.
    RunFor(240000);
    lastChatLineTick = TickNow();
    Tick chatLine = lastChatLineTick;
    player.Play(kSongB, 2, 200000);
    long took = RunUntilPosted(10 * 60 * 1000);
    ASSERT_NE(took, -1);
    EXPECT_GT(TickSince(chatLine), kSongQuietChat);
    EXPECT_LE(TickSince(chatLine), kSongQuietChat + 500);
    EXPECT_GT(TickSince(firstPost), kSongPostInterval + 200000);
}

TEST_F(SongTickTest, AFailedSendCountsTheSongButNotThePostTime) {
    post.succeed = false;
    player.Play(kSongA, 2, 200000);
    ASSERT_NE(RunUntilPosted(7000), -1);
    EXPECT_EQ(state.LastPostedSong, kSongA);
    EXPECT_EQ(state.LastPostTime, 0u);
    EXPECT_EQ(lastChatLineTick, TickNow());
    // Not retried; the next song needs only the quiet chat, not 5 minutes
    // since a post.
    RunFor(60000);
    EXPECT_EQ(post.lines.size(), 1u);
    post.succeed = true;
    player.Play(kSongB, 2, 200000);
    EXPECT_NE(RunUntilPosted(5 * 60 * 1000), -1);
}

TEST_F(SongTickTest, TitleWithControlCharactersIsNotSent) {
    player.Play(L"Artist\t- Tabbed Title", 2, 200000);
    RunFor(10000);
    EXPECT_TRUE(post.lines.empty());
    EXPECT_EQ(state.LastPostedSong, L"Artist\t- Tabbed Title");
    EXPECT_EQ(state.LastPostTime, 0u);
}

TEST_F(SongTickTest, NoPlayerOrNothingValidMeansNoSong) {
    player.Play(kSongA, 2, 200000);
    PollTick();
    EXPECT_EQ(state.CurrentSong, kSongA);
    player.running = false;
    RunFor(10000);
    EXPECT_TRUE(state.CurrentSong.empty());
    player.running = true;
    player.info.Valid = 0;
    RunFor(10000);
    EXPECT_TRUE(state.CurrentSong.empty());
    EXPECT_TRUE(post.lines.empty());
    // Back again: the title counts as changed anew.
    player.info.Valid = 1;
    PollTick();
    EXPECT_EQ(state.SongChangedAt, TickNow());
}

}  // namespace
}  // namespace vellora
