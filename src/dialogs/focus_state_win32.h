#pragma once
// Which windows hold or held the keyboard focus. Owned by the main window
// object; the conversations facility reads and writes it too. (The pane
// whose scroll bar the user holds is the panes' own: SetFrozenPane.)

#include <windows.h>

namespace vellora {

struct FocusState {
    HWND MainWindow = nullptr;
    // The control that last gained the focus among the main input line, the
    // panes, the options button and the inputs of docked dialogs.
    HWND LastFocus = nullptr;
    // The tab label drawn active (the docked dialog with the focus).
    HWND ActiveTabLabel = nullptr;
};

}  // namespace vellora
