// Toasters, sounds and the hover help of the program against the chat
// service simulator, driven like a user: members speak, come and go while
// the user works elsewhere; the mouse rests on the user list. What would
// play is seen through the sound seam (Wine plays nothing).
#include <gtest/gtest.h>
#include <windows.h>

#include <mmsystem.h>

#include "core/client_events.h"
#include "core/files.h"
#include "notify/sound_win32.h"
#include "win32/gui_support.h"

namespace vellora {
namespace {

std::wstring ClassOf(HWND w) {
    wchar_t name[64] = {};
    GetClassNameW(w, name, 64);
    return name;
}

// A visible top-level window of this thread that Match accepts.
using Match = std::pair<bool (*)(HWND), HWND>;
BOOL CALLBACK MatchStep(HWND w, LPARAM lp) {
    auto* s = reinterpret_cast<Match*>(lp);
    if (IsWindowVisible(w) && s->first(w)) s->second = w;
    return s->second ? FALSE : TRUE;
}
HWND OwnWindow(bool (*match)(HWND)) {
    Match s{match, nullptr};
    EnumThreadWindows(GetCurrentThreadId(), MatchStep, reinterpret_cast<LPARAM>(&s));
    return s.second;
}

// The toaster as anybody finds it: a dialog with a picture 1010 and a rich-text pane 1000.
HWND Toaster() {
    return OwnWindow([](HWND w) { return GetDlgItem(w, 1010) && ClassOf(GetDlgItem(w, 1000)) == L"RichEdit20A"; });
}
std::wstring ToasterText() { return Toaster() ? test::PaneText(GetDlgItem(Toaster(), 1000)) : L""; }

const std::string kWave = std::string("RIFF\x28\0\0\0WAVEfmt \x10\0\0\0\x01\0\x01\0\x40\x1f\0\0\x40\x1f\0\0\x01\0\x08\0", 36) +
                          std::string("data\x04\0\0\0\x80\x80\x80\x80", 12);

class NotificationsTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(sim.Running()) << sim.Error(); }
    void Start(const std::function<void(Settings&, RelationLists&)>& configure) {
        main = std::make_unique<test::MainObject>(
            [&](FrmMain& f) {
                test::PointAt(sim)(f);
                configure(f.client.settings, f.client.lists);
            },
            false);
        ASSERT_TRUE(main->loaded);
        test::LogIn(F(), L"demo", L"demo123");
        ASSERT_FALSE(F().client.session.LoginPhase);
    }
    FrmMain& F() { return **main; }

    test::TempAppData appData;
    test::Simulator sim;
    test::SoundCalls sounds;
    std::unique_ptr<test::MainObject> main;
};

TEST_F(NotificationsTest, WhileTheUserIsElsewhereToastersCollectTheLinesAndExpire) {
    const std::wstring wave = appData.Root() + L"\\ding.wav";
    ASSERT_TRUE(WriteFileBytes(wave, kWave));
    ASSERT_TRUE(sim.AddMember({.name = "ben"}));
    ASSERT_TRUE(sim.Say("ben", "said before demo came"));
    Start([&](Settings& s, RelationLists& lists) {
        s.IdleToaster = s.SoundPlay = true;
        s.SoundFile = wave;
        lists.Friends = {L"anna"};
    });
    // The user works in another window while the chat's history comes in.
    OwnedWindow elsewhere(CreateWindowExW(0, L"STATIC", L"elsewhere", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 10, 400, 300,
                                          200, nullptr, nullptr, nullptr, nullptr));
    auto inFront = [&] { return GetForegroundWindow() == elsewhere || (SetForegroundWindow(elsewhere), false); };
    ASSERT_TRUE(test::PumpUntil([&] { return inFront() && F().client.ChatBatchSeen; }));
    EXPECT_FALSE(test::PumpUntil([] { return Toaster() != nullptr; }, 1000)) << "no toaster for the history";

    // A friend comes: her join line, then her picture, with the wave file's sound.
    ASSERT_TRUE(sim.AddMember({.name = "anna", .picture = "portrait03.jpg"}));
    ASSERT_TRUE(test::PumpUntil([&] { return ToasterText() == L"*** anna betritt den Raum.\ranna is in the chat"; }));
    const HWND toaster = Toaster();
    auto picture = [&] { return (HBITMAP)SendMessageW(GetDlgItem(toaster, 1010), STM_GETIMAGE, IMAGE_BITMAP, 0); };
    BITMAP bm{};
    ASSERT_TRUE(GetObjectW(picture(), sizeof(bm), &bm));
    EXPECT_EQ(std::tuple(bm.bmWidth, bm.bmHeight), std::tuple(130, 156));
    ASSERT_FALSE(sounds.calls.empty());
    EXPECT_EQ(sounds.calls.back(), std::pair(wave, DWORD{SND_FILENAME | SND_ASYNC | SND_NODEFAULT}));
    // At the right edge, on top, without the focus or a task bar button.
    RECT r{}, desktop{};
    EXPECT_TRUE(GetWindowRect(toaster, &r) && GetWindowRect(GetDesktopWindow(), &desktop) && r.right == desktop.right);
    EXPECT_EQ(GetWindowLongW(toaster, GWL_EXSTYLE) & (WS_EX_TOPMOST | WS_EX_TOOLWINDOW), WS_EX_TOPMOST | WS_EX_TOOLWINDOW);
    EXPECT_NE(GetForegroundWindow(), toaster);

    // She leaves: the toaster keeps its own copy of her picture.
    ASSERT_TRUE(sim.RemoveMember("anna"));
    ASSERT_TRUE(test::PumpUntil([&] { return F().client.roster.size() == 2; }));
    EXPECT_TRUE(GetObjectW(picture(), sizeof(bm), &bm));

    // Thirteen lines: the toaster shows the last twelve.
    for (int i = 1; i <= 13; ++i) ASSERT_TRUE(sim.Say("ben", "demo: line " + std::to_string(i)));
    ASSERT_TRUE(test::PumpUntil([&] { return ToasterText().find(L"line 13") != std::wstring::npos; }));
    std::wstring expected;
    for (int i = 2; i <= 13; ++i) expected += L"\rben: demo: line " + std::to_wstring(i);
    EXPECT_EQ(ToasterText(), expected.substr(1));

    // Twelve seconds later the poll tick closes it.
    struct Later {
        Later() { SetClockSource({[] { return SystemMillisecondCounter() + 12500; }, nullptr, nullptr}); }
        ~Later() { ResetClockSource(); }
    } later;
    EXPECT_TRUE(test::PumpUntil([] { return Toaster() == nullptr; }, 3000));
}

