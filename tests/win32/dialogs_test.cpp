// Conversations against the chat service simulator, driven with the messages
// a user's keys and clicks make: dialogs open, float or dock, answer with
// Enter, move, undock and close, and the focus comes back where it belongs.
#include <gtest/gtest.h>
#include <windows.h>

#include "dialogs/dialog_host_win32.h"
#include "dialogs/dialog_window_win32.h"
#include "support/chat_requests.h"
#include "win32/gui_support.h"

namespace vellora {
namespace {

constexpr auto npos = std::wstring::npos;

static_assert(kDialogWindowStyle == 0x06CF1000 && kDialogWindowExStyle == 0x00010004);
static_assert(kTabLabelStyle == 0x46000000 && kDialogPictureStyle == 0x4600000E);

class DialogsTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(sim.Running()) << sim.Error();
        ASSERT_TRUE(sim.AddMember({.name = "anna", .picture = "portrait02.jpg"}));
        ASSERT_TRUE(sim.AddMember({.name = "bob", .picture = "portrait05.jpg"}));
    }
    // In the chat as demo, with new dialogs docked or floating.
    void EnterChat(bool singleWindow) {
        main = std::make_unique<test::MainObject>(test::PointAt(sim), false);
        ASSERT_TRUE(main->loaded);
        test::LogIn(F(), L"demo", L"demo123");
        ASSERT_TRUE(test::PumpUntil([&] { return F().client.ChatBatchSeen && F().client.roster.size() == 3; }));
        F().client.settings.SingleWindow = singleWindow;
    }
    FrmMain& F() { return **main; }
    Form2* Dialog(const std::wstring& user) { return FindDialog(F().client.Dialogs, user); }
    DialogWin& Win(const std::wstring& user) { return static_cast<DialogWin&>(*Dialog(user)->window); }
    bool Shows(const std::wstring& user, const std::wstring& text) {
        return test::PumpUntil([&] {
            return Dialog(user) && test::PaneText(Win(user).hRich()).find(text) != std::wstring::npos;
        });
    }
    // A member writes to the user; the dialog shows the line.
    void Addressed(const std::string& member, const std::string& text) {
        ASSERT_TRUE(sim.Say(member, "demo: " + text));
        ASSERT_TRUE(Shows(std::wstring(member.begin(), member.end()), L": " + std::wstring(text.begin(), text.end())));
    }
    static void Key(HWND w, WPARAM key) { SendMessageW(w, WM_KEYDOWN, key, 0x00000001); }
    static void Click(HWND label, TabCell cell) {
        RECT r{};
        GetClientRect(label, &r);
        const LPARAM at = MAKELPARAM(cell == TabCell::Name ? 4 : TabCellLeft(r.right, cell) + 8, 8);
        SendMessageW(label, WM_LBUTTONDOWN, MK_LBUTTON, at);
        SendMessageW(label, WM_LBUTTONUP, 0, at);
    }
    static void HoldShift(bool down) {
        INPUT in{};
        in.type = INPUT_KEYBOARD;
        in.ki.wVk = VK_SHIFT;
        in.ki.dwFlags = down ? 0 : KEYEVENTF_KEYUP;
        SendInput(1, &in, sizeof(in));
        test::PumpUntil([&] { return ((GetAsyncKeyState(VK_SHIFT) & 0x8000) != 0) == down; }, 2000);
    }
    // The message texts the chat server was sent, as they went out.
    std::vector<std::string> Sent() {
        std::vector<std::string> messages;
        for (const test::RawRequest& r : sim.Requests(10, "sendmessage"))
            messages.push_back(r.bytes.substr(r.bytes.find("message=")));
        return messages;
    }
    bool Focused(HWND control) { return test::FocusArrivesAt(GetAncestor(control, GA_ROOT), control); }

    test::TempAppData appData;
    test::Simulator sim;
    std::unique_ptr<test::MainObject> main;
};

