#pragma once
// Poll answers are read when they arrive: the socket layer posts the main
// window a message when the outstanding getdata answer has data or its
// connection closed, and the answer is handled then instead of at the next
// tick (the chat server answers within milliseconds, a tick comes every
// 500 ms).

#include <windows.h>

namespace vellora {

class FrmMain;

// Posted to the main window by the socket layer; wParam is the socket.
inline constexpr UINT kChatAnswerMessage = WM_APP + 1;

// Has the socket layer tell the main window about every getdata answer.
void WatchChatAnswers(FrmMain& main);

}  // namespace vellora
