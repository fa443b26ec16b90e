#pragma once
// The conversations facility on Windows: the dialog windows of the open
// conversations (Client::Dialogs), their docking into the main window's
// right-hand column under their tab labels, closing them, and the keyboard
// focus across the main window and the dialogs.
//
// The dialog windows and tab labels hand what happens to them here, named by
// the window it happened to; the rules that need no window (which dialog a
// window belongs to, where the focus returns, the close guard, the column's
// order) are the portable view/dialog_focus.h and view/dialog_column.h.

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "dialogs/conversations_win32.h"
#include "dialogs/window_object_win32.h"
#include "view/dialog_record.h"

namespace vellora {

class DialogWin;

class DialogHost : public Conversations {
public:
    explicit DialogHost(FrmMain& main);
    ~DialogHost() override;

    FrmMain& Main() { return main_; }

    // Conversations
    std::unique_ptr<DialogWindow> CreateDialogWindow(const std::wstring& caption) override;
    std::vector<bool> DockedFocusFlags() const override;
    void PlaceDocked(const std::vector<DockedPlacement>& places) override;
    void InvalidateDockedPanes() override;
    void SetPaneFonts(HFONT font) override;
    bool FocusChanged(HWND control) override;
    bool RestoreFocus(HWND lastFocus) override;
    void RedrawTabLabel(HWND label) override;
    void MaybeClose(HWND control) override;
    void CloseAllDialogs() override;
    void CloseDialogs(DialogGroup group) override;
    void RegisterDialogToolTips() override;
    bool RaiseDockedDlgTooltip(POINT screenPoint) override;
    void MainWindowLeftClick(LPARAM point) override;
    void MainWindowRightClick(LPARAM point) override;

    // --- what the dialog windows ask
    // Minimizing a floating dialog docks it.
    void DockByHWnd(HWND dialogWindow);
    // The close box, Alt+F4: closed unless a line just came.
    void CloseFormByHWnd(HWND dialogWindow);
    // F4 in an input line, the label's close icon: closed when its docked
    // state is IfDocked (and no line just came).
    void CloseFormByChild(HWND control, bool ifDocked);
    // A floating dialog was activated: its input line takes the focus.
    void RestoreDialogFocus(HWND dialogWindow);
    // Enter in a dialog's input line: the line goes to the dialog's user.
    void GotEnter(HWND input);
    // A right click on a floating dialog: the user menu of its user.
    void CheckUndockedWindowsRClick(HWND dialogWindow);
    // Registers the tooltips of Win's dialog under Parent (nothing while the
    // dialog is not yet in the collection).
    void SetToolTips(const DialogWin& win, HWND parent);

    // --- what the tab labels ask
    void UndockByLabel(HWND label);
    void MoveDlg(HWND label, bool moveDown);
    void FocusToByHLabel(HWND label);
    void CheckUndockedWindowsRClickByHLabel(HWND label);
    // The label's text (the user, and the age once known) and whether it is
    // drawn as the one with the focus.
    std::wstring LabelText(HWND label) const;
    bool IsActiveLabel(HWND label) const;

private:
    DialogList& Dialogs() const;
    Form2* ByWindow(HWND window) const;
    Form2* ByLabel(HWND label) const;
    Form2* ByControl(HWND control) const;
    // Every dialog window of the collection is one of ours.
    static DialogWin& Win(const Form2& dialog);

    void DockDialog(Form2& dialog);
    void UndockDialog(Form2& dialog, bool keepHidden);
    // Undocks (kept hidden), destroys the windows and drops the dialog; with
    // Shift held its user's name goes to the chat input. The focus it held
    // in the main window goes back to the main window's input line.
    void CloseDialog(Form2& dialog);
    // Closes the dialog of a close request unless a line just came, and
    // lays the main window out again when it was docked.
    void CloseIfAllowed(Form2& dialog);
    void OpenUserMenu(const Form2* dialog);

    FrmMain& main_;
    WindowClass dialogClass_;
    WindowClass labelClass_;
};

}  // namespace vellora
