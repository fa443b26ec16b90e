// The rules of open dialogs that need no window: which dialog a control
// belongs to and where the focus returns, the docked column's clicks and
// order, the tab label's cells, the close guard and the close groups.

#include "view/dialog_column.h"
#include "view/dialog_focus.h"
#include "view/dialog_routing.h"
#include "view_fixture.h"

namespace vellora {
namespace {

using test::RecordingDialogWindow;

class DialogRulesTest : public test::ViewTest {
protected:
    // Dialogs with bob, carl (both in the chat) and dora (not), in that
    // order; bob and dora docked.
    void SetUp() override {
        ViewTest::SetUp();
        Present({L"anna", L"bob", L"carl"});
        for (const wchar_t* user : {L"bob", L"carl", L"dora"})
            DialogMessage(client(), kOpenDialog, user, false, L"", L"", 0);
        for (const wchar_t* user : {L"bob", L"dora"}) Dialog(user).IsDocked = true;
        Dialog(L"bob").DockedPos = {600, 0, 400, 300};
        Dialog(L"dora").DockedPos = {600, 300, 400, 300};
    }
    Form2& Dialog(const std::wstring& user) { return *FindDialog(client().Dialogs, user); }
    RecordingDialogWindow& Win(const std::wstring& user) { return *rc_.DialogWindowOf(user); }
    std::vector<std::wstring> Order() {
        std::vector<std::wstring> users;
        for (const auto& d : client().Dialogs) users.push_back(d->DlgUser);
        return users;
    }
};

TEST_F(DialogRulesTest, ControlsFindTheirDialogAndTheFocusReturnsWhereItCan) {
    const DialogList& dialogs = client().Dialogs;
    EXPECT_EQ(DialogOfWindow(dialogs, Win(L"carl").id), &Dialog(L"carl"));
    EXPECT_EQ(DialogOfWindow(dialogs, Win(L"carl").Input()), nullptr);
    EXPECT_EQ(DialogOfLabel(dialogs, Win(L"dora").Label()), &Dialog(L"dora"));
    for (WindowId control : {Win(L"bob").Label(), Win(L"bob").Input(), Win(L"bob").PaneWindow()})
        EXPECT_EQ(DialogOfControl(dialogs, control), &Dialog(L"bob"));
    EXPECT_EQ(DialogOfControl(dialogs, Win(L"bob").id), nullptr);

    // Only docked dialogs count, the one owning the focus marked.
    EXPECT_EQ(DockedFocusFlags(dialogs, Win(L"dora").PaneWindow()), (std::vector<bool>{false, true}));
    EXPECT_EQ(DockedFocusFlags(dialogs, Win(L"carl").Input()), (std::vector<bool>{false, false}));
    EXPECT_EQ(DockedFocusFlags(dialogs, 0), (std::vector<bool>{false, false}));

    // A docked control gets it back; a docked label or window sends it to the
    // input; a floating dialog keeps its own, and the main window takes its
    // input line.
    FocusReturn r = WhereFocusReturns(dialogs, Win(L"dora").PaneWindow());
    EXPECT_EQ(r.kind, FocusReturn::LastFocus);
    EXPECT_EQ(r.dialog, &Dialog(L"dora"));
    r = WhereFocusReturns(dialogs, Win(L"bob").Label());
    EXPECT_EQ(r.kind, FocusReturn::DialogInput);
    EXPECT_EQ(r.dialog, &Dialog(L"bob"));
    EXPECT_EQ(WhereFocusReturns(dialogs, Win(L"carl").Input()).kind, FocusReturn::MainInput);
    EXPECT_EQ(WhereFocusReturns(dialogs, test::RecordingViewWindow::kMain).kind, FocusReturn::MainInput);
}

TEST_F(DialogRulesTest, TheDockedColumnIsHitMovedAndClosedByItsRules) {
    const DialogList& dialogs = client().Dialogs;
    // Right and bottom edges belong to the next place; a floating dialog is
    // never hit.
    EXPECT_EQ(DockedDialogAt(dialogs, 600, 299), &Dialog(L"bob"));
    EXPECT_EQ(DockedDialogAt(dialogs, 999, 300), &Dialog(L"dora"));
    EXPECT_EQ(DockedDialogAt(dialogs, 1000, 10), nullptr);
    EXPECT_EQ(DockedDialogAt(dialogs, 599, 10), nullptr);
    // The main window reads x unsigned, y signed; the label both signed.
    EXPECT_EQ(MainWindowPoint(0xFFFFFFFF).x, 0xFFFF);
    EXPECT_EQ(MainWindowPoint(0xFFFFFFFF).y, -1);
    EXPECT_EQ(SignedPoint(0xFFFFFFFF).x, -1);

    // A label 200 wide: the name up to x 136, then up, down, release, close.
    EXPECT_EQ(TabCellAt(200, 16, 136, 5), TabCell::Name);
    EXPECT_EQ(TabCellAt(200, 16, 137, 5), TabCell::MoveUp);
    EXPECT_EQ(TabCellAt(200, 16, 152, 15), TabCell::MoveUp);
    EXPECT_EQ(TabCellAt(200, 16, 153, 0), TabCell::MoveDown);
    EXPECT_EQ(TabCellAt(200, 16, 184, 0), TabCell::Release);
    EXPECT_EQ(TabCellAt(200, 16, 199, 0), TabCell::Close);
    EXPECT_EQ(TabCellAt(200, 16, 200, 0), TabCell::Outside);
    EXPECT_EQ(TabCellAt(200, 16, 10, -1), TabCell::Outside);

    // The first does not move up (nothing to lay out); the last moving down
    // stays but is laid out.
    EXPECT_FALSE(MoveDialog(client().Dialogs, Dialog(L"bob"), false));
    EXPECT_TRUE(MoveDialog(client().Dialogs, Dialog(L"dora"), true));
    EXPECT_EQ(Order(), (std::vector<std::wstring>{L"bob", L"carl", L"dora"}));
    EXPECT_TRUE(MoveDialog(client().Dialogs, Dialog(L"bob"), true));
    EXPECT_TRUE(MoveDialog(client().Dialogs, Dialog(L"dora"), false));
    EXPECT_EQ(Order(), (std::vector<std::wstring>{L"carl", L"dora", L"bob"}));

    // A line a second ago keeps a dialog open, two seconds ago not; never a
    // line, never kept.
    Dialog(L"bob").LastMsgTime = TickNow();
    clock_.Advance(1000);
    EXPECT_FALSE(MayClose(Dialog(L"bob")));
    clock_.Advance(1000);
    EXPECT_TRUE(MayClose(Dialog(L"bob")));
    Dialog(L"bob").LastMsgTime = 0;
    EXPECT_TRUE(MayClose(Dialog(L"bob")));

    // dora is not in the chat; bob has been silent for the idle time, carl
    // only just not.
    settings().GrayOrHilightUsersIdleTime = 5;
    client().roster[1].LastActivity = TickNow();
    clock_.Advance(5 * 60000 + 1);
    client().roster[2].LastActivity = TickNow() - 1;
    auto group = [&](DialogGroup g) {
        std::vector<std::wstring> users;
        for (const auto& d : client().Dialogs)
            if (InGroup(client(), *d, g)) users.push_back(d->DlgUser);
        return users;
    };
    EXPECT_EQ(group(DialogGroup::UserOffline), (std::vector<std::wstring>{L"dora"}));
    EXPECT_EQ(group(DialogGroup::UserIdle), (std::vector<std::wstring>{L"dora", L"bob"}));
    EXPECT_EQ(group(DialogGroup::Docked), (std::vector<std::wstring>{L"dora", L"bob"}));
    EXPECT_EQ(group(DialogGroup::Undocked), (std::vector<std::wstring>{L"carl"}));
}

}  // namespace
}  // namespace vellora
