// Handling complete getdata answers against recording fakes of the window
// layer: the roster merge, chat lines, own presence, denial and counts.

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "chat/getdata_answer.h"
#include "support/fake_clock.h"
#include "support/getdata_body.h"
#include "support/recording_client.h"

namespace vellora {
namespace {

using Names = std::vector<std::wstring>;

using test::Body;

class GetdataAnswerTest : public ::testing::Test {
protected:
    void SetUp() override {
        rc_.EnterChat();
        client().session.UserName = L"anna";
        client().FriendsAtEntryDone = true;
        client().ChatBatchSeen = true;
    }

    Client& client() { return rc_.client; }
    void Handle(const std::string& body) { HandleGetdataAnswer(client(), body); }
    // A roster of these users with pictures 101, 102, ... from a first answer.
    void StartWith(const std::vector<std::string>& names) {
        Body body;
        for (std::size_t i = 0; i < names.size(); ++i) {
            std::string src = "pic/" + names[i];
            rc_.pictures.knownPictures[std::wstring(src.begin(), src.end())] = static_cast<PictureHandle>(101 + i);
            body.User(names[i], src);
        }
        Handle(body.Complete());
        rc_.pictures.released.clear();
    }
    void ExpectRowsMatchRoster() { EXPECT_EQ(rc_.RowNames(), rc_.RosterNames()); }
    // The lines handed to the chat pane, as "type user: msg @time".
    Names Shown() const {
        Names out;
        for (const test::ShownLine& l : rc_.view.lines) {
            out.push_back(std::to_wstring(l.type) + L" " + l.user + L": " + l.msg + L" @" + std::to_wstring(l.time));
        }
        return out;
    }

