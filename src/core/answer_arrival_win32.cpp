#include "core/answer_arrival_win32.h"

#include "chat/poll_tick.h"
#include "core/frm_main_win32.h"
#include "net/socket.h"

namespace vellora {

void WatchChatAnswers(FrmMain& main) {
    main.client.hooks.WatchChatAnswer = [&main](SocketHandle socket) {
        // Without the notice the answer is read at the next chat turn.
        SockNotifyWindow(socket, reinterpret_cast<std::uintptr_t>(main.h.MainWindow.get()), kChatAnswerMessage);
    };
}

void FrmMain::ChatAnswerArrived(SocketHandle socket) {
    // As in a tick, each pane shows its change once, after the last line.
    BeginPaneBatch();
    vellora::ChatAnswerArrived(client, socket);
    EndPaneBatch();
}

}  // namespace vellora
