#include <gtest/gtest.h>

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
}

}  // namespace
}  // namespace vellora
