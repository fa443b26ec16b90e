// Relations and the user list: gray-out modes and idle graying, the user
// list's double-click, and the lists dialog, each change saved to the
// settings file.

#include <string>
#include <vector>

#include "chat/poll_tick.h"
#include "config/config_test_support.h"
#include "support/scripted_peer.h"
#include "view/dialog_routing.h"
#include "view/lists_dialog.h"
#include "view/relation_list.h"
#include "view/user_relations.h"
#include "view_fixture.h"

namespace vellora {
namespace {

using test::Names;
using Drawn = std::vector<bool>;

TEST(RelationList, LookupIgnoresCaseButNotPartialNames) {
    RelationList friends{L"Bob", L"\u00C4nne", L"club-team: Anna"};
    EXPECT_EQ(FindInList(friends, L"BOB"), 0);
    EXPECT_EQ(FindInList(friends, L"\u00E4NNE"), 1);
    EXPECT_EQ(FindInList(friends, L"CLUB-TEAM: ANNA"), 2);
    EXPECT_EQ(FindInList(friends, L"bo"), -1);
    EXPECT_EQ(FindInList(friends, L"bobby"), -1);
    EXPECT_EQ(FindInList({}, L"bob"), -1);
}

// Trimming and joining are read back from settings files in the config tests.
TEST(RelationList, AStoredValueAddsToTheListUpToOneHundredNames) {
    RelationList list{L"first"};
    std::wstring value;
    for (int i = 0; i < 150; ++i) value += L"u" + std::to_wstring(i) + L",";
    ParseList(value, list);
    ASSERT_EQ(list.size(), kMaxListNames);
    EXPECT_EQ(list[99], L"u98");
    ParseList(L"late", list);
    EXPECT_EQ(list.size(), kMaxListNames);
}

class RelationsTest : public test::ViewTest {
protected:
    void SetUp() override {
        ViewTest::SetUp();
        client().session.ConfigName = L"anna";
        // The poll tick's chat turn finds nobody listening.
        client().endpoints.ChatAddress = "127.0.0.1";
        client().endpoints.ClubAddress = "127.0.0.1";
        client().endpoints.Port = test::ScriptedPeer::UnusedPort();
    }
    // Which entries are drawn normal, once their rows are seen to agree.
    Drawn Normal() const {
        Drawn entries, rows;
        for (const RosterEntry& e : rc_.client.roster) entries.push_back(e.ShowNormal);
        for (const test::UserRow& r : rc_.window.rows) rows.push_back(r.showNormal);
        EXPECT_EQ(rows, entries) << "the rows are drawn as their entries";
        return entries;
    }
    // The relation lists as the settings file has them now.
    RelationLists Saved() {
        Session session;
        Settings settings;
        RelationLists lists;
        test::RecordingEffects effects;
        ApplyConfig(L"anna", true, session, settings, lists, effects);
        return lists;
    }
    ListsDialogModel& Dialog() { return client().ListsDialog; }

