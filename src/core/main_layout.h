#pragma once
// The arithmetic of the main window's layout: the chat column (user list,
// chat pane, input line, options button), the status bar strip and the
// column of docked dialogs at the right. Pure numbers, so the window layer
// only moves windows to what this returns.

#include <cstdint>
#include <vector>

namespace vellora {

inline constexpr std::int32_t kUserListWidth = 169;
inline constexpr std::int32_t kInputHeight = 19;
inline constexpr std::int32_t kOptionsButtonWidth = 25;

struct LayoutRect {
    std::int32_t x = 0;
    std::int32_t y = 0;
    std::int32_t width = 0;
    std::int32_t height = 0;
    friend bool operator==(const LayoutRect&, const LayoutRect&) = default;
};

struct MainLayoutInput {
    std::int32_t clientWidth = 0;
    std::int32_t clientHeight = 0;
    bool statusBarShown = true;
    std::int32_t statusBarHeight = 0;
    bool autoHideDialogTextBoxes = false;
    // One value per docked dialog, in the order of the dialog collection:
    // true for the dialog whose input, pane or label holds the last focus.
    std::vector<bool> dockedOwnsFocus;
};

// Where one docked dialog goes (tab label included) and how it is shown.
struct DockedPlacement {
    LayoutRect rect;
    bool inputHidden = false;
    bool upEnabled = true;
    bool downEnabled = true;
};

struct MainLayout {
    std::int32_t chatWidth = 0;   // width of the chat column
    std::int32_t dockWidth = 0;   // width of the docked column (0 without docked dialogs)
    std::int32_t statusBarRight = 0;  // right edge of the status bar's one part
    LayoutRect optionsButton;
    LayoutRect mainInput;
    LayoutRect userList;
    LayoutRect chatPane;
    std::vector<DockedPlacement> docked;
};

MainLayout ComputeMainLayout(const MainLayoutInput& in);

}  // namespace vellora
