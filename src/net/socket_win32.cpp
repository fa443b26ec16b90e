#include <winsock2.h>

#include "net/socket.h"

namespace vellora {

bool SocketStartup() {
    WSADATA data{};
    return WSAStartup(0x0101, &data) == 0;
}

void SocketCleanup() { WSACleanup(); }

SocketHandle SockCreateTcp() {
    SOCKET s = ::socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    if (s == INVALID_SOCKET || s == 0) return 0;
    return static_cast<SocketHandle>(s);
}

std::uint32_t SockInetAddr(const char* dotted) { return ::inet_addr(dotted); }

ConnectState SockConnectStart(SocketHandle s, std::uint32_t address, std::uint16_t port) {
    sockaddr_in to{};
    to.sin_family = AF_INET;
    to.sin_port = htons(port);
    to.sin_addr.s_addr = address;
    if (::connect(static_cast<SOCKET>(s), reinterpret_cast<sockaddr*>(&to), sizeof to) == 0) {
        return ConnectState::Connected;
    }
    return WSAGetLastError() == WSAEWOULDBLOCK ? ConnectState::Pending : ConnectState::Failed;
}

ConnectState SockConnectPoll(SocketHandle s, std::uint32_t waitMs) {
    // A finished connect makes the socket writable; a failed one shows in
    // the exception set.
    fd_set writable;
    fd_set failed;
    FD_ZERO(&writable);
    FD_ZERO(&failed);
    FD_SET(static_cast<SOCKET>(s), &writable);
    FD_SET(static_cast<SOCKET>(s), &failed);
    timeval wait{static_cast<long>(waitMs / 1000), static_cast<long>(waitMs % 1000) * 1000};
    int n = ::select(0, nullptr, &writable, &failed, &wait);
    if (n == 0) return ConnectState::Pending;
    if (n < 0 || FD_ISSET(static_cast<SOCKET>(s), &failed)) return ConnectState::Failed;
    return ConnectState::Connected;
}

bool SockSetNonBlocking(SocketHandle s, bool nonBlocking) {
    u_long mode = nonBlocking ? 1 : 0;
    return ::ioctlsocket(static_cast<SOCKET>(s), FIONBIO, &mode) == 0;
}

long SockSend(SocketHandle s, const char* data, std::size_t length) {
    return ::send(static_cast<SOCKET>(s), data, static_cast<int>(length), 0);
}

long SockRecv(SocketHandle s, char* buffer, std::size_t length) {
    return ::recv(static_cast<SOCKET>(s), buffer, static_cast<int>(length), 0);
}

int SockLastError() { return WSAGetLastError(); }

void SockClose(SocketHandle s) { ::closesocket(static_cast<SOCKET>(s)); }

bool SockNotifyWindow(SocketHandle s, std::uintptr_t window, unsigned message) {
    return ::WSAAsyncSelect(static_cast<SOCKET>(s), reinterpret_cast<HWND>(window), message, FD_READ | FD_CLOSE) == 0;
}

}  // namespace vellora