TEST_F(DialogsTest, AnAddressedLineOpensAFloatingDialogThatAnswersWithEnter) {
    EnterChat(false);
    Addressed("anna", "hello demo");
    DialogWin& w = Win(L"anna");
    EXPECT_EQ(GetWindowTextString(w.hwnd()), L"anna - Vellora");
    EXPECT_TRUE(IsWindowVisible(w.hwnd()));
    RECT client{};
    GetClientRect(w.hwnd(), &client);
    EXPECT_EQ(client.bottom, 156);
    EXPECT_EQ(GetDlgCtrlID(w.hInput()), 4097);
    // The second line goes to the same window; the picture and icons come.
    Addressed("anna", "still there?");
    EXPECT_EQ(F().client.Dialogs.size(), 1u);
    ASSERT_TRUE(test::PumpUntil([&] { return IsWindowVisible(w.hPicStat()); }));
    EXPECT_NE(SendMessageW(w.hwnd(), WM_GETICON, ICON_SMALL, 0), 0);
    // The mouse on her picture: who she is.
    EXPECT_NE(test::TooltipAt(w.hwnd(), {65, 78}, L"Relation:").find(L"Infos about anna\r(Right-click"), npos);

    // Activated, the dialog focuses its input; Enter sends the line addressed
    // to anna and empties the input. F4 leaves a floating dialog open.
    ASSERT_TRUE(Focused(w.hInput()));
    ASSERT_TRUE(sim.ClearRequests());
    SetWindowTextW(w.hInput(), L"hi anna");
    Key(w.hInput(), VK_RETURN);
    EXPECT_EQ(GetWindowTextString(w.hInput()), L"");
    EXPECT_EQ(Sent(), (std::vector<std::string>{"message=" + test::PercentEncodeAll("anna: hi anna")}));
    ASSERT_TRUE(Shows(L"anna", L"demo: hi anna"));
    Key(w.hInput(), VK_F4);
    ASSERT_NE(Dialog(L"anna"), nullptr);

    // Without a picture the control hides and shows no bitmap of the past.
    Dialog(L"anna")->hBmp = w.SetPicture(kNoPicture);
    EXPECT_FALSE(IsWindowVisible(w.hPicStat()));
    EXPECT_EQ(SendMessageW(w.hPicStat(), STM_GETIMAGE, IMAGE_BITMAP, 0), 0);

    // The close box does nothing while a line is fresh.
    HWND window = w.hwnd();
    Dialog(L"anna")->LastMsgTime = TickNow();
    SendMessageW(window, WM_CLOSE, 0, 0);
    ASSERT_NE(Dialog(L"anna"), nullptr);
    Dialog(L"anna")->LastMsgTime = TickNow() - 2000;
    SendMessageW(window, WM_CLOSE, 0, 0);
    EXPECT_EQ(Dialog(L"anna"), nullptr);
    EXPECT_FALSE(IsWindow(window));
}

