// The chat pane's InMessage with the real text code: markup, copies of
// addressed lines, hidden text, toasters, the alert sound, kicks and bans.

#include <string>
#include <vector>

#include "chat/getdata_answer.h"
#include "support/getdata_body.h"
#include "view/chat_render.h"
#include "view/dialog_routing.h"
#include "view_fixture.h"

namespace vellora {
namespace {

using test::Names;
using test::RecordingViewWindow;

using ChatPaneTest = test::ViewTest;

TEST_F(ChatPaneTest, EachLineTypeHasItsPrefixAndTheOwnNameIsUnderlined) {
    EXPECT_EQ(Line(1, L"bob", L"a {b} \\ for ANNA"), L"a \\{b\\} \\\\ for {\\ul ANNA}");
    Line(2, L"bob", L"*** bob betritt den Raum.");
    Line(-1, L"", L"*** Timeout");
    Line(1, L"", L"   Reconnected", -1);
    EXPECT_EQ(Line(7, L"bob", L"not a type of ours"), L"not a type of ours");
    EXPECT_EQ(rc_.PaneLines(), (Names{L"{\\b bob:} a \\{b\\} \\\\ for {\\ul ANNA}", L"*** bob betritt den Raum.",
                                      L"*** Timeout", L"{\\b :}    Reconnected"}));

    // The document as streamed; with times the separator has eight blanks.
    int streams = windows().chatPane.streams;
    settings().ShowTimes = true;
    Line(-2, L"", L"");
    EXPECT_EQ(windows().chatPane.streams, streams + 1);
    EXPECT_EQ(client().MainRing.Count(), 4u);
    const std::string& doc = windows().chatPane.last;
    EXPECT_NE(doc.find("{\\pard [01:00:00] {\\b bob:} a \\{b\\}"), std::string::npos);
    EXPECT_NE(doc.find("{\\pard         {\\b :}    Reconnected\\par}"), std::string::npos);
}

TEST_F(ChatPaneTest, LinesAddressedToTheOwnUserGoToTheWritersDialogWithoutTheAddress) {
    Present({L"anna", L"bob", L"carl"});
    Line(1, L"bob", L"  anna:   hi there");
    Line(1, L"carl", L"bob: anna: hi");
    Line(1, L"carl", L"bob: Anna: how are you");
    EXPECT_EQ(rc_.DialogLines(L"bob"), (Names{L"{\\b bob:} hi there"}));
    EXPECT_EQ(rc_.DialogLines(L"carl"), (Names{L"{\\b carl:} bob: hi", L"{\\b carl:} bob: how are you"}));

    // A different spelling at the start is no address, but still the own name.
    EXPECT_EQ(Line(1, L"bob", L"ANNA: hi"), L"{\\ul ANNA}: hi");
    EXPECT_EQ(rc_.DialogLines(L"bob").size(), 1u);
    EXPECT_FALSE(client().MainRing.Line(client().MainRing.Count() - 1).ShownInDialog);
    EXPECT_TRUE(client().MainRing.Line(0).ShownInDialog);
}

TEST_F(ChatPaneTest, OwnAddressedLinesGiveEveryAddresseeACopy) {
    Present({L"anna", L"bob", L"carl"});
    // While the history is read, own lines open dialogs.
    client().EntryPhaseOver = false;
    Line(1, L"anna", L"bob: carl: hi");
    EXPECT_EQ(rc_.DialogLines(L"bob"), (Names{L"{\\b anna:} carl: hi"}));
    EXPECT_EQ(rc_.DialogLines(L"carl"), (Names{L"{\\b anna:} bob: hi"}));

    // Afterwards they only reach dialogs that are open.
    client().EntryPhaseOver = true;
    Line(1, L"anna", L"bob: dora: still there?");
    EXPECT_EQ(rc_.DialogLines(L"bob").back(), L"{\\b anna:} dora: still there?");
    EXPECT_EQ(FindDialog(client().Dialogs, L"dora"), nullptr);
    // Own lines neither pop up nor flash their dialog.
    EXPECT_TRUE(windows().flashed.empty());
    EXPECT_TRUE(windows().raised.empty());
}

TEST_F(ChatPaneTest, TheAddressScanOfOwnLines) {
    using Copies = std::vector<std::pair<std::wstring, std::wstring>>;
    auto copies = [](const std::wstring& msg) {
        Copies out;
        for (const AddressedCopy& c : OwnLineCopies(msg)) out.emplace_back(c.User, c.Text);
        return out;
    };
    EXPECT_EQ(copies(L"bob: anna: hi"), (Copies{{L"bob", L"anna: hi"}, {L"anna", L"bob: hi"}}));
    EXPECT_EQ(copies(L"hi bob: x"), Copies{});
    EXPECT_EQ(copies(L"Club-Team: Mara: hello"), (Copies{{L"Club-Team: Mara", L"hello"}}));
    // The chat lists its team in lower case; the scan reads that as a team name too.
    EXPECT_EQ(copies(L"club-team: mara: hi"), (Copies{{L"club-team: mara", L"hi"}}));
    EXPECT_EQ(copies(L"Club-Team"), Copies{});
    EXPECT_EQ(copies(L"bob:"), (Copies{{L"bob", L""}}));
    EXPECT_EQ(copies(L": x"), Copies{});
    EXPECT_EQ(copies(L"see http://x.y/"), Copies{});
    EXPECT_EQ(copies(L"http://x.y/ bob: look"), (Copies{{L"http", L"//x.y/ bob: look"}}));
}

TEST_F(ChatPaneTest, HiddenTextIsReadByTheAddresseeOnly) {
    Present({L"anna", L"bob", L"carl"});
    Line(1, L"bob", L"anna: look " + Hidden(L"a {secret}", L"bob"));
    EXPECT_EQ(rc_.DialogLines(L"bob"), (Names{L"{\\b bob:} look {\\i a \\{secret\\}  }"}));
    // The same run addressed to somebody else shows as a placeholder of its
    // length (5 characters of code 1 for "hi": salt, two bytes, check value).
    std::wstring stored = Line(1, L"bob", L"carl: " + Hidden(L"hi", L"bob"));
    EXPECT_EQ(stored, L"carl: {\\i \x01\x01\x01\x01\x01  }");

    // The own hidden sections are decoded with the own name as key.
    client().EntryPhaseOver = false;
    Line(1, L"anna", L"carl: " + Hidden(L"psst", L"anna"));
    EXPECT_EQ(rc_.DialogLines(L"carl"), (Names{L"{\\b anna:} {\\i psst  }"}));
}

TEST_F(ChatPaneTest, AnAddressBehindAHiddenRunIsCutFromTheRenderedLine) {
    Present({L"anna", L"bob"});
    // The placeholder is longer than the run it replaces; the address is
    // looked for again in the rendered text.
    Line(1, L"bob", Hidden(L"x", L"carl") + L"carl: anna: hi {there}");
    EXPECT_EQ(rc_.DialogLines(L"bob"), (Names{L"{\\b bob:} {\\i \x01\x01\x01\x01  }carl: hi \\{there\\}"}));
    // Only a blank behind the colon goes with the address, never half an escape.
    Line(1, L"bob", L"carl: anna:{x}");
    EXPECT_EQ(rc_.DialogLines(L"bob").back(), L"{\\b bob:} carl: \\{x\\}");
}

TEST_F(ChatPaneTest, ToastersOnlyWhileTheUserLooksElsewhere) {
    Present({L"anna", L"bob", L"carl"});
    Line(1, L"bob", L"hello anna");
    EXPECT_TRUE(windows().toasters.empty()) << "IdleToaster is off";
    settings().IdleToaster = true;
    Line(1, L"bob", L"hello anna");
    EXPECT_TRUE(windows().toasters.empty()) << "the main window is in front";

    LookAway();
    client().ChatBatchSeen = false;
    Line(1, L"bob", L"from the history the first batch repeats");
    EXPECT_TRUE(windows().toasters.empty());
    client().ChatBatchSeen = true;
    Line(1, L"bob", L"hello anna");
    Line(1, L"anna", L"my own line");
    Line(2, L"bob", L"(listening to: Band - Song)");
    Line(2, L"bob", L"*** bob verl\u00E4sst den Raum.");
    Line(2, L"carl", L"*** carl betritt den Raum.");
    EXPECT_EQ(Toasters(), (Names{L"1 bob: hello {\\ul anna}", L"2 : *** carl betritt den Raum."}));
    EXPECT_EQ(windows().toasters.at(0).time, 12 * 3600);  // the time of showing, not the line's

    // A line for a dialog: the dialog's toaster for the same line is held back.
    Line(1, L"bob", L"anna: " + Hidden(L"for you", L"bob"));
    EXPECT_EQ(Toasters(), (Names{L"1 bob: hello {\\ul anna}", L"2 : *** carl betritt den Raum.",
                                 L"1 bob: {\\ul anna}: {\\i for you  }", L"1 bob: {\\i for you  } (held)"}));
    EXPECT_FALSE(client().ToasterHold);
}

TEST_F(ChatPaneTest, TheAlertSoundIsDueAfterFiveQuietMinutesOnly) {
    Present({L"anna", L"bob", L"carl"});
    LookAway();
    Line(1, L"bob", L"first");
    EXPECT_TRUE(client().AlertSoundDue);
    EXPECT_EQ(client().LastAlertTick, TickNow());

    client().AlertSoundDue = false;
    clock_.Advance(60000);
    Line(1, L"carl", L"second, a minute later");
    EXPECT_FALSE(client().AlertSoundDue);

    // Song lines do not count as chat: song posting is not held back by them.
    Tick lastChat = client().LastChatLineTick;
    clock_.Advance(300001);
    Line(1, L"bob", L"(listening to: Band - Song)");
    EXPECT_EQ(client().LastChatLineTick, lastChat);
    EXPECT_TRUE(client().AlertSoundDue);
}

TEST_F(ChatPaneTest, ExcludedDialogLinesStayInTheRingButLeaveThePaneAndCountAsUnseen) {
    Present({L"anna", L"bob"});
    settings().ExcludeDialogMessages = true;
    Line(1, L"bob", L"anna: only for the dialog");
    Line(1, L"bob", L"for everybody");
    ASSERT_EQ(client().MainRing.Count(), 2u);
    EXPECT_TRUE(client().MainRing.Line(0).ShownInDialog);
    EXPECT_EQ(windows().chatPane.last.find("only for the dialog"), std::string::npos);
    EXPECT_NE(windows().chatPane.last.find("for everybody"), std::string::npos);

    // While excluded, the main window does not count as seeing dialog lines.
    settings().IdleToaster = true;
    EXPECT_FALSE(IsLineSeen(client(), RecordingViewWindow::kMain, 1, L"bob", L"anna: x"));
    EXPECT_TRUE(IsLineSeen(client(), RecordingViewWindow::kMain, 1, L"bob", L"everybody: x"));
    EXPECT_TRUE(IsLineSeen(client(), RecordingViewWindow::kListsWindow, 1, L"carl", L"anna: x"));

    // The dialog's own window in front shows the line, unless it is minimized.
    WindowId bobsWindow = rc_.DialogWindowOf(L"bob")->id;
    EXPECT_TRUE(IsLineSeen(client(), bobsWindow, 1, L"bob", L"anna: x"));
    windows().minimized.insert(bobsWindow);
    EXPECT_FALSE(IsLineSeen(client(), bobsWindow, 1, L"bob", L"anna: x"));

    settings().ExcludeDialogMessages = false;
    EXPECT_TRUE(IsLineSeen(client(), RecordingViewWindow::kMain, 1, L"bob", L"anna: x"));
    RerenderAllDialogs(client());
    EXPECT_NE(windows().chatPane.last.find("only for the dialog"), std::string::npos);
}

class KickTest : public ChatPaneTest {
protected:
    void SetUp() override {
        ChatPaneTest::SetUp();
        client().ChatBatchSeen = false;
        settings().SoundPlay = true;
    }
    void Batch(const std::string& kickedUser, const std::string& ending) {
        std::string line = "*** SENDRIX TALMOR Club Team:  " + kickedUser + ending;
        HandleGetdataAnswer(client(), test::Body().User("anna").User("bob").Line(2, "mara", line).Complete());
    }
};

TEST_F(KickTest, AKickInTheHistoryOnlyShowsTheShortenedLine) {
    Batch("anna", " wurde aus dem Chat geworfen");
    EXPECT_EQ(rc_.PaneLines(), (Names{L"*** {\\ul anna} wurde aus dem Chat geworfen"}));
    EXPECT_FALSE(client().session.Disconnected);
    EXPECT_EQ(rc_.status.sounds, 0);
    EXPECT_TRUE(client().ChatBatchSeen);
}

TEST_F(KickTest, ALaterKickOrBanReconnectsWithTheSeparatorEverywhere) {
    Batch("bob", " wurde aus dem Chat geworfen");
    DialogMessage(client(), kOpenDialog, L"bob", false, L"", L"", 0);
    clock_.Advance(1000);
    Batch("anna", " wurde aus dem Chat geworfen");
    Names lines = rc_.PaneLines();
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[1], L"*** kick detected, reconnecting in 5 seconds ...");
    EXPECT_EQ(lines[2], L"*** {\\ul anna} wurde aus dem Chat geworfen");
    EXPECT_TRUE(client().session.Disconnected);
    EXPECT_EQ(client().session.KickTick, TickNow());
    EXPECT_TRUE(client().MustSpace);
    EXPECT_TRUE(FindDialog(client().Dialogs, L"bob")->MustSpace);
    EXPECT_EQ(rc_.status.sounds, 1);

    // The first line the dialog gets afterwards follows the separator.
    std::wstring hi = L"anna: hi again";
    client().view->InMessage(1, L"bob", hi, 100);
    EXPECT_EQ(rc_.DialogLines(L"bob"), (Names{L"{\\b :} ", L"{\\b :}    Reconnected", L"{\\b :} ",
                                              L"{\\b bob:} hi again"}));

    Batch("anna", " wurde aus dem Chat verbannt");
    EXPECT_EQ(rc_.StatusLines().back(), L"bann detected, reconnecting in 5 seconds ...");
}

TEST_F(KickTest, AnotherUsersKickGoesToThatUsersDialog) {
    client().ChatBatchSeen = true;
    DialogMessage(client(), kOpenDialog, L"bob", false, L"", L"", 0);
    Batch("bob", " wurde aus dem Chat verbannt");
    EXPECT_EQ(rc_.DialogLines(L"bob"), (Names{L"*** bob wurde aus dem Chat verbannt"}));
    EXPECT_TRUE(client().MainRing.Line(0).ShownInDialog);
    EXPECT_FALSE(client().session.Disconnected);
}

}  // namespace
}  // namespace vellora
