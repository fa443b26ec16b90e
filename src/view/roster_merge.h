#pragma once
// Merging the chat server's user list into the roster. The server's order
// wins: entries that are not where the list expects them are removed (with
// their user-list rows and pictures), missing ones are appended. While the
// friends present at chat entry are still being collected, friends among
// the entries appended at the end go to the lists dialog.

#include <string>
#include <vector>

#include "core/client.h"
#include "view/roster.h"

namespace vellora {

void MergeUserList(Client& client, const std::vector<ListedUser>& users);

// The initial drawing state of a new entry under the gray-out mode:
// ShowNormal and IsIgnored of Entry from its name and the relation lists.
void SetInitialDrawingState(RosterEntry& entry, std::int32_t grayOrHilightUsersMode, const RelationLists& lists);

}  // namespace vellora
