#pragma once
// The thin socket seam under the HTTP client: Winsock on Windows, POSIX
// sockets elsewhere. Error codes are always reported in Winsock's numbering,
// so the HTTP client has one set of rules for both.

#include <cstddef>
#include <cstdint>

namespace vellora {

// 0 means "no socket".
using SocketHandle = std::uintptr_t;

inline constexpr int kSockWouldBlock = 10035;   // WSAEWOULDBLOCK
inline constexpr int kSockInProgress = 10036;   // WSAEINPROGRESS
inline constexpr int kSockOtherError = 10053;   // anything else that ends a connection

// Starts the socket library (Winsock version 1.1); true when it accepted.
bool SocketStartup();
void SocketCleanup();

// A TCP stream socket, or 0.
SocketHandle SockCreateTcp();
// The dotted IPv4 address in network order, or 0xFFFFFFFF when it is not one
// (inet_addr's rules).
std::uint32_t SockInetAddr(const char* dotted);
// How far a connect has come.
enum class ConnectState { Connected, Pending, Failed };
// Starts connecting a non-blocking socket; Pending while the peer has not
// answered yet.
ConnectState SockConnectStart(SocketHandle s, std::uint32_t addressNetworkOrder, std::uint16_t port);
// Whether a pending connect has finished, waiting at most WaitMs for it.
ConnectState SockConnectPoll(SocketHandle s, std::uint32_t waitMs);
bool SockSetNonBlocking(SocketHandle s, bool nonBlocking);
// Bytes sent, or -1.
long SockSend(SocketHandle s, const char* data, std::size_t length);
// Bytes received (0: the peer closed), or -1 with SockLastError() set.
long SockRecv(SocketHandle s, char* buffer, std::size_t length);
int SockLastError();
void SockClose(SocketHandle s);

// Asks the socket layer to post Message to Window (a window handle) when data
// arrives on S or its connection closes; the message carries S. False where
// there are no windows to tell (natively) or the layer refused.
bool SockNotifyWindow(SocketHandle s, std::uintptr_t window, unsigned message);

}  // namespace vellora