    test::FakeClock clock_;
    test::RecordingClient rc_;
};

TEST_F(GetdataAnswerTest, MergeFollowsTheServersOrder) {
    StartWith({"anna", "ben"});
    Handle(Body().User("ben", "pic/ben").User("anna", "pic/anna-new").Complete());
    EXPECT_EQ(rc_.RosterNames(), (Names{L"ben", L"anna"}));
    ExpectRowsMatchRoster();
    // anna was removed with her picture and came back as a new entry.
    EXPECT_EQ(rc_.pictures.released, (std::vector<PictureHandle>{101}));
    EXPECT_EQ(client().roster[0].Picture, 102);
    EXPECT_EQ(client().roster[1].PicStr, L"pic/anna-new");
    EXPECT_EQ(client().roster[1].Picture, kNoPicture);
}

TEST_F(GetdataAnswerTest, MergeReleasesThePicturesOfDroppedEntriesAndKeepsTheRest) {
    StartWith({"anna", "ben", "carl", "dora"});
    Handle(Body().User("anna", "pic/anna").User("carl", "pic/carl").Complete());
    EXPECT_EQ(rc_.RosterNames(), (Names{L"anna", L"carl"}));
    ExpectRowsMatchRoster();
    // ben from the middle, then dora from the end.
    EXPECT_EQ(rc_.pictures.released, (std::vector<PictureHandle>{102, 104}));
    // The rest keep their pictures; no entries are made for them.
    EXPECT_EQ(client().roster[0].Picture, 101);
    EXPECT_EQ(client().roster[1].Picture, 103);
    EXPECT_EQ(rc_.pictures.newEntries.size(), 4u);

    // Several at the end go last first; entries without a picture or whose
    // picture failed release nothing.
    client().roster[1].Picture = kPictureFailed;
    Handle(Body().User("zoe").Complete());
    EXPECT_EQ(rc_.RosterNames(), (Names{L"zoe"}));
    ExpectRowsMatchRoster();
    EXPECT_EQ(rc_.pictures.released, (std::vector<PictureHandle>{102, 104, 101}));
}

TEST_F(GetdataAnswerTest, AnEmptyOrMissingUserListLeavesTheRosterAlone) {
    StartWith({"anna", "ben"});
    Handle(Body().EmptyUserList().Complete());
    Handle(Body().Counts("1", "1").Complete());
    EXPECT_EQ(rc_.RosterNames(), (Names{L"anna", L"ben"}));
    EXPECT_TRUE(rc_.pictures.released.empty());
    EXPECT_TRUE(rc_.StatusLines().empty());
}

TEST_F(GetdataAnswerTest, NewEntriesStartDrawnByTheGrayOutMode) {
    client().lists.Friends = {L"Bob"};
    client().lists.Banned = {L"CARL"};
    client().lists.TempIgnored = {L"dora"};
    auto drawn = [&](int mode) {
        client().settings.GrayOrHilightUsersMode = mode;
        client().roster.clear();
        rc_.window.rows.clear();
        Handle(Body().User("anna").User("bob", "", "-7").User("carl").User("dora").User("anna").Complete());
        std::vector<std::pair<bool, bool>> state;
        for (const RosterEntry& e : client().roster) state.emplace_back(e.ShowNormal, e.IsIgnored);
        for (std::size_t i = 0; i < client().roster.size(); ++i) {
            EXPECT_EQ(rc_.window.rows[i].showNormal, client().roster[i].ShowNormal);
        }
        return state;
    };
    using S = std::vector<std::pair<bool, bool>>;
    EXPECT_EQ(drawn(0), (S{{true, false}, {true, false}, {true, false}, {true, false}, {true, false}}));
    EXPECT_EQ(drawn(1), (S{{true, false}, {true, false}, {false, true}, {false, true}, {true, false}}));
    EXPECT_EQ(drawn(2), (S{{true, false}, {true, false}, {false, true}, {false, true}, {true, false}}));
    EXPECT_EQ(drawn(3), (S{{false, false}, {true, false}, {false, false}, {false, false}, {false, false}}));

    const RosterEntry& bob = client().roster[1];
    EXPECT_EQ(bob.UserId, -7);
    EXPECT_EQ(bob.Age, -1);
    EXPECT_FALSE(bob.JoinNotified);
    EXPECT_EQ(bob.LastActivity, TickNow());
}

TEST_F(GetdataAnswerTest, FriendsPresentAtEntryAreCollectedOnce) {
    client().FriendsAtEntryDone = false;
    client().lists.Friends = {L"BEN", L"dora"};
    Handle(Body().User("anna", "a.jpg").User("ben", "b.jpg").User("carl").User("dora", "d.jpg").Complete());
    ASSERT_EQ(client().ListsDialog.Rows.size(), 2u);
    EXPECT_EQ(client().ListsDialog.Rows[0], std::wstring(L"ben") + std::wstring(61, L' ') + L"b.jpg");
    EXPECT_EQ(client().ListsDialog.Rows[1].substr(64), L"d.jpg");
    EXPECT_EQ(rc_.viewWindow.listsShown, 1);
    EXPECT_TRUE(client().FriendsAtEntryDone);
    EXPECT_EQ(client().ListsDialogMode, 0);
    EXPECT_TRUE(client().roster[1].JoinNotified);
    EXPECT_FALSE(client().roster[2].JoinNotified);
    EXPECT_TRUE(client().roster[3].JoinNotified);

    // A friend joining later is not collected.
    Handle(Body().User("anna").User("ben").User("carl").User("dora").User("Dora2").User("bEn").Complete());
    EXPECT_EQ(client().ListsDialog.Rows.size(), 2u);
    EXPECT_EQ(rc_.viewWindow.listsShown, 1);
}

TEST_F(GetdataAnswerTest, OnlyFriendsAppendedPastTheOldEndAreCollected) {
    StartWith({"anna", "carl"});
    client().FriendsAtEntryDone = false;
    client().lists.Friends = {L"ben", L"dora"};
    // ben replaces carl (appended after a removal): not collected; dora is
    // appended past the old end: collected.
    Handle(Body().User("anna").User("ben").User("dora").Complete());
    ASSERT_EQ(client().ListsDialog.Rows.size(), 1u);
    EXPECT_EQ(client().ListsDialog.Rows[0].substr(0, 4), L"dora");
    EXPECT_FALSE(client().roster[1].JoinNotified);
    EXPECT_TRUE(client().roster[2].JoinNotified);
    EXPECT_EQ(rc_.viewWindow.listsShown, 1);

    // No friend among the new entries: the collection ends silently.
    client().FriendsAtEntryDone = false;
    client().lists.Friends = {L"zoe"};
    Handle(Body().User("anna").User("ben").User("dora").User("eve").Complete());
    EXPECT_TRUE(client().FriendsAtEntryDone);
    EXPECT_EQ(client().ListsDialogMode, 5);
    EXPECT_EQ(rc_.viewWindow.listsShown, 1);
    EXPECT_EQ(client().ListsDialog.Rows.size(), 1u);
}

TEST_F(GetdataAnswerTest, ChatLinesGoToTheChatPaneWithOneTimeForTheBatch) {
    clock_.SetSecondsSinceMidnight(3661);
    Handle(Body()
               .User("anna")
               .Line(1, "ben", "Hallo &amp; Servus \x80 &#9829;<br>")
               .Line(2, "", "*** carl betritt den Raum.")
               .Line(7, "x&amp;y", "z")
               .Complete());
    // Entities decoded, bytes through the code page (0x80 is the euro sign),
    // names taken as they stand.
    EXPECT_EQ(Shown(), (Names{L"1 ben: Hallo & Servus \u20AC \u2665\r\n @3661", L"2 : *** carl betritt den Raum. @3661",
                              L"7 x&amp;y: z @3661"}));
}

TEST_F(GetdataAnswerTest, AfterAReconnectTheNextBatchStartsWithTheSeparator) {
    client().MustSpace = true;
    client().ChatBatchSeen = false;
    Handle(Body().User("anna").Line(1, "ben", "one").Line(1, "ben", "two").Complete());
    EXPECT_EQ(Shown(), (Names{L"1 :  @-1", L"1 :    Reconnected @-1", L"1 :  @-1", L"1 ben: one @43200",
                              L"1 ben: two @43200"}));
    EXPECT_FALSE(client().MustSpace);
    // The first batch after a login clears the dialogs' marks as well.
    EXPECT_TRUE(client().ChatBatchSeen);
    EXPECT_EQ(rc_.view.dialogsMustSpace, (std::vector<bool>{false}));

    Handle(Body().User("anna").Line(1, "ben", "three").Complete());
    EXPECT_EQ(rc_.view.lines.size(), 6u);
    EXPECT_EQ(rc_.view.dialogsMustSpace.size(), 1u);
}

TEST_F(GetdataAnswerTest, TheAlertSoundPlaysOncePerBatch) {
    client().settings.SoundPlay = true;
    rc_.view.onLine = [&](const test::ShownLine& line) {
        if (line.user == L"ben") client().AlertSoundDue = true;
    };
    Handle(Body().User("anna").Line(1, "ben", "a").Line(1, "ben", "b").Line(1, "carl", "c").Complete());
    EXPECT_EQ(rc_.status.sounds, 1);
    // Cleared before each batch: a batch without such a line plays nothing.
    Handle(Body().User("anna").Line(1, "carl", "d").Complete());
    EXPECT_EQ(rc_.status.sounds, 1);

    client().settings.SoundPlay = false;
    Handle(Body().User("anna").Line(1, "ben", "e").Complete());
    EXPECT_EQ(rc_.status.sounds, 1);
}

TEST_F(GetdataAnswerTest, AnIncompleteAnswerIsReportedButItsLinesAndCountsAreUsed) {
    StartWith({"anna", "ben"});
    Handle(Body().User("anna").Line(1, "ben", "hello").Counts("2", "0").Incomplete());
    EXPECT_EQ(rc_.StatusLines(), (Names{L"Package incomplete"}));
    EXPECT_FALSE(client().session.Disconnected);
    EXPECT_EQ(rc_.RosterNames(), (Names{L"anna", L"ben"}));  // the user list is not used
    EXPECT_EQ(rc_.view.lines.back().msg, L"hello");
    EXPECT_EQ(rc_.window.statusBar.back(), L"2 chatter");

    // Already disconnected stays disconnected; the own-presence check is skipped.
    client().session.UserName = L"nobody";
    Handle(Body().User("anna").Incomplete());
    EXPECT_EQ(rc_.StatusLines(), (Names{L"Package incomplete", L"Package incomplete"}));
    EXPECT_FALSE(client().session.Disconnected);
    client().session.Disconnected = true;
    Handle(Body().Incomplete());
    EXPECT_TRUE(client().session.Disconnected);

    // The upper-case end tag is no end tag.
    client().session.Disconnected = false;
    client().session.UserName = L"anna";
    Handle(Body().User("anna").Incomplete() + "</HTML>");
    EXPECT_EQ(rc_.StatusLines().size(), 4u);
    EXPECT_EQ(rc_.RosterNames(), (Names{L"anna", L"ben"}));
}

TEST_F(GetdataAnswerTest, ADenialReportsTheLostLoginOnce) {
    StartWith({"anna", "ben"});
    client().settings.ErrorToaster = true;
    std::string denied =
        Body().Text("Denied, please login.").User("anna").Line(1, "ben", "x").Counts("5", "6").Complete();
    Handle(denied);
    EXPECT_EQ(rc_.StatusLines(), (Names{L"Login is no longer valid"}));
    EXPECT_TRUE(client().session.Disconnected);
    EXPECT_TRUE(client().MustSpace);
    EXPECT_EQ(rc_.view.dialogsMustSpace, (std::vector<bool>{true}));
    EXPECT_TRUE(rc_.window.statusBar.empty());
    EXPECT_EQ(rc_.RosterNames(), (Names{L"anna", L"ben"}));
    EXPECT_EQ(rc_.view.lines.size(), 1u);  // the status line only

    // While disconnected only the counts are read.
    Handle(denied);
    EXPECT_EQ(rc_.StatusLines().size(), 1u);
    EXPECT_EQ(rc_.window.statusBar, (Names{L"5 chatter, 6 listener"}));
    EXPECT_EQ(rc_.view.lines.size(), 1u);
}

TEST_F(GetdataAnswerTest, ADenialOfAReplacedSessionIsStale) {
    // The request went out before a re-login replaced its session.
    HandleGetdataAnswer(client(), Body().Text("Denied, please login.").Counts("2", "3").Complete(), false);
    EXPECT_TRUE(rc_.StatusLines().empty());
    EXPECT_FALSE(client().session.Disconnected);
    EXPECT_FALSE(client().MustSpace);
    EXPECT_EQ(rc_.window.statusBar, (Names{L"2 chatter, 3 listener"}));

    // An ordinary answer to such a request is used like any other.
    HandleGetdataAnswer(client(), Body().User("anna").Line(1, "ben", "hi").Complete(), false);
    EXPECT_EQ(rc_.RosterNames(), (Names{L"anna"}));
    EXPECT_EQ(rc_.view.lines.size(), 1u);
}

TEST_F(GetdataAnswerTest, TheOwnNameIsFoundInOtherCapitalsAndWithTheStaffPrefixOrElseMissed) {
    Handle(Body().User("ben").User("ANNA").Complete());
    EXPECT_EQ(client().session.UserName, L"ANNA");
    EXPECT_EQ(rc_.window.staffSwitches, 0);

    Handle(Body().User("ben").User("Club-Team: Anna").Complete());
    EXPECT_EQ(client().session.UserName, L"Club-Team: Anna");
    EXPECT_EQ(rc_.window.staffSwitches, 1);
    // From now on the listed name matches exactly: no second switch.
    Handle(Body().User("ben").User("Club-Team: Anna").Complete());
    EXPECT_EQ(rc_.window.staffSwitches, 1);
    EXPECT_TRUE(rc_.StatusLines().empty());
    EXPECT_FALSE(client().session.Disconnected);

    // Missing altogether (a longer name does not count): invisibility.
    client().session.UserName = L"anna";
    Handle(Body().User("ben").User("annabelle").Complete());
    EXPECT_EQ(rc_.StatusLines(), (Names{L"Invisibility occured, reconnecting..."}));
    EXPECT_TRUE(client().session.Disconnected);
    EXPECT_TRUE(client().MustSpace);
    EXPECT_EQ(client().session.UserName, L"anna");
}

TEST_F(GetdataAnswerTest, CountsTexts) {
    for (const auto& [active, passive] : std::vector<std::pair<std::string, std::string>>{
             {"0", "0"}, {"3", "0"}, {"3", "4"}, {"0", "12"}, {"03", "0"}}) {
        Handle(Body().User("anna").Counts(active, passive).Complete());
    }
    // The numbers are used as they stand.
    EXPECT_EQ(rc_.window.statusBar,
              (Names{L"0 listener", L"3 chatter", L"3 chatter, 4 listener", L"12 listener", L"03 chatter"}));
}

}  // namespace
}  // namespace vellora
