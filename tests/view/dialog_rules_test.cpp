// The rules of open dialogs that need no window (finding, clicking, moving
// and closing dialogs is shown on real windows).

#include "view/dialog_column.h"
#include "view/dialog_focus.h"
#include "view/dialog_routing.h"
#include "view_fixture.h"

namespace vellora {
namespace {

// Dialogs with bob, carl (both in the chat) and dora (not); bob and dora docked.
class DialogRulesTest : public test::ViewTest {
protected:
    void SetUp() override {
        ViewTest::SetUp();
        Present({L"anna", L"bob", L"carl"});
        for (const wchar_t* user : {L"bob", L"carl", L"dora"})
            DialogMessage(client(), kOpenDialog, user, false, L"", L"", 0);
        Dialog(L"bob").IsDocked = Dialog(L"dora").IsDocked = true;
    }
    Form2& Dialog(const std::wstring& user) { return *FindDialog(client().Dialogs, user); }
    test::RecordingDialogWindow& Win(const std::wstring& user) { return *rc_.DialogWindowOf(user); }
    std::pair<FocusReturn::Kind, Form2*> Returns(WindowId lastFocus) {
        FocusReturn r = WhereFocusReturns(client().Dialogs, lastFocus);
        return {r.kind, r.dialog};
    }
};

TEST_F(DialogRulesTest, TheFocusReturnsToADockedDialogOrTheMainInput) {
    // A docked control gets it back; a docked label sends it to the input; a
    // floating dialog keeps its own, and the main window takes its input line.
    EXPECT_EQ(Returns(Win(L"dora").PaneWindow()), std::make_pair(FocusReturn::LastFocus, &Dialog(L"dora")));
    EXPECT_EQ(Returns(Win(L"bob").Label()), std::make_pair(FocusReturn::DialogInput, &Dialog(L"bob")));
    EXPECT_EQ(Returns(Win(L"carl").Input()).first, FocusReturn::MainInput);
    // Only docked dialogs count for the column, the one owning the focus marked.
    EXPECT_EQ(DockedFocusFlags(client().Dialogs, Win(L"dora").Input()), (std::vector<bool>{false, true}));
    EXPECT_EQ(DockedFocusFlags(client().Dialogs, Win(L"carl").Input()), (std::vector<bool>{false, false}));
}

TEST_F(DialogRulesTest, CellsEndsTheCloseGuardAndTheCloseGroups) {
    // A label 200 wide: the name up to x 136, then up, down, release, close.
    std::vector<TabCell> cells;
    for (int x : {136, 137, 153, 184, 199, 200}) cells.push_back(TabCellAt(200, 16, x, 15));
    EXPECT_EQ(cells, (std::vector<TabCell>{TabCell::Name, TabCell::MoveUp, TabCell::MoveDown, TabCell::Release,
                                           TabCell::Close, TabCell::Outside}));
    // The main window reads x unsigned, y signed.
    EXPECT_EQ(MainWindowPoint(0xFFFFFFFF).x + MainWindowPoint(0xFFFFFFFF).y, 0xFFFF - 1);

    // The first does not move up (nothing to lay out); the last moving down
    // stays but is laid out.
    EXPECT_FALSE(MoveDialog(client().Dialogs, Dialog(L"bob"), false));
    EXPECT_TRUE(MoveDialog(client().Dialogs, Dialog(L"dora"), true));
    EXPECT_EQ(client().Dialogs.back()->DlgUser, L"dora");

    // A line a second ago keeps a dialog open, two seconds ago not.
    Dialog(L"bob").LastMsgTime = TickNow();
    clock_.Advance(1000);
    EXPECT_FALSE(MayClose(Dialog(L"bob")));
    clock_.Advance(1000);
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
    EXPECT_EQ(group(DialogGroup::UserIdle), (std::vector<std::wstring>{L"bob", L"dora"}));
    EXPECT_EQ(group(DialogGroup::Undocked), (std::vector<std::wstring>{L"carl"}));
}

}  // namespace
}  // namespace vellora
