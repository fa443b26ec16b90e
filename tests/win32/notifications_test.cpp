// Toasters, sounds and the hover help of the program against the chat
// service simulator, driven like a user: members speak, come and go while
// the program is in the background; the mouse rests on the user list. What
// would play is seen through the sound seam (Wine plays nothing).
#include <gtest/gtest.h>
#include <windows.h>

#include <dlgs.h>
#include <mmsystem.h>

#include <memory>
#include <vector>

#include "chat/login.h"
#include "core/client_events.h"
#include "core/files.h"
#include "net/clock.h"
#include "notify/sound_win32.h"
#include "support/recording_client.h"
#include "win32/gui_support.h"

namespace vellora {
namespace {

std::wstring ClassOf(HWND w) {
    wchar_t name[64] = {};
    GetClassNameW(w, name, 64);
    return name;
}

// A visible top-level window of this thread that Match accepts.
HWND OwnWindow(const std::function<bool(HWND)>& match) {
    struct Search {
        const std::function<bool(HWND)>* match;
        HWND found;
    } s{&match, nullptr};
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND w, LPARAM lp) -> BOOL {
            auto* s = reinterpret_cast<Search*>(lp);
            if (!IsWindowVisible(w) || !(*s->match)(w)) return TRUE;
            s->found = w;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&s));
    return s.found;
}

// The toaster as anybody finds it: a dialog with the picture 1010 and the
// rich-text pane 1000.
HWND Toaster() {
    return OwnWindow([](HWND w) {
        return ClassOf(w) == L"#32770" && GetDlgItem(w, 1010) && ClassOf(GetDlgItem(w, 1000)) == L"RichEdit20A";
    });
}
std::wstring ToasterText() { return Toaster() ? test::PaneText(GetDlgItem(Toaster(), 1000)) : L""; }
HBITMAP ToasterPicture() {
    return reinterpret_cast<HBITMAP>(SendMessageW(GetDlgItem(Toaster(), 1010), STM_GETIMAGE, IMAGE_BITMAP, 0));
}

HWND Tooltip() {
    return OwnWindow([](HWND w) { return ClassOf(w) == L"ExtMultiLineToolTip"; });
}

// What PlaySound was asked, instead of playing it.
struct SoundCalls {
    struct Call {
        std::wstring sound;
        HMODULE module;
        DWORD flags;
    };
    std::vector<Call> calls;
    bool refuseResource = false;
    SoundCalls() {
        SetPlaySoundCall([this](const wchar_t* sound, HMODULE module, DWORD flags) {
            calls.push_back({sound ? sound : L"(stop)", module, flags});
            return !(refuseResource && (flags & SND_RESOURCE));
        });
    }
    ~SoundCalls() { SetPlaySoundCall(nullptr); }
    std::wstring Last() { return calls.empty() ? L"" : calls.back().sound; }
};

// A wave file of silence.
std::string WaveBytes() {
    std::string fmt("\x01\x00\x01\x00\x40\x1f\x00\x00\x40\x1f\x00\x00\x01\x00\x08\x00", 16);
    return std::string("RIFF\x28\x00\x00\x00WAVEfmt \x10\x00\x00\x00", 20) + fmt + std::string("data\x04\x00\x00\x00\x80\x80\x80\x80", 12);
}

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
    SoundCalls sounds;
    std::unique_ptr<test::MainObject> main;
};

