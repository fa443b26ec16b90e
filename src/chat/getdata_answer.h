#pragma once
// Handling a complete getdata answer: the incomplete-package notice, the
// denial, the user list merged into the roster, the chat lines for the chat
// pane, the check that the own user is still listed, and the counts for the
// status bar.

#include <string>
#include <string_view>

#include "core/client.h"

namespace vellora {

// The literal notice when the own user has vanished from the user list; the
// same in both languages.
inline constexpr const wchar_t* kInvisibilityNotice = L"Invisibility occured, reconnecting...";

// FromCurrentLogin is false for the answer to a request sent with a chat
// session that a login has replaced since: a denial in it speaks of that old
// session, not of the current login.
void HandleGetdataAnswer(Client& client, std::string_view body, bool fromCurrentLogin = true);

// The status bar text for Active chatters and Passive listeners.
std::wstring CountsText(const std::wstring& active, const std::wstring& passive);

}  // namespace vellora
