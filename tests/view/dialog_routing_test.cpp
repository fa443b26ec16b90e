// Dialog routing and the dialog's own sending: which lines open a dialog, what
// it shows and how it draws attention, and a conversation over a real socket.

#include <string>
#include <vector>

#include "chat/requests.h"
#include "net/socket.h"
#include "support/scripted_peer.h"
#include "text/codepage.h"
#include "text/codings.h"
#include "text/hidden_text.h"
#include "text/scrambler.h"
#include "view/attention.h"
#include "view/dialog_routing.h"
#include "view/dialog_send.h"
#include "view/profiles.h"
#include "view_fixture.h"

namespace vellora {
namespace {

using test::Names;
using test::RecordingViewWindow;
using test::Script;
using test::ScriptedPeer;

const std::string kAccepted = "HTTP/1.1 200 OK\r\nContent-Length: 2\r\n\r\nok";

class DialogTest : public test::ViewTest {
protected:
    static void SetUpTestSuite() { ASSERT_TRUE(SocketStartup()); }
    void SetUp() override {
        ViewTest::SetUp();
        client().session.JSessionId = L"J7";
        client().endpoints.ChatAddress = "127.0.0.1";
        client().endpoints.Port = ScriptedPeer::UnusedPort();
    }
    bool Open(const std::wstring& user, const std::wstring& picStr = L"") {
        return DialogMessage(client(), kOpenDialog, user, false, L"", picStr, 0);
    }
    void TearDown() override {
        SetScrambleSaltSource(nullptr);
        ViewTest::TearDown();
    }
    Form2* Dialog(const std::wstring& user) { return FindDialog(client().Dialogs, user); }
    bool Enters(const std::wstring& user) {
        std::wstring line = L"*** " + user + L" betritt den Raum.";
        return DialogMessage(client(), 2, user, false, line, L"", 500);
    }
};

TEST_F(DialogTest, AConversationOpensByALineAndTheReplyLeavesAddressed) {
    Present({L"anna", L"bob"});
    Line(1, L"bob", L"anna: hi, how are you?");
    Form2* bob = Dialog(L"bob");
    ASSERT_NE(bob, nullptr);
    EXPECT_EQ(rc_.DialogWindowOf(L"bob")->caption, L"bob - Vellora");

    // Real pauses long enough for the peer thread to answer.
    test::FakeClock sendClock{200000, 40};
    SetScrambleSaltSource([] { return 17; });
    ScriptedPeer peer(Script().Send(kAccepted));
    client().endpoints.Port = peer.Port();
    EXPECT_TRUE(DialogSendMsg(client(), *bob, L"fine & <[secret]> you?"));
    std::string expected = WideToAnsi(PercentEncodeAll(L"bob: ") + EncodeForSend(L"fine & <[secret]> you?", L"anna"));
    EXPECT_EQ(peer.Request(), SendMessageRequest(client().endpoints, "J7", expected));

    // The chat brings the reply back with the next poll.
    Line(1, L"anna", L"bob: fine & " + Hidden(L"secret", L"anna") + L" you?");
    EXPECT_EQ(rc_.DialogLines(L"bob"),
              (Names{L"{\\b bob:} hi, how are you?", L"{\\b anna:} fine & {\\i secret  } you?"}));
    EXPECT_EQ(rc_.PaneLines().size(), 2u);
}

TEST_F(DialogTest, WritingToSomebodyAbsentNeedsShiftOnceAndErrorsStayInTheDialog) {
    Open(L"zoe");
    Form2& zoe = *Dialog(L"zoe");
    LookAway();
    EXPECT_FALSE(DialogSendMsg(client(), zoe, L"are you there?"));
    EXPECT_EQ(rc_.DialogLines(L"zoe"), (Names{L"*** zoe is not online. Use Shift+Enter to send anyway"}));
    // The notice answers the user's own Enter: its toaster is held back.
    EXPECT_EQ(Toasters(), (Names{L"2 zoe: *** zoe is not online. Use Shift+Enter to send anyway (held)"}));
    EXPECT_FALSE(client().ToasterHold);

    test::FakeClock sendClock{200000, 40};
    {
        ScriptedPeer peer({Script().Send(kAccepted), Script().Send(kAccepted)});
        client().endpoints.Port = peer.Port();
        windows().shift = true;
        EXPECT_TRUE(DialogSendMsg(client(), zoe, L"hello"));
        EXPECT_NE(peer.Request().find("message=%7A%6F%65%3A%20%68%65%6C%6C%6F"), std::string::npos);
        windows().shift = false;
        EXPECT_TRUE(DialogSendMsg(client(), zoe, L"again, without Shift"));
    }
    // Nothing that codes to nothing is sent: malformed brackets.
    client().endpoints.Port = ScriptedPeer::UnusedPort();
    EXPECT_FALSE(DialogSendMsg(client(), zoe, L"a<[b"));
    EXPECT_EQ(rc_.DialogLines(L"zoe").size(), 1u);

    // A send error is shown in the dialog, not in the chat pane.
    client().session.Disconnected = true;
    EXPECT_FALSE(DialogSendMsg(client(), zoe, L"x"));
    EXPECT_EQ(rc_.DialogLines(L"zoe").back(), L"*** Sorry, not connected");
    EXPECT_TRUE(rc_.StatusLines().empty());
}

TEST_F(DialogTest, OnlyAllowedLinesOpenADialog) {
    Present({L"anna", L"bob", L"carl", L"dora"});
    client().lists.Banned = {L"BOB"};
    client().lists.TempIgnored = {L"carl"};
    client().EntryPhaseOver = false;  // own lines may open dialogs now
    Line(1, L"anna", L"bob: hi");
    Line(1, L"carl", L"anna: hi");
    Line(1, L"anna", L"http://example.org is good");
    EXPECT_TRUE(client().Dialogs.empty());
    EXPECT_EQ(rc_.PaneLines().size(), 3u);

    settings().SuppressDialogs = true;
    client().lists.Friends = {L"Dora"};
    client().lists.TempIgnored.clear();
    Line(1, L"carl", L"anna: hello?");
    EXPECT_EQ(Dialog(L"carl"), nullptr);
    Line(1, L"dora", L"anna: hello?");
    EXPECT_NE(Dialog(L"dora"), nullptr);
    // The user interface may always open one, even for a user who is absent.
    EXPECT_TRUE(Open(L"zoe"));
}

TEST_F(DialogTest, ANewDialogTakesWhatTheRosterKnows) {
    Present({L"anna", L"bob"});
    client().roster[1].Age = 31;
    client().roster[1].UserId = 4242;
    SetUiLanguage(UiLanguage::German);
    ASSERT_TRUE(Open(L"bob"));
    Form2& bob = *Dialog(L"bob");
    EXPECT_EQ(rc_.DialogWindowOf(L"bob")->caption, L"bob (31) - Vellora");
    EXPECT_EQ(bob.DlgAge, L"31");
    EXPECT_EQ(GetDlgUserAge(bob), L"bob (31)");
    EXPECT_EQ(bob.DlgUserID, 4242);
    EXPECT_EQ(bob.LastMsgTime, client().roster[1].LastActivity);
    EXPECT_EQ(bob.FullPictureString, L"pic/bob.jpg");
    EXPECT_TRUE(bob.NeedPic);

    // Absent: no age, no id, never active, no picture to wait for.
    ASSERT_TRUE(Open(L"zoe"));
    Form2& zoe = *Dialog(L"zoe");
    EXPECT_EQ(rc_.DialogWindowOf(L"zoe")->caption, L"zoe - Vellora");
    EXPECT_EQ(GetDlgUserAge(zoe), L"zoe");
    EXPECT_EQ(zoe.DlgUserID, 0);
    EXPECT_EQ(zoe.LastMsgTime, 0u);
    EXPECT_EQ(zoe.FullPictureString, L"");
}

TEST_F(DialogTest, APictureTheRosterHoldsIsHandedOverAtOnce) {
    windows().placeholders = {L"M_35_45"};
    std::wstring avatar = L"http://club.sendrix.test/sendrix/incl/images/club/avatar/s/M_35_45.jpg";
    MergeUserList(client(), {{1, L"anna", L"a"}, {2, L"bob", avatar}});
    PictureHandle picture = client().roster[1].Picture;
    ASSERT_TRUE(HoldsPicture(picture));
    Line(1, L"bob", L"anna: look at me");
    test::RecordingDialogWindow& window = *rc_.DialogWindowOf(L"bob");
    EXPECT_EQ(window.pictures, (std::vector<PictureHandle>{picture}));
    EXPECT_EQ(window.icons, (std::vector<PictureHandle>{picture}));
    EXPECT_FALSE(Dialog(L"bob")->NeedPic);
    EXPECT_EQ(UserPicture(client(), L"bob"), picture);
    // Later lines do not set it again.
    Line(1, L"bob", L"anna: still me");
    EXPECT_EQ(window.pictures.size(), 1u);
}

TEST_F(DialogTest, DockedOrOwnWindowBySingleWindow) {
    Present({L"anna", L"bob", L"carl"});
    settings().SingleWindow = true;
    Line(1, L"bob", L"anna: hi");
    test::RecordingDialogWindow& bob = *rc_.DialogWindowOf(L"bob");
    EXPECT_TRUE(bob.docked);
    EXPECT_TRUE(Dialog(L"bob")->IsDocked);
    EXPECT_EQ(bob.shown, 0);
    EXPECT_EQ(bob.inputFocused, 0);
    EXPECT_EQ(windows().relayouts, 1);
    // Docked, the main window is what pops up and flashes.
    EXPECT_EQ(windows().raised, (std::vector<WindowId>{RecordingViewWindow::kMain}));
    EXPECT_EQ(windows().flashed, (std::vector<WindowId>{RecordingViewWindow::kMain}));

    settings().SingleWindow = false;
    Line(1, L"carl", L"anna: hi");
    test::RecordingDialogWindow& carl = *rc_.DialogWindowOf(L"carl");
    EXPECT_EQ(carl.shown, 1);
    EXPECT_FALSE(carl.activated) << "an incoming line does not take the focus";
    EXPECT_EQ(windows().flashed.back(), carl.id);
    Open(L"dora");
    EXPECT_TRUE(rc_.DialogWindowOf(L"dora")->activated);
    EXPECT_EQ(rc_.DialogWindowOf(L"dora")->inputFocused, 1);
    EXPECT_EQ(windows().flashed.size(), 2u) << "opening is no line to flash for";
}

TEST_F(DialogTest, AMinimizedDialogIsRestoredAndAFlashCountsAsActivity) {
    Present({L"anna", L"bob"});
    Open(L"bob");
    WindowId bob = rc_.DialogWindowOf(L"bob")->id;
    windows().minimized.insert(bob);
    clock_.Advance(10000);
    client().LastAlertTick = 1;
    Line(1, L"bob", L"anna: wake up");
    EXPECT_EQ(windows().restored, (std::vector<WindowId>{bob}));
    EXPECT_EQ(windows().raised, (std::vector<WindowId>{bob})) << "only the opening raised it";
    EXPECT_EQ(windows().flashed, (std::vector<WindowId>{bob}));
    EXPECT_EQ(client().LastAlertTick, TickNow());
    EXPECT_EQ(Dialog(L"bob")->LastMsgTime, TickNow());
}

TEST_F(DialogTest, AWindowThatCannotBeMadeTakesNoLine) {
    Present({L"anna", L"bob"});
    settings().ExcludeDialogMessages = true;
    windows().failDialogCreation = true;
    Line(1, L"bob", L"anna: hi");
    EXPECT_TRUE(client().Dialogs.empty());
    EXPECT_FALSE(client().MainRing.Line(0).ShownInDialog);
    EXPECT_NE(windows().chatPane.last.find("hi"), std::string::npos);
}

TEST_F(DialogTest, HistoryLinesReachDialogsWithoutToasters) {
    Present({L"anna", L"bob"});
    client().EntryPhaseOver = false;
    Line(1, L"bob", L"anna: from before you came");
    EXPECT_EQ(rc_.DialogLines(L"bob").size(), 1u);
    EXPECT_TRUE(windows().toasters.empty());
    EXPECT_FALSE(client().AlertSoundDue);

    client().EntryPhaseOver = true;
    Line(1, L"bob", L"anna: now");
    EXPECT_EQ(Toasters(), (Names{L"1 bob: now"}));
    EXPECT_TRUE(client().AlertSoundDue);
}

// A friend entering the chat, under each FriendsPopup value.
class FriendEntersTest : public DialogTest, public ::testing::WithParamInterface<int> {};

TEST_P(FriendEntersTest, TheActionFollowsTheSetting) {
    const int popup = GetParam();
    settings().FriendsPopup = popup;
    settings().DialogToaster = false;
    client().lists.Friends = {L"Ben"};
    Present({L"anna", L"carl"});

    EXPECT_FALSE(Enters(L"carl")) << "not a friend";
    EXPECT_FALSE(client().AlertSoundDue);

    bool routed = Enters(L"ben");
    EXPECT_EQ(routed, popup == 3);
    EXPECT_EQ(Dialog(L"ben") != nullptr, popup == 3);
    if (popup == 3) {
        EXPECT_EQ(rc_.DialogLines(L"ben"), (Names{L"*** ben betritt den Raum."}));
    }
    EXPECT_EQ(client().AlertSoundDue, popup != 1);
    EXPECT_EQ(Toasters(), popup == 2 ? Names{L"2 ben: *** ben betritt den Raum."} : Names{});
}

TEST_P(FriendEntersTest, WithAnOpenDialogTheLineGoesThereAndOneToasterAtMost) {
    const int popup = GetParam();
    settings().FriendsPopup = popup;
    settings().DialogToaster = true;
    client().lists.Friends = {L"ben"};
    Open(L"ben");
    EXPECT_TRUE(Enters(L"ben"));
    EXPECT_EQ(rc_.DialogLines(L"ben"), (Names{L"*** ben betritt den Raum."}));
    ASSERT_EQ(windows().toasters.size(), 1u);
    // The friend's own toaster names nobody; the dialog's names the friend.
    EXPECT_EQ(windows().toasters[0].user, popup == 2 ? L"" : L"ben");
    EXPECT_TRUE(client().AlertSoundDue);
}

INSTANTIATE_TEST_SUITE_P(FriendsPopup, FriendEntersTest, ::testing::Values(0, 1, 2, 3));

}  // namespace
}  // namespace vellora
