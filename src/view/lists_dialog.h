#pragma once
// The lists dialog (Form3): editing one relation list (add, remove), and
// after entering the chat, the friends who are already there (open a dialog,
// talk to). The model is Client::ListsDialog; the window layer shows it and
// calls these operations for its buttons.

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "core/client.h"

namespace vellora {

// Opens the dialog on the relation list of Mode (0 friends, 1 ignored, 2
// temporarily ignored), showing only that list's names.
void OpenListDialog(Client& client, std::int32_t mode);

// Command1: in edit mode "Add..." (asks for a name), with friends present
// "Dialog" (opens a dialog with the first selected friend).
void ListsDialogCommand1(Client& client, const std::vector<std::size_t>& selectedRows);
// Command2: in edit mode "Remove selected", with friends present "Talk to".
void ListsDialogCommand2(Client& client, const std::vector<std::size_t>& selectedRows);
// Double-click on a row: with friends present a dialog, or with Shift or Ctrl
// the name in front of the chat input; nothing in edit mode.
void ListsDialogDblClick(Client& client, std::size_t row);
// The dialog was closed.
void UnloadListsDialog(Client& client);

// Copies the dialog's rows into the list being edited, updates the buttons
// and the user list's drawing, and saves the settings.
void CatchArray(Client& client);

// A friend present at chat entry, collected while the first user list is
// handled; ShowFriendsPresent opens the dialog with all of them.
void AddFriendPresentRow(Client& client, const std::wstring& name, const std::wstring& picStr);
void ShowFriendsPresent(Client& client);

// The name and the picture source of a friends-present row.
std::wstring FriendRowName(const std::wstring& row);
std::wstring FriendRowPicture(const std::wstring& row);

// A name typed into the add box, lower-cased and without the team prefix;
// empty when it holds anything but ASCII letters and digits.
std::wstring NormalizedListName(const std::wstring& typed);

}  // namespace vellora
