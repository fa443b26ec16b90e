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

void HandleGetdataAnswer(Client& client, std::string_view body);

// The status bar text for Active chatters and Passive listeners.
std::wstring CountsText(const std::wstring& active, const std::wstring& passive);

}  // namespace vellora