TEST_F(NotificationsTest, TheSoundFileOnlyEverPlaysAsAWaveFile) {
    Start([](Settings&, RelationLists&) {});
    Notifications& n = *F().GetNotifications();
    const std::wstring root = appData.Root();
    ASSERT_TRUE(WriteFileBytes(root + L"\\real.wav", kWave));
    ASSERT_TRUE(WriteFileBytes(root + L"\\program.wav", "MZ\x90 a program"));
    auto played = [&](const std::wstring& file) {
        n.PlaySoundFile(file);
        return sounds.calls.back();
    };
    constexpr DWORD kFlags = SND_ASYNC | SND_NODEFAULT;
    EXPECT_EQ(played(root + L"\\real.wav"), std::pair(root + L"\\real.wav", SND_FILENAME | kFlags));
    // Missing, a program, a folder, none: the program's own sound instead.
    for (const std::wstring& file : {root + L"\\missing.wav", root + L"\\program.wav", root, std::wstring()})
        EXPECT_EQ(played(file), std::pair(std::wstring(L"#1000"), SND_RESOURCE | kFlags));
    sounds.refuseResource = true;
    EXPECT_EQ(played(L""), std::pair(std::wstring(L"SystemQuestion"), SND_ALIAS | kFlags));
    n.StopNotificationSound();
    EXPECT_EQ(sounds.calls.back().first, L"(stop)");
    EXPECT_FALSE(n.SoundPlaying());

    // Status lines of a lost connection with error toasters: a toaster, and
    // one sound in a poll tick, none with sounds off.
    Client& c = F().client;
    c.settings.ErrorToaster = c.settings.SoundPlay = c.poll.InTimer = true;
    sounds.refuseResource = c.poll.SoundStartedThisTick = false;
    sounds.calls.clear();
    ReportStatus(c, L"first {1}", false);
    ReportStatus(c, L"second", false);
    c.poll.InTimer = c.settings.SoundPlay = false;
    ReportStatus(c, L"third", false);
    EXPECT_EQ(sounds.calls.size(), 1u);
    EXPECT_EQ(ToasterText(), L"*** first {1}\r*** second\r*** third");
}

TEST_F(NotificationsTest, TheMouseRestingOnAUserTellsWhoTheyAre) {
    ASSERT_TRUE(sim.AddMember({.name = "anna", .age = "31"}));
    Start([](Settings& s, RelationLists& lists) {
        s.RetrieveUserAges = true;
        lists.Friends = {L"anna"};
    });
    ASSERT_TRUE(test::PumpUntil([&] { return F().client.roster.size() == 2 && F().client.roster[0].Age == 31; }));
    const HWND list = F().h.hUserList, pane = F().h.hChatPane;
    auto row = [&](int index) { return POINT{60, 36 * index + 18}; };

    EXPECT_EQ(test::TooltipAt(pane, POINT{40, 40}, L"Chat"), L"Chat");
    EXPECT_EQ(test::TooltipAt(list, row(1), L"self").substr(0, 32), L"User list\rInfos about you (demo)");
    EXPECT_EQ(test::TooltipAt(list, row(2), L"Hover").substr(0, 21), L"User list\rHover mouse");
    const std::wstring tip = test::TooltipAt(list, row(0), L"Last interaction");
    EXPECT_NE(tip.find(L"\r\rInfos about anna\rRelation:\t friend\rAge:\t 31\rLast interaction:\t "), std::wstring::npos);

    // A popup menu holds the tooltip back while it is open, not longer.
    SendMessageW(list, LB_SETCURSEL, 0, 0);
    auto tooltip = [] { return test::WaitForWindow(L"ExtMultiLineToolTip", L"", 0) != nullptr; };
    ASSERT_TRUE(test::AsUser([&] {
        test::PressKeys(list, {VK_APPS});
        test::WaitForPopupMenu();
        EXPECT_TRUE(test::WaitUntil([&] { return !tooltip(); }) && !test::WaitUntil(tooltip, 1500));
        test::PressKeys(F().h.MainWindow, {VK_ESCAPE});
    }));
    EXPECT_NE(test::TooltipAt(list, row(0), L"anna"), L"");

    // Tooltips off: no tooltip window at all.
    F().SetToolTipVar(kToolTipsNever);
    EXPECT_EQ(test::TooltipAt(list, row(0), L"anna", 1500), L"");
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof(wc);
    EXPECT_FALSE(GetClassInfoExW(ProgramInstance(), L"ExtMultiLineToolTip", &wc));
}

}  // namespace
}  // namespace vellora
