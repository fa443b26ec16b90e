#pragma once
// The user's relations to the users present: which rows of the user list are
// drawn normally and which grayed out (by GrayOrHilightUsersMode: 0 all
// normal, 1 ignored users grayed, 2 ignored and idle users grayed, 3 all but
// friends grayed), and the actions of the main user list.

#include <cstdint>
#include <string>

#include "core/client.h"

namespace vellora {

// The relation lists by the lists dialog's mode: 0 friends, 1 ignored users,
// 2 temporarily ignored users; null for any other mode.
RelationList* ListOfMode(Client& client, std::int32_t mode);

// True when the user stands in none of the three lists.
bool IsInNoList(const Client& client, const std::wstring& xUser);

// Re-evaluates the drawing state of every roster entry; only rows whose state
// changes are drawn again.
void UpdateAllUserHilights(Client& client);
// True when a change of the relation list ListMode changes which rows the
// gray-out mode GrayMode draws grayed.
bool GrayingDependsOn(std::int32_t grayMode, std::int32_t listMode);

// How long a user stays silent before counting as idle
// (GrayOrHilightUsersIdleTime minutes).
std::uint32_t IdleMs(const Settings& settings);

// Mode 2, about once a second: entries silent for the idle time turn gray.
// Only writing brings them back (InMessage).
void GrayIdleUsers(Client& client);

// FriendsPopup was set: users already present cause no join notifications.
void FriendsToasterChanged(Client& client);

// Appends User to the list of Mode (the user menu's add commands), redraws
// the rows the change affects and saves the settings. A full list (100
// names) stays as it is; false then.
bool AddToRelationList(Client& client, std::int32_t mode, const std::wstring& user);

// Double-click on the main user list: a dialog with the selected user, or,
// with Shift or Ctrl held, the name in front of the chat input.
void List1_DblClick(Client& client);

// Puts "Name: " in front of the chat input; the caret keeps its place in the
// text that was there.
void AttacheToName(Client& client, const std::wstring& xName);

}  // namespace vellora