    test::TempAppData appData_;
};

TEST_F(RelationsTest, EachModeGraysItsOwnUsers) {
    client().lists.Friends = {L"Bob"};
    client().lists.Banned = {L"carl"};
    client().lists.TempIgnored = {L"DORA"};
    Present({L"anna", L"bob", L"carl", L"dora"});
    const Drawn expected[] = {{true, true, true, true}, {true, true, false, false}, {true, true, false, false},
                              {false, true, false, false}};
    for (int mode : {3, 0, 2, 1, 3}) {
        settings().GrayOrHilightUsersMode = mode;
        UpdateAllUserHilights(client());
        EXPECT_EQ(Normal(), expected[mode]) << "mode " << mode;
    }
    // Only rows whose state changes are drawn again.
    rc_.window.rowStateChanges.clear();
    UpdateAllUserHilights(client());
    EXPECT_TRUE(rc_.window.rowStateChanges.empty());
}

TEST_F(RelationsTest, IdleUsersGrayInModeTwoAndWritingBringsThemBack) {
    settings().GrayOrHilightUsersMode = 2;
    settings().GrayOrHilightUsersIdleTime = 15;
    client().lists.Banned = {L"carl"};
    Present({L"anna", L"bob", L"carl"});
    EXPECT_EQ(Normal(), (Drawn{true, true, false}));

    auto tick = [&] {
        clock_.Advance(kPollIntervalMs);
        Timer1_Timer(client());
    };
    clock_.Advance(15 * 60000 - 2000);
    Line(1, L"anna", L"still here");
    for (int i = 0; i < 3; ++i) tick();
    EXPECT_EQ(Normal(), (Drawn{true, true, false})) << "fifteen minutes have not passed";
    for (int i = 0; i < 8 && Normal()[1]; ++i) tick();
    EXPECT_EQ(Normal(), (Drawn{true, false, false}));
    EXPECT_LE(TickSince(client().roster[1].LastActivity), 15u * 60000 + 2000) << "grayed within about a second";

    Line(1, L"bob", L"back again");
    Line(1, L"carl", L"me too");
    EXPECT_EQ(Normal(), (Drawn{true, true, false}));
}

TEST_F(RelationsTest, AddingFromTheUserMenuRedrawsAtOnceAndSaves) {
    settings().GrayOrHilightUsersMode = 3;
    Present({L"anna", L"bob"});
    EXPECT_EQ(Normal(), (Drawn{false, false}));
    EXPECT_TRUE(AddToRelationList(client(), 0, L"bob"));
    EXPECT_EQ(Normal(), (Drawn{false, true}));
    EXPECT_EQ(Saved().Friends, (Names{L"bob"}));
    EXPECT_FALSE(IsInNoList(client(), L"BOB"));

    client().lists.Banned.assign(kMaxListNames, L"x");
    EXPECT_FALSE(AddToRelationList(client(), 1, L"carl"));
    EXPECT_EQ(client().lists.Banned.size(), kMaxListNames);
}

TEST_F(RelationsTest, FriendsPresentCauseNoJoinNotificationAfterTheSettingChanged) {
    Present({L"anna", L"bob"});
    FriendsToasterChanged(client());
    EXPECT_TRUE(client().roster[0].JoinNotified);
    EXPECT_TRUE(client().roster[1].JoinNotified);
}

TEST_F(RelationsTest, DoubleClickOpensADialogOrAddressesTheUser) {
    Present({L"anna", L"bob", L"carl"});
    rc_.window.selectedRow = 0;
    List1_DblClick(client());
    EXPECT_TRUE(client().Dialogs.empty()) << "not with oneself";

    rc_.window.selectedRow = 1;
    List1_DblClick(client());
    ASSERT_NE(rc_.DialogWindowOf(L"bob"), nullptr);
    EXPECT_EQ(rc_.DialogWindowOf(L"bob")->inputFocused, 1);
    EXPECT_EQ(FindDialog(client().Dialogs, L"bob")->FullPictureString, L"pic/bob.jpg");

    windows().chatInput = {L"hello there", 2, 5};
    windows().ctrl = true;
    rc_.window.selectedRow = 2;
    List1_DblClick(client());
    EXPECT_EQ(FindDialog(client().Dialogs, L"carl"), nullptr);
    EXPECT_EQ(windows().chatInput.Text, L"carl: hello there");
    EXPECT_EQ(windows().chatInput.SelStart, 8);
    EXPECT_EQ(windows().chatInput.SelEnd, 11);

    rc_.window.selectedRow = 7;
    List1_DblClick(client());
    EXPECT_EQ(client().Dialogs.size(), 1u);
}

TEST_F(RelationsTest, AddingToAListChecksTheNameAndTellsWhyNot) {
    client().lists.Banned = {L"carl"};
    OpenListDialog(client(), 0);
    EXPECT_EQ(Dialog().CaptionId, 2500);
    EXPECT_TRUE(Dialog().Command1Enabled);
    EXPECT_FALSE(Dialog().Command2Enabled);

    windows().answers = {L"bob smith", L"bob_1", L"ANNA", L"Carl", L"Club-Team: Dora"};
    ListsDialogCommand1(client(), {});
    EXPECT_EQ(windows().prompts,
              (Names{L"Enter username you want to add", L"Invalid username", L"Invalid username",
                     L"You cannot add yourself", L"This user is already in a list"}));
    // The answer as typed is kept.
    EXPECT_EQ(client().lists.Friends, (Names{L"Club-Team: Dora"}));
    EXPECT_EQ(Dialog().Rows, (Names{L"Club-Team: Dora"}));
    EXPECT_TRUE(Dialog().Command2Enabled);
    EXPECT_EQ(Saved().Friends, (Names{L"Club-Team: Dora"}));

    // Cancel (no answers left) changes nothing.
    ListsDialogCommand1(client(), {});
    EXPECT_EQ(client().lists.Friends.size(), 1u);
}

TEST_F(RelationsTest, RemovingSelectedRowsAndReopeningOnAnotherList) {
    client().lists.Friends = {L"a", L"b", L"c", L"d"};
    client().lists.Banned = {L"x"};
    settings().GrayOrHilightUsersMode = 3;
    Present({L"anna", L"b", L"c"});
    OpenListDialog(client(), 0);
    ListsDialogCommand2(client(), {3, 1, 1, 9});
    EXPECT_EQ(client().lists.Friends, (Names{L"a", L"c"}));
    EXPECT_EQ(Saved().Friends, (Names{L"a", L"c"}));
    EXPECT_EQ(Normal(), (std::vector<bool>{false, false, true}));

    OpenListDialog(client(), 1);
    EXPECT_EQ(Dialog().CaptionId, 2501);
    EXPECT_EQ(Dialog().Rows, (Names{L"x"}));
    ListsDialogCommand2(client(), {0});
    EXPECT_TRUE(client().lists.Banned.empty());
    EXPECT_EQ(client().lists.Friends, (Names{L"a", L"c"}));
    EXPECT_FALSE(Dialog().Command2Enabled);

    client().lists.TempIgnored.assign(kMaxListNames, L"t");
    OpenListDialog(client(), 2);
    EXPECT_FALSE(Dialog().Command1Enabled);
    windows().answers = {L"zed"};
    ListsDialogCommand1(client(), {});
    EXPECT_EQ(client().lists.TempIgnored.size(), kMaxListNames);

    UnloadListsDialog(client());
    EXPECT_FALSE(Dialog().ListsDialogOpen);
}

TEST_F(RelationsTest, FriendsPresentAtEntryCanBeTalkedTo) {
    client().FriendsAtEntryDone = false;
    client().lists.Friends = {L"bob", L"dora"};
    Present({L"anna", L"bob", L"carl", L"dora"});
    EXPECT_TRUE(client().FriendsAtEntryDone);
    EXPECT_TRUE(Dialog().ShowOnlineFriends);
    EXPECT_EQ(Dialog().CaptionId, 2503);
    EXPECT_EQ(Dialog().Command1CaptionId, 2515);
    ASSERT_EQ(Dialog().Rows.size(), 2u);
    EXPECT_EQ(FriendRowName(Dialog().Rows[1]), L"dora");
    EXPECT_EQ(FriendRowPicture(Dialog().Rows[1]), L"pic/dora.jpg");

    ListsDialogCommand1(client(), {1});
    ASSERT_NE(rc_.DialogWindowOf(L"dora"), nullptr);
    EXPECT_EQ(FindDialog(client().Dialogs, L"dora")->FullPictureString, L"pic/dora.jpg");
    ListsDialogCommand2(client(), {0});
    EXPECT_EQ(windows().chatInput.Text, L"bob: ");
    windows().shift = true;
    ListsDialogDblClick(client(), 1);
    EXPECT_EQ(windows().chatInput.Text, L"dora: bob: ");
    windows().shift = false;
    ListsDialogDblClick(client(), 0);
    EXPECT_NE(rc_.DialogWindowOf(L"bob"), nullptr);

    // Opening a list to edit shows that list only.
    OpenListDialog(client(), 0);
    EXPECT_EQ(Dialog().Rows, (Names{L"bob", L"dora"}));
    ListsDialogDblClick(client(), 0);
    EXPECT_EQ(client().Dialogs.size(), 2u) << "a double-click does nothing in edit mode";
}

}  // namespace
}  // namespace vellora
