#pragma once
// What the lists dialog (Form3) shows: in edit mode the names of one relation
// list, in friends-present mode the friends who were in the chat when it was
// entered. The window layer draws it (ViewWindow::ShowListsDialog) and hands
// the buttons to view/lists_dialog.h.

#include <cstdint>
#include <string>
#include <vector>

#include "resources/string_ids.h"

namespace vellora {

// Client::ListsDialogMode: the relation list the lists dialog edits, or the
// state of collecting the friends present at chat entry.
enum ListsMode : std::int32_t {
    kFriendsList = 0,
    kIgnoredList = 1,
    kTempIgnoredList = 2,
    kCollectingFriends = 4,  // the first user list after entry is being read
    kNoFriendPresent = 5,    // that list named no friend
};

struct ListsDialogModel {
    bool ListsDialogOpen = false;    // the dialog is loaded
    bool ShowOnlineFriends = false;  // friends-present mode (else edit mode)
    std::int32_t CaptionId = kStrFriendsList;  // string id of the caption
    std::int32_t Command1CaptionId = kStrAdd;
    std::int32_t Command2CaptionId = kStrRemove;
    bool Command1Enabled = true;
    bool Command2Enabled = false;
    // The rows shown. In friends-present mode each is the name padded to 64
    // characters followed by the picture source.
    std::vector<std::wstring> Rows;
    // Friends found present at chat entry, collected before the dialog shows
    // them; kept apart from Rows so a list being edited is never mixed in.
    std::vector<std::wstring> PresentRows;
};

}  // namespace vellora
