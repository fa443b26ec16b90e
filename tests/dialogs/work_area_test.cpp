#include <gtest/gtest.h>

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
    // Mostly on the second monitor and sticking out at its right edge.
    EXPECT_EQ(ClampRectToWorkArea({2200, 100, 2800, 500}, TwoMonitors), (ScreenPlacement{1960, 100, 600, 400}));
    // Straddling the border: the monitor of its centre, not of a corner.
    EXPECT_EQ(ClampRectToWorkArea({1000, 100, 1700, 500}, TwoMonitors), (ScreenPlacement{1280, 100, 700, 400}));
    EXPECT_EQ(ClampRectToWorkArea({1000, 100, 1500, 500}, TwoMonitors), (ScreenPlacement{780, 100, 500, 400}));
}

TEST(WorkAreaTest, PopupsGoBesideTheMousePointerWithinTheWorkArea) {
    const ScreenRect area{0, 0, 1024, 728};
    // Clear of the arrow: below and right of it, or left of and above it at the edges.
    EXPECT_EQ(PlaceNearCursor(200, 100, {100, 100, 20, 30}, area), (ScreenPlacement{116, 106, 200, 100}));
    EXPECT_EQ(PlaceNearCursor(200, 100, {900, 700, 0, 0}, area), (ScreenPlacement{696, 596, 200, 100}));
    EXPECT_EQ(PlaceNearCursor(1000, 100, {600, 10, 0, 0}, area), (ScreenPlacement{0, 26, 1000, 100}));
    // Under a list row and over a button's corner.
    const ScreenRect screen{0, 0, 1280, 984};
    const ScreenRect list{0, 100, 169, 980};
    EXPECT_EQ(PopupAtListRow(list, 300, 36, 150, 200, screen), (ScreenPlacement{9, 345, 150, 200}));
    EXPECT_EQ(PopupAtListRow(list, 850, 36, 150, 200, screen), (ScreenPlacement{9, 641, 150, 200}));
    EXPECT_EQ(PopupAtWindow({1250, 950, 1275, 969}, 200, 150, screen), (ScreenPlacement{1069, 804, 200, 150}));
}

}  // namespace
}  // namespace vellora
