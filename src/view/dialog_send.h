#pragma once
// Enter in a dialog's input line: the line goes to the chat addressed to the
// dialog's user ("bob: " + text), hidden sections coded.

#include <string>

#include "core/client.h"

namespace vellora {

// Sends Input from Dialog. True when the chat took it (the caller empties the
// input line). To a user who is not in the chat nothing is sent unless Shift
// is held (from then on the dialog sends without asking); the dialog shows
// why instead.
bool DialogSendMsg(Client& client, Form2& dialog, const std::wstring& input);

}  // namespace vellora
