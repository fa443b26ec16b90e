#pragma once
// Conversations: the dialog windows (class "VelloraDialog"), their docking
// into the main window's right-hand column under a tab label (class
// "StaticTabControlRepos"), and the keyboard focus across the main window
// and the dialogs.
//
// The main window object owns one Conversations, made by MakeConversations
// (defined with the facility's implementation), from Form_Load until the
// main window and its children are gone. It calls the operations below at
// the points named; everything else the facility does it does in windows of
// its own. It reaches the main window object by the reference it is made
// with: the client, the main window's handles, the focus state, RealResize.

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "core/main_layout.h"
#include "view/dialog_column.h"
#include "view/view_window.h"

namespace vellora {

class FrmMain;

inline constexpr const wchar_t* kDialogWindowClass = L"VelloraDialog";
inline constexpr const wchar_t* kTabLabelClass = L"StaticTabControlRepos";

class Conversations {
public:
    // Closes every dialog still open and unregisters the two window classes.
    virtual ~Conversations() = default;

    // The chat view asks for a dialog's windows (not shown); null when they
    // cannot be made.
    virtual std::unique_ptr<DialogWindow> CreateDialogWindow(const std::wstring& caption) = 0;

    // The docked column, laid out by RealResize: one value per docked dialog,
    // in the order of Client::Dialogs, true for the dialog whose input, pane
    // or label holds the last focus; then the places computed from them.
    virtual std::vector<bool> DockedFocusFlags() const = 0;
    virtual void PlaceDocked(const std::vector<DockedPlacement>& places) = 0;
    // RealResize(true): every docked dialog's pane is repainted.
    virtual void InvalidateDockedPanes() = 0;
    // The chat font changed: every dialog pane takes Font.
    virtual void SetPaneFonts(HFONT font) = 0;

    // A control gained the focus. True when it belongs to a docked dialog
    // (whose label is then drawn active); false leaves it to the main window.
    virtual bool FocusChanged(HWND control) = 0;
    // The main window was activated and LastFocus names a control: true when
    // the focus went to a dialog's control.
    virtual bool RestoreFocus(HWND lastFocus) = 0;
    // Paints a tab label again (it became active or inactive).
    virtual void RedrawTabLabel(HWND label) = 0;

    // F4 in a pane or the options button: closes the docked dialog it
    // belongs to.
    virtual void MaybeClose(HWND control) = 0;
    // Closes every dialog (shutdown and the options menu), without the rule
    // that keeps a dialog with a fresh line open.
    virtual void CloseAllDialogs() = 0;
    // The options menu: closes the dialogs of Group, from the last to the
    // first, then lays the main window out again.
    virtual void CloseDialogs(DialogGroup group) = 0;

    // The tooltip facility registers its tools again: every dialog registers
    // its own (under the main window while docked, else under its window).
    virtual void RegisterDialogToolTips() = 0;
    // The mouse rests over the main window at ScreenPoint: the tooltip of the
    // docked dialog whose place holds the point; false when none does.
    virtual bool RaiseDockedDlgTooltip(POINT screenPoint) = 0;

    // Mouse buttons released over the main window where no child took them
    // (the pictures of docked dialogs); LParam packs the client point.
    virtual void MainWindowLeftClick(LPARAM point) = 0;
    virtual void MainWindowRightClick(LPARAM point) = 0;
};

// Registers the facility's window classes; called by Form_Load before the
// main window is created.
std::unique_ptr<Conversations> MakeConversations(FrmMain& main);

}  // namespace vellora
