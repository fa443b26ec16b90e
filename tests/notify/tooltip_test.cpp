#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "notify/tool_list.h"
#include "notify/tooltip_layout.h"
#include "notify/tooltip_text.h"
#include "resources/string_ids.h"
#include "support/fake_clock.h"

namespace vellora {
namespace {

TEST(TooltipTextTest, RelationAgeAndLastInteraction) {
    test::FakeClock clock(100000000);
    Client client;
    client.session.OwnUserId = L"501001";
    client.lists.Friends = {L"Anna"};
    client.lists.Banned = {L"bob"};
    client.lists.TempIgnored = {L"carl"};
    auto table = [&](std::int32_t id, const std::wstring& name, std::int32_t age, std::uint32_t idleSeconds) {
        return UserTooltipTable(client, {id, name, age, TickNow() - idleSeconds * 1000});
    };
    EXPECT_EQ(table(7, L"anna", 31, 59), L"Relation:\t friend\rAge:\t 31\rLast interaction:\t 59 second(s) ago");
    EXPECT_EQ(table(501001, L"demo", 0, 60),
              L"Relation:\t self\rAge:\t unknown\rLast interaction:\t 1 minute(s) ago");
    EXPECT_EQ(table(8, L"BOB", -1, 3599),
              L"Relation:\t ignored\rAge:\t not retrieved\rLast interaction:\t 59 minute(s) ago");
    client.settings.RetrieveUserAges = true;
    EXPECT_EQ(table(9, L"carl", -1, 3600),
              L"Relation:\t temporary ignored\rAge:\t not yet retrieved\rLast interaction:\t 1 hour(s) ago");
    // Being read: only while that user's own page is on its way.
    client.poll.PendingUid = 10;
    EXPECT_EQ(table(10, L"dora", -2, 86399), L"Relation:\t none\rAge:\t retrieving\rLast interaction:\t 23 hour(s) ago");
    client.OwnProfileRefresh = true;
    EXPECT_EQ(table(10, L"dora", -2, 86400),
              L"Relation:\t none\rAge:\t unknown\rLast interaction:\t more than 24 hours ago");
    EXPECT_EQ(UserTooltipTable(client, {11, L"eve", 2, 0}),
              L"Relation:\t none\rAge:\t 2\rLast interaction:\t more than 24 hours ago");

    // Names are text: no line break or column from a name, and no
    // placeholder inside one is replaced.
    EXPECT_EQ(TooltipTitle(kStrTipOwnRow, L"a&b\r%P\t"), L"User list\rInfos about you (a&b %P )");
    EXPECT_EQ(AgeNumber(L"42"), 42);
    EXPECT_EQ(AgeNumber(L"x"), 0);
}

TEST(TooltipLayoutTest, HeadingRuleAndTwoColumns) {
    auto width = [](const std::wstring& text) { return static_cast<std::int32_t>(text.size()) * 6; };
    const TooltipDrawing d = LayOutTooltip(L"User list\rInfos about you (demo)",
                                           L"Relation:\t self\rAge:\t 28\rLast interaction:\t 3 second(s) ago", 13, width);
    const std::int32_t column = 5 + 17 * 6;  // right of "Last interaction:"
    EXPECT_EQ(d.valueColumnX, column);
    EXPECT_EQ(d.ruleY, 18);
    EXPECT_EQ(d.texts, (std::vector<TooltipText>{{5, 3, L"User list"},
                                                 {5, 21, L"Infos about you (demo)"},
                                                 {5, 38, L"Relation:"},
                                                 {column, 38, L" self"},
                                                 {5, 51, L"Age:"},
                                                 {column, 51, L" 28"},
                                                 {5, 64, L"Last interaction:"},
                                                 {column, 64, L" 3 second(s) ago"}}));
    EXPECT_EQ(d.width, column + 16 * 6 + 5);
    EXPECT_EQ(d.height, 80);
    // A heading alone: no rule for one line.
    const TooltipDrawing chat = LayOutTooltip(L"Chat", L"", 13, width);
    EXPECT_EQ(chat.ruleY, -1);
    EXPECT_EQ(std::tuple(chat.width, chat.height), std::tuple(4 * 6 + 10, 3 + 13 + 3));
}

struct RecordingOps : TooltipWindowOps {
    std::vector<std::string> log;
    std::function<void()> onCallback;
    void Layout() override { log.push_back("layout"); }
    void Show() override { log.push_back("show"); }
    void Hide() override { log.push_back("hide"); }
    void Repaint() override { log.push_back("repaint"); }
    void RunCallback(ToolCallback callback, WindowId tool, std::int32_t, std::int32_t) override {
        log.push_back("callback " + std::to_string(callback) + " " + std::to_string(tool));
        if (onCallback) onCallback();
    }
    std::vector<std::string> Take() { return std::exchange(log, {}); }
};

using Log = std::vector<std::string>;
constexpr WindowId kMain = 100, kPane = 200, kList = 300, kOther = 999;

class HoverTest : public ::testing::Test {
protected:
    // One timer step with the mouse at X over Under while Front is in front.
    void Step(WindowId under, std::int32_t x, WindowId front = kMain) {
        clock.Advance(250);
        tools.Step({under, front, x, 40});
    }
    test::FakeClock clock;
    RecordingOps ops;
    ToolList tools{ops, 500};
};

TEST_F(HoverTest, TheTooltipShowsAfterTheMouseRestsAndGoesWhenItLeaves) {
    tools.Add(kMain, kPane, L"Chat", L"", kNoCallback, kTooltipHide);
    Step(kPane, 10);
    Step(kPane, 10);
    EXPECT_EQ(tools.CurrentTool(), kNoTool) << "the mouse has not moved since the start";
    Step(kPane, 11);   // starts waiting
    Step(kPane, 12);   // moved: waits again
    Step(kPane, 12);
    Step(kPane, 12);
    EXPECT_TRUE(ops.Take().empty());
    Step(kPane, 12);   // more than 500 ms at rest
    EXPECT_EQ(ops.Take(), (Log{"layout", "show"}));
    EXPECT_EQ(tools.CurrentTitle(), L"Chat");
    Step(kPane, 14);   // moving over the shown tooltip's tool changes nothing
    Step(kPane, 14, kOther);  // the main window left the front
    EXPECT_EQ(ops.Take(), (Log{"hide"}));

    // A popup menu: nothing shows until it is closed.
    for (int x : {20, 20, 20, 20}) Step(kPane, x);
    EXPECT_TRUE(tools.Shown());
    tools.Suspend();
    for (int x : {21, 21, 21, 21}) Step(kPane, x);
    EXPECT_FALSE(tools.Shown());
    tools.Resume();
    for (int x : {22, 22, 22, 22}) Step(kPane, x);
    EXPECT_EQ(ops.Take(), (Log{"layout", "show", "hide", "layout", "show"}));
    tools.RemoveOf(kMain);
    EXPECT_EQ(ops.Take(), (Log{"hide"}));
    EXPECT_TRUE(tools.Records().empty());
}

TEST_F(HoverTest, ACallbackComposesTheTextsWhileTheMouseMoves) {
    tools.Add(kMain, kMain, L"", L"", 2, kTooltipHide);  // nothing to tell here: never an empty box
    tools.Add(kMain, kList, L"", L"", 1, kTooltipHide);
    int row = 0;
    ops.onCallback = [&] {
        tools.Step({kList, kMain, 0, 0});  // a nested step returns at once
        tools.Add(kMain, kList, L"User " + std::to_wstring(row), L"Age:\t 3", kKeepCallback, kTooltipRelayout);
    };
    Step(kMain, 1);
    for (int x : {2, 2, 2, 2, 2}) Step(kMain, x);
    EXPECT_FALSE(tools.Shown());
    for (int x : {3, 3, 3, 3}) Step(kList, x);
    EXPECT_EQ(tools.CurrentTitle(), L"User 0");
    EXPECT_EQ(ops.Take(), (Log{"callback 2 100", "callback 2 100", "callback 2 100", "callback 2 100",
                               "callback 1 300", "callback 1 300", "callback 1 300", "layout", "show"}));
    // The mouse moves to another row: the shown tooltip takes the new texts.
    row = 1;
    Step(kList, 4);
    EXPECT_EQ(tools.CurrentTitle(), L"User 1");
    EXPECT_EQ(ops.Take(), (Log{"callback 1 300", "layout", "repaint"}));
    // The same texts again change nothing; Mode 0 hides.
    tools.Add(kMain, kList, L"User 1", L"Age:\t 3", kKeepCallback, kTooltipHide);
    EXPECT_TRUE(tools.Shown());
    tools.Add(kMain, kList, L"User list", L"", kKeepCallback, kTooltipHide);
    EXPECT_EQ(ops.Take(), (Log{"hide"}));
    EXPECT_EQ(tools.Records().back().callback, 1);
}

}  // namespace
}  // namespace vellora