TEST_F(DialogsTest, DockedDialogsMoveUndockAndCloseThroughTheirLabels) {
    EnterChat(true);
    Addressed("anna", "one");
    Addressed("bob", "two");
    HWND annaLabel = Win(L"anna").hLabel(), bobLabel = Win(L"bob").hLabel();
    ASSERT_TRUE(IsWindowVisible(annaLabel) && IsWindowVisible(bobLabel));
    // The column stands beside the chat pane, anna on top with her up arrow
    // disabled, bob below with his down arrow disabled.
    EXPECT_EQ(test::ChildRect(annaLabel).left, test::ChildRect(F().h.hChatPane).right);
    EXPECT_GT(test::ChildRect(bobLabel).top, test::ChildRect(annaLabel).top);
    EXPECT_EQ(GetWindowLongW(annaLabel, GWL_STYLE) & 3, 1);
    EXPECT_EQ(GetWindowLongW(bobLabel, GWL_STYLE) & 3, 2);
    // The mouse on a picture's place tells whose it is, on the label what it is.
    const HWND main = F().h.MainWindow;
    auto place = [&](const wchar_t* user) {
        return POINT{Dialog(user)->DockedPos.x + 30, Dialog(user)->DockedPos.y + 60};
    };
    EXPECT_NE(test::TooltipAt(main, place(L"anna"), L"Relation:").find(L"Infos about anna"), npos);
    EXPECT_NE(test::TooltipAt(main, place(L"bob"), L"Infos about bob"), L"");
    EXPECT_EQ(test::TooltipAt(bobLabel, {8, 8}, L"Window bar").substr(0, 27), L"Window bar (dialog with bob");

    // The name area gives the focus to the input; the label shows it.
    Click(annaLabel, TabCell::Name);
    ASSERT_TRUE(Focused(Win(L"anna").hInput()));
    EXPECT_EQ(F().focus.ActiveTabLabel, annaLabel);
    // Hiding the input lines leaves anna's, which has the focus.
    F().client.settings.AutoHideDialogTextBoxes = true;
    F().RealResize(true);
    EXPECT_EQ(test::ChildRect(Win(L"bob").hInput()).top, -38);
    F().client.settings.AutoHideDialogTextBoxes = false;
    // Tab goes on to the main window's controls.
    Key(Win(L"anna").hInput(), VK_TAB);
    EXPECT_NE(GetFocus(), Win(L"anna").hInput());
    EXPECT_EQ(GetParent(GetFocus()), F().h.MainWindow.get());

    // A click on bob's picture (the main window's own area) goes to his input.
    const LayoutRect bobPlace = Dialog(L"bob")->DockedPos;
    SendMessageW(F().h.MainWindow, WM_LBUTTONUP, 0, MAKELPARAM(bobPlace.x + 10, bobPlace.y + 30));
    ASSERT_TRUE(Focused(Win(L"bob").hInput()));

    Click(annaLabel, TabCell::MoveDown);
    EXPECT_EQ(F().client.Dialogs[0]->DlgUser, L"bob");
    EXPECT_EQ(test::ChildRect(bobLabel).top, 0);

    // Release: anna floats with the focus in her input; bob fills the column.
    Click(annaLabel, TabCell::Release);
    EXPECT_TRUE(IsWindowVisible(Win(L"anna").hwnd()));
    EXPECT_FALSE(IsWindowVisible(annaLabel));
    EXPECT_EQ(GetParent(Win(L"anna").hInput()), Win(L"anna").hwnd());
    ASSERT_TRUE(Focused(Win(L"anna").hInput()));

    // Minimizing docks it again, at the end of the column.
    ShowWindow(Win(L"anna").hwnd(), SW_MINIMIZE);
    ASSERT_TRUE(Dialog(L"anna")->IsDocked);
    EXPECT_GT(test::ChildRect(annaLabel).top, 0);

    // F4 in the docked input: not while a line is fresh, then closed; the
    // focus goes back to the main input line.
    EXPECT_NE(test::TooltipAt(Win(L"anna").hRich(), {40, 40}, L"Dialog with anna"), L"");
    ASSERT_TRUE(Focused(Win(L"anna").hInput()));
    Dialog(L"anna")->LastMsgTime = TickNow();
    Key(Win(L"anna").hInput(), VK_F4);
    ASSERT_NE(Dialog(L"anna"), nullptr);
    Dialog(L"anna")->LastMsgTime = 0;
    Key(Win(L"anna").hInput(), VK_F4);
    EXPECT_EQ(Dialog(L"anna"), nullptr);
    EXPECT_EQ(test::WaitForWindow(L"ExtMultiLineToolTip", L"", 0), nullptr) << "her tooltip went with her";
    EXPECT_TRUE(Focused(F().h.hMainInput));

    // The close icon; the chat takes the whole width again.
    Dialog(L"bob")->LastMsgTime = 0;
    Click(bobLabel, TabCell::Close);
    EXPECT_TRUE(F().client.Dialogs.empty());
    EXPECT_FALSE(IsWindow(bobLabel));
    EXPECT_EQ(test::ChildRect(F().h.hChatPane).right, test::ChildRect(F().h.hStatusBar).right);
}

