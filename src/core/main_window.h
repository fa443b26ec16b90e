#pragma once
// What the protocol and the chat view ask of the main window: the rows of the
// user list, the status bar, the staff menus, and showing the window once the
// chat was entered. The window layer implements it; tests record. The chat
// view's other window work is in view/view_window.h.

#include <cstddef>
#include <string>

#include "view/roster.h"

namespace vellora {

class MainWindow {
public:
    virtual ~MainWindow() = default;

    // Appends a user-list row (36 pixels high) for a new roster entry.
    virtual void AddUserRow(const std::wstring& name, RowPicture picture, bool showNormal) = 0;
    // Deletes row Index of the user list; the rows after it move up.
    virtual void RemoveUserRow(std::size_t index) = 0;
    // Draws row Index normally or grayed out.
    virtual void SetUserRowNormal(std::size_t index, bool normal) = 0;
    // Sets the picture on the left of row Index (an icon the row then owns,
    // or -2 when no icon could be made).
    virtual void SetUserRowPicture(std::size_t index, RowPicture picture) = 0;
    // Sets the detail line of row Index (age and place).
    virtual void SetUserRowDetail(std::size_t index, const std::wstring& text) = 0;
    // The selected row, -1 when none.
    virtual int SelectedUserRow() const = 0;

    // The participant counts, shown in the first part of the status bar.
    virtual void SetStatusBarText(const std::wstring& text) = 0;

    // The own account belongs to the chat's staff: the user menu is loaded
    // again with its staff section and the self menu is loaded.
    virtual void SwitchToStaffMenus() = 0;

    // The login sequence has entered the chat: show the main window.
    virtual void ShowMainWindow() = 0;
};

}  // namespace vellora
