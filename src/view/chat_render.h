#pragma once
// The chat pane's one entry for lines: every chat line, status line and
// re-render request passes InMessage, which marks the line up, copies
// addressed lines to their dialogs, raises a toaster when the user is not
// looking, keeps the activity stamps, notices a kick or ban of the own user
// and stores the line in the pane's ring.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "core/client.h"

namespace vellora {

// Handles one line. xMsg is plain text; on return it holds the rich text
// stored for the line. Other types are dropped.
void InMessage(Client& client, std::int32_t xType, const std::wstring& xUserName, std::wstring& xMsg,
               std::int32_t xMsgTime);

// Routes a system line (rich text) to the dialog of the user it is about; a
// team announcement is shortened and may report a kick or ban of the own
// user. True when a dialog took the line.
bool LogToDialog(Client& client, const std::wstring& xUser, std::wstring& xMsg, std::int32_t xMsgTime);

// True when the user can already see the line (no toaster needed).
bool IsLineSeen(const Client& client, WindowId foreground, std::int32_t xType, const std::wstring& xUserName,
                const std::wstring& xMsg);

// Every dialog pane and then the chat pane draw their lines again (after the
// time display or the font changed).
void RerenderAllDialogs(Client& client);

// The copies of an own line for the users it addresses: 'bob: anna: hi' gives
// bob 'anna: hi' and anna 'bob: hi'. A name ends at a colon and holds no
// blank, except a team name 'Club-Team: Anna'.
struct AddressedCopy {
    std::wstring User;
    std::wstring Text;
};
std::vector<AddressedCopy> OwnLineCopies(std::wstring_view msg);

}  // namespace vellora
