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

bool SockConnect(SocketHandle s, std::uint32_t address, std::uint16_t port) {
    sockaddr_in to{};
    to.sin_family = AF_INET;
    to.sin_port = htons(port);
    to.sin_addr.s_addr = address;
    return ::connect(static_cast<SOCKET>(s), reinterpret_cast<sockaddr*>(&to), sizeof to) == 0;
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
