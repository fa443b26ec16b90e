// Pictures and profiles: the program's own default avatars, the order of
// downloads, one decoding per picture source, ages and places from the
// profile pages.

#include <string>
#include <vector>

#include "view/attention.h"
#include "view/dialog_routing.h"
#include "view/profiles.h"
#include "view_fixture.h"

namespace vellora {
namespace {

using test::Names;

const std::wstring kSmall = L"http://club.sendrix.test/sendrix/incl/images/club/avatar/s/";

std::string ProfilePage(const std::string& ageCell, const std::string* placeCell) {
    std::string page = "<table class='clubcard'>\r\n<tr><td class='left'>Name:</td><td>x</td></tr>\r\n"
                       "<tr><td class='left'>Alter:</td><td>" + ageCell + "</td></tr>\r\n";
    if (placeCell) {
        page += "<tr><td>Ort:</td><td>" + *placeCell + "&nbsp;&nbsp;(<img src='http://x/flag.gif'>)</td></tr>\r\n";
    }
    return page + "</table>";
}

class PicturesTest : public test::ViewTest {
protected:
    UserPictures& pictures() { return *client().pictures; }
    std::wstring Next() {
        std::wstring url;
        return pictures().NextPictureToLoad(url) ? url : L"(none)";
    }
    std::int32_t NextAge() {
        std::int32_t uid = 0;
        return pictures().NextAgeToRetrieve(uid) ? uid : -99;
    }
    RosterEntry& Entry(const std::wstring& name) {
        return client().roster[static_cast<std::size_t>(FindRosterEntry(client().roster, name))];
    }
};

TEST_F(PicturesTest, TheClubsDefaultAvatarsComeFromTheProgramItself) {
    windows().placeholders = {L"F_25_35"};
    MergeUserList(client(), {{1, L"anna", kSmall + L"F_25_35.jpg"},
                             {2, L"bob", kSmall + L"portrait01.jpg"},
                             {3, L"carl", L"http://elsewhere/sendrix/incl/images/club/avatar/s/F_25_35.jpg"},
                             {4, L"dora", kSmall + L"F_18_25.jpg"}});
    EXPECT_TRUE(HoldsPicture(Entry(L"anna").Picture));
    EXPECT_GT(rc_.window.rows[0].picture, 0);
    // Only a known default avatar is asked for, and only one the program has.
    for (std::size_t row : {1, 2, 3}) EXPECT_EQ(rc_.window.rows[row].picture, kRowPicturePending) << row;
    EXPECT_EQ(Entry(L"dora").Picture, kNoPicture);
    // The placeholder itself is given back once copied.
    EXPECT_EQ(windows().live, (std::set<PictureHandle>{Entry(L"anna").Picture}));
    EXPECT_EQ(Next(), kSmall + L"portrait01.jpg");

    // A copy that fails marks the entry as failed; the row gets no icon.
    windows().failCopies = true;
    MergeUserList(client(), {{1, L"anna", L""}, {2, L"bob", L""}, {3, L"carl", L""}, {4, L"dora", L""},
                             {5, L"emil", kSmall + L"F_25_35.jpg"}});
    EXPECT_EQ(Entry(L"emil").Picture, kPictureFailed);
    EXPECT_EQ(rc_.window.rows[4].picture, kRowPictureFailed);
}

TEST_F(PicturesTest, AFriendWhoJustJoinedIsFetchedFirst) {
    settings().FriendsPopup = 1;
    client().lists.Friends = {L"dora", L"Emil"};
    client().FriendsAtEntryDone = false;
    Present({L"anna", L"bob", L"dora"});
    EXPECT_TRUE(Entry(L"dora").JoinNotified) << "present at entry";
    EXPECT_EQ(Next(), L"pic/dora.jpg") << "friends before the others";

    Present({L"anna", L"bob", L"dora", L"carl", L"emil"});
    EXPECT_FALSE(Entry(L"emil").JoinNotified);
    EXPECT_EQ(Next(), L"pic/emil.jpg");

    // Not while another download or profile request is on its way.
    client().poll.PendingPicUrl = L"pic/x.jpg";
    EXPECT_EQ(Next(), L"(none)");
    client().poll.PendingPicUrl.clear();

    // With another setting a joining friend waits like the others.
    settings().FriendsPopup = 2;
    EXPECT_EQ(Next(), L"pic/dora.jpg");
    client().lists.Friends.clear();
    EXPECT_EQ(Next(), L"pic/anna.jpg");
}

TEST_F(PicturesTest, OneDownloadServesEveryoneWithThatSourceAndTheJoinToaster) {
    settings().FriendsPopup = 1;
    settings().SoundPlay = true;
    client().lists.Friends = {L"carl"};
    MergeUserList(client(), {{1, L"anna", L"pic/a.jpg"}, {2, L"bob", L"pic/shared.jpg"},
                             {3, L"carl", L"pic/shared.jpg"}});
    pictures().PictureLoaded(L"pic/shared.jpg", "\xFF\xD8 jpeg bytes");
    EXPECT_EQ(windows().decodes, 1);
    PictureHandle bob = Entry(L"bob").Picture;
    PictureHandle carl = Entry(L"carl").Picture;
    ASSERT_TRUE(HoldsPicture(bob));
    ASSERT_TRUE(HoldsPicture(carl));
    EXPECT_NE(bob, carl) << "each entry owns its copy";
    EXPECT_GT(rc_.window.rows[1].picture, 0);
    EXPECT_GT(rc_.window.rows[2].picture, 0);
    EXPECT_EQ(windows().live, (std::set<PictureHandle>{bob, carl})) << "the decoded picture is released";

    EXPECT_EQ(Toasters(), (Names{L"2 carl: carl is in the chat"}));
    EXPECT_EQ(windows().toasters.at(0).picture, carl);
    EXPECT_EQ(rc_.status.sounds, 1);
    EXPECT_TRUE(Entry(L"carl").JoinNotified);
    EXPECT_EQ(Next(), L"pic/a.jpg");

    // Leaving gives the pictures back.
    MergeUserList(client(), {{1, L"anna", L"pic/a.jpg"}});
    EXPECT_TRUE(windows().live.empty());
}

TEST_F(PicturesTest, BytesThatDoNotDecodeAreNotFetchedAgain) {
    Present({L"anna", L"bob"});
    windows().undecodable = {"<html>404</html>"};
    pictures().PictureLoaded(L"pic/bob.jpg", "<html>404</html>");
    EXPECT_EQ(Entry(L"bob").Picture, kPictureFailed);
    EXPECT_EQ(rc_.window.rows[1].picture, kRowPictureFailed);
    pictures().PictureLoaded(L"pic/anna.jpg", "");
    EXPECT_EQ(Entry(L"anna").Picture, kPictureFailed);
    EXPECT_EQ(windows().decodes, 1) << "an empty body is not even tried";
    EXPECT_EQ(Next(), L"(none)");
}

TEST_F(PicturesTest, ADialogWaitingForItsPictureGetsItFromTheDownload) {
    Present({L"anna", L"bob"});
    DialogMessage(client(), kOpenDialog, L"bob", false, L"", L"", 0);
    Form2& bob = *FindDialog(client().Dialogs, L"bob");
    EXPECT_TRUE(bob.NeedPic);
    EXPECT_EQ(bob.FullPictureString, L"pic/bob.jpg");
    pictures().PictureLoaded(L"pic/bob.jpg", "jpeg");
    EXPECT_FALSE(bob.NeedPic);
    ASSERT_EQ(rc_.DialogWindowOf(L"bob")->pictures.size(), 1u);
    EXPECT_EQ(rc_.DialogWindowOf(L"bob")->icons.size(), 1u);
    EXPECT_NE(bob.hBmp, kNoPicture);
    EXPECT_EQ(UserPicture(client(), L"bob"), Entry(L"bob").Picture);

    // A dialog whose user has left still gets a picture the download brings.
    DialogMessage(client(), kOpenDialog, L"zoe", false, L"", L"pic/zoe.jpg", 0);
    pictures().PictureLoaded(L"pic/zoe.jpg", "jpeg");
    EXPECT_FALSE(FindDialog(client().Dialogs, L"zoe")->NeedPic);
    EXPECT_EQ(UserPicture(client(), L"zoe"), FindDialog(client().Dialogs, L"zoe")->hBmp);
    EXPECT_EQ(windows().live.size(), 1u) << "only bob's own copy is held";
}

TEST_F(PicturesTest, TheProfilePageGivesAgeAndPlace) {
    auto read = [](const std::string& age, const std::string* place) {
        std::optional<ProfileFacts> facts = ReadProfilePage(ProfilePage(age, place));
        return facts ? std::to_wstring(facts->Age) + L"|" + facts->DisplayText : L"(nothing)";
    };
    const std::string munich = "M&uuml;nchen";
    const std::string empty;
    EXPECT_EQ(read("25", &munich), L"25|25, M\u00FCnchen");
    EXPECT_EQ(read("", &munich), L"0|???, M\u00FCnchen");
    EXPECT_EQ(read("&nbsp;42 Jahre", nullptr), L"42|42 Jahre");
    EXPECT_EQ(read("", nullptr), L"0|");
    EXPECT_EQ(read("99999999999", &empty), L"2147483647|99999999999");
    EXPECT_EQ(ReadProfilePage("<html>no profile</html>"), std::nullopt);
    EXPECT_EQ(ReadProfilePage("<td class='left'>Alter:</td><td>25"), std::nullopt);
    EXPECT_EQ(ReadProfilePage("<td class='left'>Alter:</td><td>25</td><td>Ort:</td><td>Munich"), std::nullopt);
}

TEST_F(PicturesTest, AgesAreFetchedInOrderAndShownInRowAndDialog) {
    settings().RetrieveUserAges = true;
    client().session.OwnUserId = L"501001";
    Present({L"anna", L"bob", L"carl"});
    DialogMessage(client(), kOpenDialog, L"bob", false, L"", L"", 0);
    settings().SingleWindow = true;
    DialogMessage(client(), kOpenDialog, L"carl", false, L"", L"", 0);

    EXPECT_EQ(NextAge(), 1);
    EXPECT_EQ(Entry(L"anna").Age, -2);
    pictures().ProfileLoaded(1, ProfilePage("28", nullptr));
    EXPECT_EQ(Entry(L"anna").Age, 28);
    EXPECT_EQ(rc_.window.rows[0].detail, L"28");

    const std::string munich = "Munich";
    EXPECT_EQ(NextAge(), 2);
    pictures().ProfileLoaded(2, ProfilePage("25", &munich));
    EXPECT_EQ(Entry(L"bob").Age, 25);
    EXPECT_EQ(rc_.window.rows[1].detail, L"25, Munich");
    Form2& bob = *FindDialog(client().Dialogs, L"bob");
    EXPECT_EQ(bob.DlgAge, L"25");
    EXPECT_EQ(rc_.DialogWindowOf(L"bob")->caption, L"bob (25, Munich) - Vellora");
    EXPECT_EQ(GetDlgUserAge(bob), L"bob (25)");
    EXPECT_EQ(rc_.DialogWindowOf(L"bob")->labelRedraws, 0) << "not docked";

    // A page without the age cell leaves the age unknown and the row as it was.
    EXPECT_EQ(NextAge(), 3);
    pictures().ProfileLoaded(3, "<html>gone</html>");
    EXPECT_EQ(Entry(L"carl").Age, -2);
    EXPECT_EQ(rc_.window.rows[2].detail, L"");
    EXPECT_EQ(GetDlgUserAge(*FindDialog(client().Dialogs, L"carl")), L"carl");
    EXPECT_EQ(rc_.DialogWindowOf(L"carl")->caption, L"carl - Vellora");
}

TEST_F(PicturesTest, TheOwnProfileIsFetchedEveryFiveMinutesWhateverTheSetting) {
    client().session.OwnUserId = L"501001";
    Present({L"anna", L"bob"});
    EXPECT_EQ(NextAge(), 501001);
    EXPECT_TRUE(client().OwnProfileRefresh);
    EXPECT_EQ(client().PendingAgeUser, L"anna");
    // Its page is not read.
    pictures().ProfileLoaded(501001, ProfilePage("28", nullptr));
    EXPECT_EQ(Entry(L"anna").Age, -1);
    EXPECT_EQ(client().LastOwnProfile, TickNow());
    EXPECT_EQ(NextAge(), -99);
    clock_.Advance(300001);

    // A request that failed on the way does not swallow the next user's page.
    EXPECT_EQ(NextAge(), 501001);
    settings().RetrieveUserAges = true;
    EXPECT_EQ(NextAge(), 1);
    pictures().ProfileLoaded(1, ProfilePage("30", nullptr));
    EXPECT_EQ(Entry(L"anna").Age, 30);

    client().session.OwnUserId = L"x";
    client().LastOwnProfile = 0;
    EXPECT_EQ(NextAge(), 2);
    EXPECT_EQ(NextAge(), -99) << "no usable own id";
}

}  // namespace
}  // namespace vellora