TEST_F(NotificationsTest, WhileTheUserIsElsewhereToastersCollectTheLinesAndExpire) {
    const std::wstring wave = appData.Root() + L"\\ding.wav";
    ASSERT_TRUE(WriteFileBytes(wave, WaveBytes()));
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
    test::PumpFor(1000);
    EXPECT_EQ(Toaster(), nullptr) << "no toaster for the history";

    // A friend comes: her join line, then her picture with the toaster and
    // the sound of the wave file.
    ASSERT_TRUE(sim.AddMember({.name = "anna", .picture = "portrait03.jpg"}));
    ASSERT_TRUE(test::PumpUntil([&] { return ToasterText().find(L"anna is in the chat") != std::wstring::npos; }));
    HWND toaster = Toaster();
    EXPECT_EQ(ToasterText(), L"*** anna betritt den Raum.\ranna is in the chat");
    BITMAP picture{};
    ASSERT_TRUE(GetObjectW(ToasterPicture(), sizeof(picture), &picture));
    EXPECT_EQ(std::tuple(picture.bmWidth, picture.bmHeight), std::tuple(130, 156));
    ASSERT_FALSE(sounds.calls.empty());
    EXPECT_EQ(sounds.Last(), wave);
    EXPECT_EQ(sounds.calls.back().flags, DWORD{SND_FILENAME | SND_ASYNC | SND_NODEFAULT});
    // At a right-hand corner, on top, without taking the focus or a task bar button.
    RECT r{}, desktop{};
    GetWindowRect(toaster, &r);
    GetWindowRect(GetDesktopWindow(), &desktop);
    EXPECT_EQ(r.right, desktop.right);
    EXPECT_TRUE(r.top == desktop.top || r.bottom == desktop.bottom);
    EXPECT_EQ(GetWindowLongW(toaster, GWL_EXSTYLE) & (WS_EX_TOPMOST | WS_EX_TOOLWINDOW), WS_EX_TOPMOST | WS_EX_TOOLWINDOW);
    EXPECT_FALSE(IsWindowEnabled(toaster));
    EXPECT_NE(GetForegroundWindow(), toaster);
    EXPECT_NE(GetActiveWindow(), toaster);

    // She leaves: the toaster keeps its own copy of her picture.
    ASSERT_TRUE(sim.RemoveMember("anna"));
    ASSERT_TRUE(test::PumpUntil([&] { return F().client.roster.size() == 2; }));
    EXPECT_TRUE(GetObjectW(ToasterPicture(), sizeof(picture), &picture));

    // Thirteen lines: the toaster shows the last twelve.
    for (int i = 1; i <= 13; ++i) ASSERT_TRUE(sim.Say("ben", "demo: line " + std::to_string(i)));
    ASSERT_TRUE(test::PumpUntil([&] { return ToasterText().find(L"line 13") != std::wstring::npos; }));
    std::wstring expected;
    for (int i = 2; i <= 13; ++i) expected += L"\rben: demo: line " + std::to_wstring(i);
    EXPECT_EQ(ToasterText(), expected.substr(1));
    EXPECT_EQ(Toaster(), toaster);

    // Twelve seconds later it is gone: the poll tick closes it.
    struct Later {
        Later() { SetClockSource({[] { return SystemMillisecondCounter() + 12500; }, nullptr, nullptr}); }
        ~Later() { ResetClockSource(); }
    } later;
    EXPECT_TRUE(test::PumpUntil([] { return Toaster() == nullptr; }, 3000));

    // A lost login, with error toasters on: a toaster tells it.
    F().client.settings.ErrorToaster = true;
    test::RecordingClient other;
    other.client.endpoints = F().client.endpoints;
    other.client.session.UserName = other.client.session.LoginName = L"demo";
    other.client.session.Password = L"demo123";
    ASSERT_FALSE(TryLogin(other.client));
    EXPECT_TRUE(test::PumpUntil([&] { return ToasterText() == L"*** Login is no longer valid"; }))
        << std::string(ToasterText().begin(), ToasterText().end());
}

TEST_F(NotificationsTest, TheSoundFileOnlyEverPlaysAsAWaveFile) {
    Start([](Settings&, RelationLists&) {});
    Notifications& n = *F().GetNotifications();
    const std::wstring root = appData.Root();
    ASSERT_TRUE(WriteFileBytes(root + L"\\real.wav", WaveBytes()));
    ASSERT_TRUE(WriteFileBytes(root + L"\\program.wav", "MZ\x90\x00 this is a program"));
    auto played = [&](const std::wstring& file) {
        sounds.calls.clear();
        n.PlaySoundFile(file);
        return sounds.calls.empty() ? std::wstring() : sounds.calls.back().sound;
    };
    EXPECT_EQ(played(root + L"\\real.wav"), root + L"\\real.wav");
    // Missing, a program, a folder: the program's own sound instead.
    for (const std::wstring& file : {root + L"\\missing.wav", root + L"\\program.wav", root, std::wstring()}) {
        EXPECT_EQ(played(file), L"#1000") << std::string(file.begin(), file.end());
        EXPECT_EQ(sounds.calls.back().flags, DWORD{SND_RESOURCE | SND_ASYNC | SND_NODEFAULT});
        EXPECT_NE(sounds.calls.back().module, nullptr);
    }
    EXPECT_TRUE(n.SoundPlaying());
    sounds.refuseResource = true;
    EXPECT_EQ(played(L""), L"SystemQuestion");
    EXPECT_EQ(sounds.calls.back().flags, DWORD{SND_ALIAS | SND_ASYNC | SND_NODEFAULT});
    n.StopNotificationSound();
    EXPECT_EQ(sounds.Last(), L"(stop)");
    EXPECT_FALSE(n.SoundPlaying());

    // The browse button's dialog: the user types a wave file's name and
    // presses Enter.
    static std::wstring typed;
    typed = root + L"\\real.wav";
    SetTimer(nullptr, 0, 200, [](HWND, UINT, UINT_PTR timer, DWORD) {
        HWND dialog = OwnWindow([](HWND w) { return GetWindowTextString(w) == L"Choose sound file"; });
        if (!dialog) return;
        KillTimer(nullptr, timer);
        SetDlgItemTextW(dialog, cmb13, typed.c_str());
        PostMessageW(dialog, WM_COMMAND, IDOK, 0);
    });
    std::wstring chosen = L"C:\\old.wav";
    ASSERT_TRUE(n.ChooseSoundFile(F().h.MainWindow, chosen));
    EXPECT_EQ(chosen, typed);

    // Status lines with error toasters: one sound per poll tick, none with
    // sounds off.
    Client& c = F().client;
    c.settings.ErrorToaster = c.settings.SoundPlay = true;
    sounds.refuseResource = false;
    sounds.calls.clear();
    c.poll.InTimer = true;
    c.poll.SoundStartedThisTick = false;
    ReportStatus(c, L"first", false);
    ReportStatus(c, L"second", false);
    c.poll.InTimer = false;
    EXPECT_EQ(sounds.calls.size(), 1u);
    c.settings.SoundPlay = false;
    ReportStatus(c, L"third", false);
    EXPECT_EQ(sounds.calls.size(), 1u);
    EXPECT_EQ(ToasterText(), L"*** first\r*** second\r*** third");
}

