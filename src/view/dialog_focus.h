#pragma once
// Where the keyboard focus is among the open dialogs, and where it goes back
// to. The window layer records the control that last had the focus
// (LastFocus); these rules say which dialog that control belongs to, which
// docked dialog keeps its input line, and what gets the focus when the main
// window is activated again.

#include <vector>

#include "view/dialog_record.h"

namespace vellora {

// The first dialog whose own window is Window, or null.
Form2* DialogOfWindow(const DialogList& dialogs, WindowId window);
// The first dialog whose tab label is Label, or null.
Form2* DialogOfLabel(const DialogList& dialogs, WindowId label);
// The first dialog that Control belongs to as its label, input or pane, or
// null.
Form2* DialogOfControl(const DialogList& dialogs, WindowId control);

// One value per docked dialog, in collection order: true for the dialog whose
// label, input or pane is LastFocus (the docked layout gives it its input
// line when the others hide theirs).
std::vector<bool> DockedFocusFlags(const DialogList& dialogs, WindowId lastFocus);

// What gets the focus when the main window is activated.
struct FocusReturn {
    enum Kind {
        MainInput,    // the main input line
        LastFocus,    // the control that had it (a docked dialog's input or pane)
        DialogInput,  // Dialog's input line (its label or window had it)
    } kind = MainInput;
    Form2* dialog = nullptr;
};
// A control of an undocked dialog is in a window of its own, which keeps its
// focus itself: the main window then takes its input line.
FocusReturn WhereFocusReturns(const DialogList& dialogs, WindowId lastFocus);

}  // namespace vellora