TEST_F(DialogsTest, EnterToAnAbsentUserWarnsAndShiftEnterSendsAnyway) {
    EnterChat(false);
    SendMessageW(F().h.hUserList, LB_SETCURSEL, 1, 0);
    SendMessageW(F().h.MainWindow, WM_COMMAND, MAKEWPARAM(0, LBN_DBLCLK), reinterpret_cast<LPARAM>(F().h.hUserList.get()));
    ASSERT_NE(Dialog(L"bob"), nullptr);
    HWND input = Win(L"bob").hInput();
    ASSERT_TRUE(Focused(input));

    ASSERT_TRUE(sim.RemoveMember("bob"));
    ASSERT_TRUE(test::PumpUntil([&] { return F().client.roster.size() == 2; }));
    ASSERT_TRUE(sim.ClearRequests());
    SetWindowTextW(input, L"are you there");
    Key(input, VK_RETURN);
    EXPECT_TRUE(Shows(L"bob", L"*** bob is not online. Use Shift+Enter to send anyway"));
    EXPECT_EQ(GetWindowTextString(input), L"are you there");
    EXPECT_TRUE(Sent().empty());

    HoldShift(true);
    Key(input, VK_RETURN);
    HoldShift(false);
    EXPECT_EQ(GetWindowTextString(input), L"");
    // From then on the dialog sends without asking.
    SetWindowTextW(input, L"hello?");
    Key(input, VK_RETURN);
    EXPECT_EQ(Sent(), (std::vector<std::string>{"message=" + test::PercentEncodeAll("bob: are you there"),
                                                "message=" + test::PercentEncodeAll("bob: hello?")}));

    // Closing the docked dialogs leaves bob floating; the program's end closes him.
    F().GetConversations()->CloseDialogs(DialogGroup::Docked);
    HWND window = Win(L"bob").hwnd();
    main.reset();
    EXPECT_FALSE(IsWindow(window));
}

TEST_F(DialogsTest, NothingReachesADialogThatIsGoneOrCouldNotBeMade) {
    EnterChat(true);
    // carl's picture is slow; his dialog closes before it comes.
    ASSERT_TRUE(sim.SetFault("avatar", "delay", {{"ms", "800"}}));
    ASSERT_TRUE(sim.AddMember({.name = "carl", .picture = "portrait07.jpg"}));
    ASSERT_TRUE(test::PumpUntil([&] { return F().client.roster.size() == 4; }));
    SendMessageW(F().h.hUserList, LB_SETCURSEL, 3, 0);
    SendMessageW(F().h.MainWindow, WM_COMMAND, MAKEWPARAM(0, LBN_DBLCLK), reinterpret_cast<LPARAM>(F().h.hUserList.get()));
    ASSERT_NE(Dialog(L"carl"), nullptr);
    ASSERT_TRUE(Dialog(L"carl")->NeedPic);
    Dialog(L"carl")->LastMsgTime = 0;
    Click(Win(L"carl").hLabel(), TabCell::Close);
    ASSERT_EQ(Dialog(L"carl"), nullptr);
    ASSERT_TRUE(test::PumpUntil([&] { return HoldsPicture(F().client.roster[3].Picture); }, 20000));

    // Without its window class no dialog can be made: the line stays in the
    // chat pane and nothing is left half-made.
    const LiveHandles before = CountLiveHandles();
    ASSERT_TRUE(UnregisterClassW(kDialogWindowClass, ProgramInstance()));
    ASSERT_TRUE(sim.Say("bob", "demo: anybody?"));
    ASSERT_TRUE(test::PumpUntil([&] { return test::PaneText(F().h.hChatPane).find(L"anybody?") != std::wstring::npos; }));
    EXPECT_TRUE(F().client.Dialogs.empty());
    EXPECT_EQ(CountLiveHandles(), before);
}

}  // namespace
}  // namespace vellora
