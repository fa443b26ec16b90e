#pragma once
// The lists dialog Form3 (the friends, ignored and temporarily ignored users,
// and the friends present at chat entry) as Client::ListsDialog describes it,
// and the input box AskForText it adds names with.
//
// The main window object owns one ListsDialogWindow, made by
// MakeListsDialogWindow (defined with the window's implementation) in
// Form_Load, until Form_Unload unloads it. It reaches the main window object
// by the reference it is made with.

#include <windows.h>

#include <memory>
#include <string>

#include "view/view_window.h"

namespace vellora {

class FrmMain;

class ListsDialogWindow {
public:
    // Unloads the dialog if it is loaded.
    virtual ~ListsDialogWindow() = default;

    // Shows the dialog (without owner, without blocking) or brings it up to
    // date; see ViewWindow::ShowListsDialog.
    virtual void ShowListsDialog() = 0;
    // The input box with Prompt; see ViewWindow::AskForText.
    virtual bool AskForText(const std::wstring& prompt, std::wstring& answer, const AnswerCheck& check) = 0;
    // True for the dialog's window while it is loaded.
    virtual bool IsListsWindow(HWND window) const = 0;
};

std::unique_ptr<ListsDialogWindow> MakeListsDialogWindow(FrmMain& main);

}  // namespace vellora
