#include <gtest/gtest.h>

#include "core/main_layout.h"
#include "core/rounding.h"

namespace vellora {
namespace {

MainLayoutInput Client(std::int32_t w, std::int32_t h) {
    MainLayoutInput in;
    in.clientWidth = w;
    in.clientHeight = h;
    in.statusBarShown = false;
    return in;
}

TEST(MainLayoutTest, ChatColumnOfAFourHundredPixelWindow) {
    MainLayoutInput in = Client(400, 300);
    in.statusBarShown = true;
    in.statusBarHeight = 22;
    MainLayout l = ComputeMainLayout(in);
    EXPECT_EQ(l.chatWidth, 400);
    EXPECT_EQ(l.statusBarRight, 400);
    // The input line and the button sit directly above the status bar.
    EXPECT_EQ(l.userList, (LayoutRect{0, 0, 169, 259}));
    EXPECT_EQ(l.chatPane, (LayoutRect{169, 0, 231, 259}));
    EXPECT_EQ(l.mainInput, (LayoutRect{0, 259, 375, 19}));
    EXPECT_EQ(l.optionsButton, (LayoutRect{375, 259, 25, 19}));

    in.statusBarShown = false;
    l = ComputeMainLayout(in);
    EXPECT_EQ(l.mainInput, (LayoutRect{0, 281, 375, 19}));
    EXPECT_EQ(l.chatPane.height, 281);
}

TEST(MainLayoutTest, NarrowAndLowWindowsNeverGetNegativeSizes) {
    for (std::int32_t w : {0, 10, 24, 25, 100, 168, 169, 170, 193, 194}) {
        for (std::int32_t h : {0, 5, 19, 20}) {
            MainLayoutInput in = Client(w, h);
            in.statusBarShown = true;
            in.statusBarHeight = 22;
            MainLayout l = ComputeMainLayout(in);
            SCOPED_TRACE(testing::Message() << w << "x" << h);
            EXPECT_GE(l.mainInput.width, 0);
            EXPECT_GE(l.chatPane.width, 0);
            EXPECT_GE(l.userList.height, 0);
            EXPECT_GE(l.mainInput.y, 0);
            EXPECT_EQ(l.optionsButton.x, l.mainInput.width);
        }
    }
    MainLayout l = ComputeMainLayout(Client(150, 10));
    EXPECT_EQ(l.mainInput, (LayoutRect{0, 0, 125, 19}));
    EXPECT_EQ(l.chatPane, (LayoutRect{169, 0, 0, 0}));
    EXPECT_EQ(ComputeMainLayout(Client(-5, -5)).statusBarRight, 0);
}

TEST(MainLayoutTest, TwoDockedDialogsShareTheRightColumn) {
    MainLayoutInput in = Client(1000, 600);
    in.dockedOwnsFocus = {false, false};
    MainLayout l = ComputeMainLayout(in);
    EXPECT_EQ(l.chatWidth, 600);
    EXPECT_EQ(l.dockWidth, 400);
    ASSERT_EQ(l.docked.size(), 2u);
    EXPECT_EQ(l.docked[0].rect, (LayoutRect{600, 0, 400, 300}));
    EXPECT_EQ(l.docked[1].rect, (LayoutRect{600, 300, 400, 300}));
    EXPECT_FALSE(l.docked[0].upEnabled);
    EXPECT_TRUE(l.docked[0].downEnabled);
    EXPECT_TRUE(l.docked[1].upEnabled);
    EXPECT_FALSE(l.docked[1].downEnabled);
    EXPECT_FALSE(l.docked[0].inputHidden || l.docked[1].inputHidden);
    // The chat column keeps to its share.
    EXPECT_EQ(l.mainInput.width, 575);
    EXPECT_EQ(l.chatPane.width, 431);
}

TEST(MainLayoutTest, HiddenDialogInputsLeaveRoomForTheFocusedOne) {
    MainLayoutInput in = Client(1000, 600);
    in.autoHideDialogTextBoxes = true;
    in.dockedOwnsFocus = {false, true};
    MainLayout l = ComputeMainLayout(in);
    // (600 - 19) / 2 = 290.5 rounds to the even 290.
    EXPECT_EQ(l.docked[0].rect, (LayoutRect{600, 0, 400, 290}));
    EXPECT_TRUE(l.docked[0].inputHidden);
    EXPECT_EQ(l.docked[1].rect, (LayoutRect{600, 290, 400, 309}));
    EXPECT_FALSE(l.docked[1].inputHidden);

    in.dockedOwnsFocus = {false, false};  // the focus is in the main input line
    l = ComputeMainLayout(in);
    EXPECT_EQ(l.docked[0].rect.height, 300);
    EXPECT_EQ(l.docked[1].rect, (LayoutRect{600, 300, 400, 300}));
    EXPECT_TRUE(l.docked[0].inputHidden && l.docked[1].inputHidden);

    in.clientHeight = 10;  // too low for the focused input line
    in.dockedOwnsFocus = {true};
    l = ComputeMainLayout(in);
    EXPECT_EQ(l.docked[0].rect.height, 19);
}

TEST(MainLayoutTest, ChatColumnKeepsTheUserListWidth) {
    MainLayoutInput in = Client(250, 300);
    in.dockedOwnsFocus = {false};
    EXPECT_EQ(ComputeMainLayout(in).chatWidth, 169);
    EXPECT_EQ(ComputeMainLayout(in).dockWidth, 81);
    in.clientWidth = 100;
    EXPECT_EQ(ComputeMainLayout(in).chatWidth, 169);
    EXPECT_EQ(ComputeMainLayout(in).dockWidth, 0);
}

TEST(MainLayoutTest, RoundingGoesToTheEvenNeighbour) {
    const int cases[][3] = {{581, 2, 290}, {583, 2, 292}, {10, 3, 3}, {11, 3, 4}, {-3, 2, -2}, {-5, 2, -2}, {-7, 3, -2}};
    for (const auto& c : cases) EXPECT_EQ(DivRoundHalfEven(c[0], c[1]), c[2]) << c[0] << "/" << c[1];
}

}  // namespace
}  // namespace vellora
