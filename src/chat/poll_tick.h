#pragma once
// The poll timer: every 500 ms one tick. Every second tick (every tick while
// a getdata request is on the wire) is a chat turn: log in again if needed,
// collect the getdata answer without blocking, handle it and send the next
// request, so that exactly one is outstanding. The slower media stream for
// avatars and profile pages is looked at every fifth tick.

#include "core/client.h"

namespace vellora {

inline constexpr std::uint32_t kPollIntervalMs = 500;
inline constexpr std::uint32_t kToasterLifetimeMs = 12000;
inline constexpr std::int32_t kMediaWaitTicks = 4;

// One tick of the poll timer.
void Timer1_Timer(Client& client);

// The answer to the outstanding getdata request on Socket has data, or its
// connection closed: it is read and handled now rather than at the next chat
// turn. Requests still go out only with the tick. Nothing happens during the
// login phase or a tick, nor while disconnected (the tick logs in first), nor
// for a socket that is no longer the outstanding one.
void ChatAnswerArrived(Client& client, SocketHandle socket);

}  // namespace vellora
