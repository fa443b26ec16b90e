#include <gtest/gtest.h>

#include <vector>

#include "config/popup_placement.h"
#include "dialogs/work_area.h"

namespace vellora {
namespace {

// Two monitors side by side, each with a task bar of 40 pixels at the bottom.
ScreenRect TwoMonitors(std::int32_t x, std::int32_t) {
    if (x >= 1280) return {1280, 0, 2560, 984};
    return {0, 0, 1280, 984};
}

TEST(WorkAreaTest, WindowsAreKeptInsideTheWorkArea) {
    // Partly below the work area: moved up to meet its bottom edge.
    EXPECT_EQ(ClampRectToWorkArea({100, 800, 700, 1200}, TwoMonitors), (ScreenPlacement{100, 584, 600, 400}));
    // Larger than the work area: shrunk to it, at its top-left corner.
    EXPECT_EQ(ClampRectToWorkArea({-50, -50, 1400, 1100}, TwoMonitors), (ScreenPlacement{0, 0, 1280, 984}));
    // Inside already: unchanged.
    EXPECT_EQ(ClampRectToWorkArea({10, 20, 610, 420}, TwoMonitors), (ScreenPlacement{10, 20, 600, 400}));
    // Above and left of the area: moved in.
    EXPECT_EQ(ClampRectToWorkArea({-30, -10, 570, 390}, TwoMonitors), (ScreenPlacement{0, 0, 600, 400}));
}

TEST(WorkAreaTest, TheMonitorAtTheCentreDecides) {
    std::vector<std::pair<int, int>> asked;
    auto recording = [&](std::int32_t x, std::int32_t y) {
        asked.emplace_back(x, y);
        return TwoMonitors(x, y);
    };
    // Mostly on the second monitor and sticking out at its right edge.
    EXPECT_EQ(ClampRectToWorkArea({2200, 100, 2800, 500}, recording), (ScreenPlacement{1960, 100, 600, 400}));
    EXPECT_EQ(asked, (std::vector<std::pair<int, int>>{{2500, 300}}));
    // Straddling the border with its centre on the first monitor.
    EXPECT_EQ(ClampRectToWorkArea({1000, 100, 1500, 500}, TwoMonitors), (ScreenPlacement{780, 100, 500, 400}));
}

// Beside the cursor, under a list row and over a button's corner; on the other
// side near the screen's bottom-right corner.
TEST(WorkAreaTest, PopupsOpenBesideTheCursorTheRowOrTheWindowAndStayOnScreen) {
    const ScreenRect area{0, 0, 1280, 984};
    EXPECT_EQ(PlaceNearCursor({100, 100, 0, 0}, 200, 150, area), (ScreenPlacement{116, 116, 200, 150}));
    EXPECT_EQ(PlaceNearCursor({1200, 900, 0, 0}, 200, 150, area), (ScreenPlacement{996, 746, 200, 150}));
    const ScreenRect list{0, 100, 169, 980};
    EXPECT_EQ(PopupAtListRow(list, 300, 36, 150, 200, area), (ScreenPlacement{9, 345, 150, 200}));
    EXPECT_EQ(PopupAtListRow(list, 850, 36, 150, 200, area), (ScreenPlacement{9, 641, 150, 200}));
    EXPECT_EQ(PopupAtWindow({1250, 950, 1275, 969}, 200, 150, area), (ScreenPlacement{1069, 804, 200, 150}));
}

}  // namespace
}  // namespace vellora
