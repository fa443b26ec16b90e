#pragma once
// The popup menus without their windows: which menu a user's row opens,
// which items are checked, grayed or left out, and what each chosen command
// does. The window layer shows the menus (config/menus_win32.h) and hands
// the chosen command here.

#include <cstdint>
#include <string>

#include "core/client.h"
#include "resources/resource_ids.h"

namespace vellora {

// What the options menu's commands ask of the windows beyond the chat view.
class MenuWindows {
public:
    virtual ~MenuWindows() = default;
    // "Close all dialogs": Command is one of IDM_CLOSE_OFFLINE ...
    // IDM_CLOSE_ALL, which name the group of dialogs to close.
    virtual void CloseDialogs(std::int32_t command) = 0;
    // "More Options": the modal settings sheet.
    virtual void ShowSettingsDialog() = 0;
    // Sets the check mark of an options-menu item.
    virtual void CheckOptionsMenuItem(std::int32_t id, bool checked) = 0;
};

// The menu a user's name opens: none for an empty name, the self menu for
// the own name (which only a staff account has), else the user menu.
enum class UserMenuKind { None, User, Self };
UserMenuKind UserMenuFor(const Client& client, const std::wstring& user);

// The user menu's three add items are enabled while User is in no relation
// list and the lists dialog is closed (which edits the lists itself).
bool AddItemsEnabled(const Client& client, const std::wstring& user);

// Items of the user menu's staff section, left out unless the own account
// belongs to the chat's staff.
inline bool IsStaffItem(std::int32_t id) { return id >= IDM_STAFF_FIRST && id <= IDM_STAFF_LAST; }

// Sets the check marks of the options menu from the settings.
void CheckOptionsMenu(const Settings& settings, MenuWindows& windows);

// Runs a command chosen from the options menu; 0 (nothing chosen) and
// unknown commands do nothing.
void RunOptionsCommand(Client& client, std::int32_t command, MenuWindows& windows);

// Runs a command chosen from the user or self menu opened for User. Every
// command acts on that name, even when the user left the chat while the
// menu was open: the roster is only searched for it, never read by row.
void RunUserCommand(Client& client, const std::wstring& user, std::int32_t command);

}  // namespace vellora
