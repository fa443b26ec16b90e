#include <gtest/gtest.h>

#include "dialogs/dialog_layout.h"

namespace vellora {
namespace {

TEST(DialogLayoutTest, FloatingAndDockedDialogsShareTheirRectangle) {
    // A new floating dialog: the whole picture left, the input below the pane.
    DialogLayout l = ComputeDialogLayout({0, 0, 480, 156}, false, false);
    EXPECT_EQ(l.picture, (LayoutRect{0, 0, 130, 156}));
    EXPECT_EQ(l.pane, (LayoutRect{130, 0, 350, 137}));
    EXPECT_EQ(l.input, (LayoutRect{130, 137, 350, 19}));

    // Docked at (600, 40): the label on top, the small picture centred.
    l = ComputeDialogLayout({600, 40, 300, 200}, true, false);
    EXPECT_EQ(l.label, (LayoutRect{600, 40, 300, 16}));
    EXPECT_EQ(l.picture, (LayoutRect{600, 40 + 16 + 54, 63, 76}));
    EXPECT_EQ(l.pane, (LayoutRect{663, 56, 237, 165}));
    EXPECT_EQ(l.input, (LayoutRect{663, 221, 237, 19}));
    // Without its input line the pane takes the room.
    l = ComputeDialogLayout({600, 40, 300, 200}, true, true);
    EXPECT_EQ(l.pane, (LayoutRect{663, 56, 237, 184}));
    EXPECT_EQ(l.input.y, -38);

    // Too narrow or too low: nothing negative.
    l = ComputeDialogLayout({0, 0, 40, 10}, true, false);
    EXPECT_EQ(l.pane.width, 0);
    EXPECT_EQ(l.pane.height, 0);
    EXPECT_EQ(l.picture.height, 0);
}

}  // namespace
}  // namespace vellora
