#include "support/scripted_peer.h"

#include "support/platform.h"

#include <chrono>

#ifdef _WIN32
#include <winsock2.h>
#include <ws2tcpip.h>
using PeerSocket = SOCKET;
static void CloseSocket(PeerSocket s) { closesocket(s); }
static constexpr int kSendFlags = 0;
#else
#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>
using PeerSocket = int;
static void CloseSocket(PeerSocket s) { close(s); }
// A client that hangs up mid-answer must not kill the test with SIGPIPE.
static constexpr int kSendFlags = MSG_NOSIGNAL;
#endif

namespace vellora::test {
namespace {

using namespace std::chrono_literals;

PeerSocket Listen(std::uint16_t& port) {
    EnsureSocketsStarted();
    PeerSocket s = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    sockaddr_in at{};
    at.sin_family = AF_INET;
    at.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    at.sin_port = 0;
    bind(s, reinterpret_cast<sockaddr*>(&at), sizeof at);
    listen(s, 4);
    socklen_t len = sizeof at;
    getsockname(s, reinterpret_cast<sockaddr*>(&at), &len);
    port = ntohs(at.sin_port);
    return s;
}

// Content-Length of a request, read leniently (the login form writes it
// with two spaces).
std::size_t RequestBodyLength(const std::string& headers) {
    std::string lower = headers;
    for (char& c : lower) c = static_cast<char>(tolower(static_cast<unsigned char>(c)));
    std::size_t at = lower.find("\r\ncontent-length:");
    if (at == std::string::npos) return 0;
    std::size_t i = at + 17;
    while (i < lower.size() && lower[i] == ' ') ++i;
    std::size_t value = 0;
    while (i < lower.size() && isdigit(static_cast<unsigned char>(lower[i]))) value = value * 10 + (lower[i++] - '0');
    return value;
}

// Reads one request: headers and a Content-Length body, if any.
std::string ReadRequest(PeerSocket conn) {
    std::string got;
    char buf[65536];
    for (;;) {
        std::size_t end = got.find("\r\n\r\n");
        if (end != std::string::npos && got.size() >= end + 4 + RequestBodyLength(got.substr(0, end + 2))) break;
        int n = static_cast<int>(recv(conn, buf, sizeof buf, 0));
        if (n <= 0) break;
        got.append(buf, static_cast<std::size_t>(n));
    }
    return got;
}

}  // namespace

ScriptedPeer::ScriptedPeer(std::vector<Script> scripts) : scripts_(std::move(scripts)) {
    listener_ = static_cast<std::uintptr_t>(Listen(port_));
    thread_ = std::thread([this] { Run(); });
}

ScriptedPeer::~ScriptedPeer() {
    // Closing the listener also ends an accept() still waiting for a client
    // that never came.
#ifndef _WIN32
    shutdown(static_cast<PeerSocket>(listener_), SHUT_RDWR);
#endif
    CloseSocket(static_cast<PeerSocket>(listener_));
    if (thread_.joinable()) thread_.join();
}

void ScriptedPeer::Run() {
    bool closed = false;
    PeerSocket conn{};
    for (const Script& script : scripts_) {
        conn = accept(static_cast<PeerSocket>(listener_), nullptr, nullptr);
#ifdef _WIN32
        bool ok = conn != INVALID_SOCKET;
#else
        bool ok = conn >= 0;
#endif
        if (!ok) {
            std::lock_guard lock(mutex_);
            scriptDone_ = clientCloseKnown_ = true;
            changed_.notify_all();
            return;
        }
        {
            std::string request = ReadRequest(conn);
            std::lock_guard lock(mutex_);
            requests_.push_back(std::move(request));
            changed_.notify_all();
        }
        closed = false;
        for (const auto& step : script.steps) {
            if (step.kind == Script::Step::kSend) {
                send(conn, step.bytes.data(), static_cast<int>(step.bytes.size()), kSendFlags);
            } else if (step.kind == Script::Step::kPause) {
                std::this_thread::sleep_for(std::chrono::milliseconds(step.ms));
            } else {
                if (step.kind == Script::Step::kReset) {
                    linger abort{1, 0};
                    setsockopt(conn, SOL_SOCKET, SO_LINGER, reinterpret_cast<const char*>(&abort), sizeof abort);
                }
                CloseSocket(conn);
                closed = true;
                break;
            }
        }
        if (!closed && &script != &scripts_.back()) {
            CloseSocket(conn);
            closed = true;
        }
    }
    {
        std::lock_guard lock(mutex_);
        scriptDone_ = true;
        changed_.notify_all();
    }
    if (!closed) {
        // Wait for the client's close (recv gives 0) or an error.
        char buf[65536];
        while (recv(conn, buf, sizeof buf, 0) > 0) {
        }
        CloseSocket(conn);
    }
    std::lock_guard lock(mutex_);
    clientClosed_ = !closed;
    clientCloseKnown_ = true;
    changed_.notify_all();
}

std::string ScriptedPeer::Request() {
    std::unique_lock lock(mutex_);
    changed_.wait_for(lock, 10s, [this] { return !requests_.empty() || clientCloseKnown_; });
    return requests_.empty() ? std::string() : requests_.front();
}

std::vector<std::string> ScriptedPeer::Requests() {
    std::lock_guard lock(mutex_);
    return requests_;
}

bool ScriptedPeer::WaitScriptDone() {
    std::unique_lock lock(mutex_);
    return changed_.wait_for(lock, 10s, [this] { return scriptDone_; });
}

bool ScriptedPeer::ClientClosed() {
    std::unique_lock lock(mutex_);
    changed_.wait_for(lock, 10s, [this] { return clientCloseKnown_; });
    return clientClosed_;
}

std::uint16_t ScriptedPeer::UnusedPort() {
    std::uint16_t port = 0;
    PeerSocket s = Listen(port);
    CloseSocket(s);
    return port;
}

}  // namespace vellora::test
