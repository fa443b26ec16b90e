#pragma once
// What the protocol asks of the main window and its companions: the rows of
// the user list, the status bar, the staff menus, the friends-present list
// of the lists dialog, and showing the window once the chat was entered. The
// window layer implements it; tests record.

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

    // The participant counts, shown in the first part of the status bar.
    virtual void SetStatusBarText(const std::wstring& text) = 0;

    // The own account belongs to the chat's staff: the user menu is loaded
    // again with its staff section and the self menu is loaded.
    virtual void SwitchToStaffMenus() = 0;

    // A friend who was present when the chat was entered: one row of the
    // lists dialog (name padded to 64 characters, then the picture source),
    // added without showing the dialog.
    virtual void AddFriendPresentRow(const std::wstring& row) = 0;
    // Opens the lists dialog in friends-present mode with the rows added.
    virtual void ShowFriendsPresent() = 0;

    // The login sequence has entered the chat: show the main window.
    virtual void ShowMainWindow() = 0;
};

}  // namespace vellora
