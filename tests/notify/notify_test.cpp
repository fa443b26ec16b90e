// The rules of toasters, sounds and the hover help, apart from their windows.
#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

#include "notify/sounds.h"
#include "notify/toaster_rules.h"
#include "notify/tool_list.h"
#include "notify/tooltip_layout.h"
#include "notify/tooltip_text.h"
#include "resources/string_ids.h"
#include "support/fake_clock.h"

namespace vellora {
namespace {

TEST(ToasterTest, NamesInBoldAndTheCornerOutOfTheMousesWay) {
    EXPECT_EQ(ToasterLine(2, L"Anna", L"Anna is in the chat", 5).Text, L"{\\b Anna} is in the chat");
    const PaneLine message = ToasterLine(1, L"b{o}b", L"hi", 5);
    EXPECT_EQ(message.Prefix + message.Text, L"{\\b b\\{o\\}b:} hi");

    ToasterScreen screen{ScreenRect{0, 0, 1024, 768}, ScreenRect{50, 50, 433, 210}, std::nullopt};
    auto at = [&](std::int32_t x, std::int32_t y) {
        screen.mouse = ScreenPoint{x, y};
        const ToasterSpot s = PlaceToaster(screen);
        return std::tuple(s.corner, s.left, s.top);
    };
    EXPECT_EQ(at(500, 400), std::tuple(1, 641, 0));
    // On the top-right spot, or up to 50 pixels left and 30 below it.
    EXPECT_EQ(at(591, 190), std::tuple(2, 641, 608));
    EXPECT_EQ(at(590, 190), std::tuple(1, 641, 0));
    EXPECT_EQ(at(700, 191), std::tuple(1, 641, 0));
    screen.mouse.reset();
    EXPECT_EQ(PlaceToaster(screen).corner, kToasterScreenUnknown);
}

// Nothing plays; every try is recorded.
struct SilentDevice : SoundDevice {
    std::vector<std::wstring> tries;
    bool Start(std::int32_t kind, const std::wstring& name, bool, bool) override {
        tries.push_back(std::to_wstring(kind) + L":" + name);
        return kind == kSoundResource && playResource;
    }
    void Stop() override { tries.push_back(L"stop"); }
    bool playResource = true;
};

TEST(SoundTest, WhenNothingPlaysEverySystemSoundIsTriedAndTheLastSoundStops) {
    SilentDevice device;
    NotificationSound sound(device, nullptr);
    sound.Play(L"C:\\missing.wav");
    EXPECT_TRUE(sound.Playing());
    device.playResource = false;
    device.tries.clear();
    sound.Play(L"");
    EXPECT_EQ(device.tries, (std::vector<std::wstring>{L"262148:#1000", L"2:SystemQuestion", L"8:SystemDefault",
                                                       L"7:SystemExclamation", L"1:SystemAsterisk",
                                                       L"2:SystemQuestion", L"3:SystemHand", L"stop"}));
    EXPECT_FALSE(sound.Playing());
}

TEST(TooltipTest, RelationAgeAndLastInteraction) {
    test::FakeClock clock(100000000);
    Client client;
    client.session.OwnUserId = L"501001";
    client.lists = {{L"Anna"}, {L"bob"}, {L"carl"}};
    auto table = [&](std::int32_t id, const std::wstring& name, std::int32_t age, std::uint32_t idleSeconds) {
        return UserTooltipTable(client, {id, name, age, TickNow() - idleSeconds * 1000});
    };
    EXPECT_EQ(table(7, L"anna", 31, 59), L"Relation:\t friend\rAge:\t 31\rLast interaction:\t 59 second(s) ago");
    EXPECT_EQ(table(501001, L"demo", 0, 60), L"Relation:\t self\rAge:\t unknown\rLast interaction:\t 1 minute(s) ago");
    EXPECT_EQ(table(8, L"BOB", -1, 3599),
              L"Relation:\t ignored\rAge:\t not retrieved\rLast interaction:\t 59 minute(s) ago");
    client.settings.RetrieveUserAges = true;
    client.poll.PendingUid = 9;  // the page being read is carl's own
    EXPECT_EQ(table(9, L"carl", -1, 86399),
              L"Relation:\t temporary ignored\rAge:\t not yet retrieved\rLast interaction:\t 23 hour(s) ago");
    EXPECT_EQ(table(9, L"dora", -2, 86400), L"Relation:\t none\rAge:\t retrieving\rLast interaction:\t more than 24 hours ago");
    client.OwnProfileRefresh = true;
    EXPECT_EQ(UserTooltipTable(client, {9, L"eve", -2, 0}),  // no activity known
              L"Relation:\t none\rAge:\t unknown\rLast interaction:\t more than 24 hours ago");
    // A name is text: no line break or column of its own, no placeholder.
    EXPECT_EQ(TooltipTitle(kStrTipOwnRow, L"a&b\r%P\t"), L"User list\rInfos about you (a&b %P )");
}

TEST(TooltipTest, HeadingRuleAndTwoColumns) {
    auto width = [](const std::wstring& text) { return static_cast<std::int32_t>(text.size()) * 6; };
    const TooltipDrawing d = LayOutTooltip(L"User list\rInfos about you (demo)",
                                           L"Relation:\t self\rLast interaction:\t 3 second(s) ago", 13, width);
    const std::int32_t column = 5 + 17 * 6;  // right of "Last interaction:"
    EXPECT_EQ(d.ruleY, 18);
    EXPECT_EQ(d.texts, (std::vector<TooltipText>{{5, 3, L"User list"},
                                                 {5, 21, L"Infos about you (demo)"},
                                                 {5, 38, L"Relation:"},
                                                 {column, 38, L" self"},
                                                 {5, 51, L"Last interaction:"},
                                                 {column, 51, L" 3 second(s) ago"}}));
    EXPECT_EQ(std::tuple(d.width, d.height), std::tuple(column + 16 * 6 + 5, 67));
    const TooltipDrawing chat = LayOutTooltip(L"Chat", L"", 13, width);
    EXPECT_EQ(std::tuple(chat.ruleY, chat.width, chat.height), std::tuple(-1, 4 * 6 + 10, 19));
}

struct RecordingOps : TooltipWindowOps {
    std::vector<std::string> log;
    void Layout() override { log.push_back("layout"); }
    void Show() override { log.push_back("show"); }
    void Hide() override { log.push_back("hide"); }
    void Repaint() override { log.push_back("repaint"); }
    void RunCallback(ToolCallback callback, WindowId, std::int32_t, std::int32_t) override {
        log.push_back("callback " + std::to_string(callback));
    }
    std::vector<std::string> Take() { return std::exchange(log, {}); }
};

constexpr WindowId kMain = 100, kPane = 200, kOther = 999;

TEST(TooltipTest, ShownAfterTheMouseRestsOnAToolWhoseWindowIsInFront) {
    using Log = std::vector<std::string>;
    test::FakeClock clock;
    RecordingOps ops;
    ToolList tools(ops, 500);
    auto step = [&](WindowId under, std::int32_t x, WindowId front = kMain) {
        clock.Advance(250);
        tools.Step({under, front, x, 40});
    };
    tools.Add(kMain, kPane, L"Chat", L"", kNoCallback, kTooltipHide);
    tools.Add(kMain, kMain, L"", L"", 2, kTooltipHide);  // nothing to tell: never an empty box
    for (int x : {1, 1, 2, 3, 3, 3, 3, 3}) step(kMain, x);
    for (int x : {10, 10, 11, 11, 11, 11}) step(kPane, x);  // a move restarts the wait
    EXPECT_EQ(ops.Take(), (Log{"callback 2", "callback 2", "callback 2", "callback 2", "callback 2", "layout", "show"}));
    step(kPane, 11, kOther);  // the main window left the front
    for (int x : {12, 12, 12, 12}) step(kPane, x);
    tools.Suspend();  // a popup menu opens
    step(kPane, 13);
    EXPECT_EQ(ops.Take(), (Log{"hide", "layout", "show", "hide"}));

    tools.RemoveOf(kMain);
    EXPECT_TRUE(tools.Records().empty());
}

}  // namespace
}  // namespace vellora
