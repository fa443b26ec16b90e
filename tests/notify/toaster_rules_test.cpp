#include <gtest/gtest.h>

#include "notify/toaster_rules.h"
#include "support/fake_clock.h"
#include "text/recording_pane.h"

namespace vellora {
namespace {

TEST(ToasterTest, TheLastTwelveLinesShowWithTheirNamesInBold) {
    EXPECT_EQ(ToasterLine(2, L"Anna", L"Anna is in the chat", 5).Text, L"{\\b Anna} is in the chat");
    EXPECT_EQ(ToasterLine(2, L"", L"*** Connection lost", 5).Text, L"*** Connection lost");
    const PaneLine message = ToasterLine(1, L"b{o}b", L"hi {\\ul anna}", 5);
    EXPECT_EQ(message.Prefix + message.Text, L"{\\b b\\{o\\}b:} hi {\\ul anna}");

    LineRing lines(kToasterLineCount, kToasterRtfCapacity);
    test::RecordingPane pane;
    Settings settings;
    settings.ShowTimes = true;
    for (int i = 1; i <= 13; ++i) lines.Add(ToasterLine(1, L"bob", L"line " + std::to_wstring(i), i), settings, pane);
    const std::vector<std::string> shown = test::Paragraphs(pane.Last());
    ASSERT_EQ(shown.size(), 12u);
    EXPECT_EQ(shown.front(), "[00:00:02] {\\b bob:} line 2");
    EXPECT_EQ(shown.back(), "[00:00:13] {\\b bob:} line 13");
}

TEST(ToasterTest, ItStaysTwelveSecondsAfterItsLastLine) {
    test::FakeClock clock;
    const Tick shown = TickNow();
    clock.Advance(12000);
    EXPECT_TRUE(ToasterStaysOpen(shown, 12000));
    EXPECT_FALSE(ToasterStaysOpen(shown, 0)) << "unloading closes it at once";
    clock.Advance(1);
    EXPECT_FALSE(ToasterStaysOpen(shown, 12000));
}

TEST(ToasterTest, ItGetsOutOfTheWayOfTheMouseAtTheTopRight) {
    ToasterScreen screen{ScreenRect{0, 0, 1024, 768}, ScreenRect{50, 50, 433, 210}, ScreenPoint{500, 400}};
    auto at = [&](std::int32_t x, std::int32_t y) {
        screen.mouse = ScreenPoint{x, y};
        const ToasterSpot s = PlaceToaster(screen);
        return std::tuple(s.corner, s.left, s.top);
    };
    EXPECT_EQ(at(500, 400), std::tuple(1, 641, 0));
    EXPECT_EQ(at(1020, 5), std::tuple(2, 641, 608));
    // Near the spot: 50 pixels left of it and 30 below it still count.
    EXPECT_EQ(at(591, 190), std::tuple(2, 641, 608));
    EXPECT_EQ(at(590, 190), std::tuple(1, 641, 0));
    EXPECT_EQ(at(700, 191), std::tuple(1, 641, 0));
    screen.mouse.reset();
    EXPECT_EQ(PlaceToaster(screen).corner, kToasterScreenUnknown);
    EXPECT_EQ(PlaceToaster(screen).top, 0);
}

}  // namespace
}  // namespace vellora
