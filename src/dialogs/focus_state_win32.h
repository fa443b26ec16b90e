#pragma once
// Which windows hold or held the keyboard focus, and which pane the user is
// scrolling by hand. Process-wide, like the windows they name.

#include <windows.h>

namespace vellora {

struct FocusState {
    HWND MainWindow = nullptr;
    // The control that last gained the focus among the main input line, the
    // panes, the options button and the inputs of docked dialogs.
    HWND LastFocus = nullptr;
    // The tab label drawn active (the docked dialog with the focus).
    HWND ActiveTabLabel = nullptr;
    // The pane whose scroll bar the user holds: new lines do not scroll it.
    HWND FrozenPane = nullptr;
};

extern FocusState Focus;

}  // namespace vellora
