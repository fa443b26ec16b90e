#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>

#include "net/socket.h"

namespace vellora {
namespace {

thread_local int lastError = 0;

int ToWinsockError(int err) {
    if (err == EAGAIN || err == EWOULDBLOCK) return kSockWouldBlock;
    if (err == EINPROGRESS || err == EALREADY) return kSockInProgress;
    return kSockOtherError;
}

}  // namespace

bool SocketStartup() { return true; }

void SocketCleanup() {}

SocketHandle SockCreateTcp() {
    int fd = ::socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    // A handle of 0 means "none" to the callers, so a socket that landed on
    // descriptor 0 counts as a failure, just as an error does.
    if (fd <= 0) {
        if (fd == 0) ::close(fd);
        return 0;
    }
    return static_cast<SocketHandle>(fd);
}

std::uint32_t SockInetAddr(const char* dotted) { return ::inet_addr(dotted); }

ConnectState SockConnectStart(SocketHandle s, std::uint32_t address, std::uint16_t port) {
    sockaddr_in to{};
    to.sin_family = AF_INET;
    to.sin_port = htons(port);
    to.sin_addr.s_addr = address;
    if (::connect(static_cast<int>(s), reinterpret_cast<sockaddr*>(&to), sizeof to) == 0) return ConnectState::Connected;
    // An interrupted connect goes on in the background, like one in progress.
    return errno == EINPROGRESS || errno == EINTR ? ConnectState::Pending : ConnectState::Failed;
}

ConnectState SockConnectPoll(SocketHandle s, std::uint32_t waitMs) {
    pollfd p{static_cast<int>(s), POLLOUT, 0};
    int n = ::poll(&p, 1, static_cast<int>(waitMs));
    if (n == 0 || (n < 0 && errno == EINTR)) return ConnectState::Pending;
    int error = 0;
    socklen_t length = sizeof error;
    if (n < 0 || ::getsockopt(static_cast<int>(s), SOL_SOCKET, SO_ERROR, &error, &length) != 0 || error != 0) {
        return ConnectState::Failed;
    }
    return ConnectState::Connected;
}

bool SockSetNonBlocking(SocketHandle s, bool nonBlocking) {
    int fd = static_cast<int>(s);
    int flags = ::fcntl(fd, F_GETFL, 0);
    if (flags < 0) return false;
    flags = nonBlocking ? (flags | O_NONBLOCK) : (flags & ~O_NONBLOCK);
    return ::fcntl(fd, F_SETFL, flags) == 0;
}

long SockSend(SocketHandle s, const char* data, std::size_t length) {
    // MSG_NOSIGNAL: a peer that went away must not kill the process.
    ssize_t n = ::send(static_cast<int>(s), data, length, MSG_NOSIGNAL);
    if (n < 0) lastError = ToWinsockError(errno);
    return static_cast<long>(n);
}

long SockRecv(SocketHandle s, char* buffer, std::size_t length) {
    ssize_t n;
    do {
        n = ::recv(static_cast<int>(s), buffer, length, 0);
    } while (n < 0 && errno == EINTR);
    if (n < 0) lastError = ToWinsockError(errno);
    return static_cast<long>(n);
}

int SockLastError() { return lastError; }

void SockClose(SocketHandle s) { ::close(static_cast<int>(s)); }

bool SockNotifyWindow(SocketHandle, std::uintptr_t, unsigned) { return false; }

}  // namespace vellora
