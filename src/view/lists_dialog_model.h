#pragma once
// What the lists dialog (Form3) shows: in edit mode the names of one relation
// list, in friends-present mode the friends who were in the chat when it was
// entered. The window layer draws it (ViewWindow::ShowListsDialog) and hands
// the buttons to view/lists_dialog.h.

#include <cstdint>
#include <string>
#include <vector>

namespace vellora {

struct ListsDialogModel {
    bool ListsDialogOpen = false;    // the dialog is loaded
    bool ShowOnlineFriends = false;  // friends-present mode (else edit mode)
    std::int32_t CaptionId = 2500;   // string id of the caption
    std::int32_t Command1CaptionId = 2510;
    std::int32_t Command2CaptionId = 2511;
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
