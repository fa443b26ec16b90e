#pragma once
// Sending a line to the chat: one blocking post per line. The line is not
// echoed; it comes back with a later poll answer.

#include <string>

#include "core/client.h"

namespace vellora {

// Posts RealMsg (already encoded for sending) to the chat server. True when
// the server took it. On failure the error is shown in the dialog of
// FromDialog when one is open, else as a status line; afterwards the client
// is disconnected when it was not in the chat or is banned, and stays
// connected when the post itself failed (the poll loop will tell).
bool SendMsg(Client& client, const std::wstring& realMsg, const std::wstring& fromDialog);

// Enter in the main input line: encodes and sends Input. True when the input
// line is to be emptied; on failure the text stays for another try.
bool MainEnter(Client& client, const std::wstring& input);

}  // namespace vellora
