#pragma once
// Dialog routing: a private line is an ordinary chat line addressed to
// somebody. DialogMessage takes such a line, a system line about a user, or
// the user interface's request to open a conversation, finds or creates the
// dialog, feeds it the line and draws the user's attention to it.

#include <cstdint>
#include <string>

#include "core/client.h"

namespace vellora {

// Delivers xMsg (rich text) to the dialog with DlgUser. MsgFromSelf: the own
// user wrote it (it shows the own name). PicStr: the user's picture source,
// empty to take it from the roster. True when a dialog received the line.
bool DialogMessage(Client& client, std::int32_t xType, const std::wstring& DlgUser, bool MsgFromSelf,
                   const std::wstring& xMsg, const std::wstring& PicStr, std::int32_t xMsgTime);

// The caption of a dialog: the user, and the age text once it is known.
std::wstring DialogCaption(const std::wstring& user, const std::wstring* ageText);

}  // namespace vellora