TEST_F(NotificationsTest, TheMouseRestingOnAUserTellsWhoTheyAre) {
    ASSERT_TRUE(sim.AddMember({.name = "anna", .age = "31"}));
    Start([](Settings& s, RelationLists& lists) {
        s.RetrieveUserAges = true;
        lists.Friends = {L"anna"};
    });
    ASSERT_TRUE(test::PumpUntil([&] { return F().client.roster.size() == 2 && F().client.roster[0].Age == 31; }));
    const HWND main = F().h.MainWindow, list = F().h.hUserList, pane = F().h.hChatPane;
    // Rests the mouse on a point of Window, with the main window in front,
    // until the tooltip's text holds Wanted; the text shown then.
    auto restOn = [&](HWND window, POINT at, const std::wstring& wanted, unsigned ms = 5000) {
        ClientToScreen(window, &at);
        std::wstring shown;
        test::PumpUntil(
            [&] {
                if (GetForegroundWindow() != main) SetForegroundWindow(main);
                POINT now{};
                if (GetCursorPos(&now) && (now.x != at.x || now.y != at.y)) SetCursorPos(at.x, at.y);
                shown = Tooltip() ? GetWindowTextString(Tooltip()) : L"";
                return shown.find(wanted) != std::wstring::npos;
            },
            ms);
        return shown;
    };
    auto row = [&](int index) {
        RECT r{};
        SendMessageW(list, LB_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&r));
        return POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
    };

    std::wstring tip = restOn(list, row(0), L"Last interaction");
    EXPECT_EQ(tip.substr(0, 10), L"User list\r");
    EXPECT_NE(tip.find(L"\r\rInfos about anna\rRelation:\t friend\rAge:\t 31\rLast interaction:\t "), std::wstring::npos)
        << std::string(tip.begin(), tip.end());
    RECT shownAt{};
    GetWindowRect(Tooltip(), &shownAt);
    POINT mouse{};
    GetCursorPos(&mouse);
    EXPECT_FALSE(PtInRect(&shownAt, mouse)) << "beside the pointer, not under it";
    tip = restOn(list, row(1), L"Relation:\t self");
    EXPECT_EQ(tip.substr(0, 32), L"User list\rInfos about you (demo)");
    // Below the rows: how the list is used.
    EXPECT_EQ(restOn(list, POINT{10, 36 * 2 + 20}, L"Hover mouse").substr(0, 21), L"User list\rHover mouse");
    EXPECT_EQ(restOn(pane, POINT{40, 40}, L"Chat"), L"Chat");

    // While a popup menu is open nothing shows.
    Notifications& n = *F().GetNotifications();
    n.TooltipSuspend();
    EXPECT_EQ(restOn(list, row(0), L"anna", 1500), L"");
    n.TooltipResume();
    EXPECT_NE(restOn(list, row(0), L"anna"), L"");

    // Users only: nothing on the pane; never: no tooltip window at all.
    F().SetToolTipVar(kToolTipsUsersOnly);
    EXPECT_EQ(restOn(pane, POINT{40, 60}, L"Chat", 1500), L"");
    EXPECT_NE(restOn(list, row(1), L"demo"), L"");
    F().SetToolTipVar(kToolTipsNever);
    EXPECT_EQ(restOn(list, row(0), L"anna", 1500), L"");
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof(wc);
    EXPECT_FALSE(GetClassInfoExW(ProgramInstance(), L"ExtMultiLineToolTip", &wc));
}

}  // namespace
}  // namespace vellora
