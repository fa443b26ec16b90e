#include "event_loop.h"

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <signal.h>
#include <sys/epoll.h>
#include <sys/signalfd.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstring>
#include <vector>

namespace vellora::sim {
namespace {

// A request must be complete within this time; a connection that is held
// open without an answer, or waits for the client's close, is dropped after
// the others.
constexpr Ms kReadLimitMs = 30000;
constexpr Ms kStallLimitMs = 300000;
constexpr Ms kDrainLimitMs = 10000;
// After the shutdown command, answers still on their way get this long.
constexpr Ms kStopGraceMs = 2000;
constexpr std::size_t kMaxConnections = 8192;

int ListenOn(const std::string& address, std::uint16_t port, std::uint16_t& chosen, std::string& error,
             int backlog = 1024) {
    sockaddr_in at{};
    at.sin_family = AF_INET;
    at.sin_port = htons(port);
    if (inet_pton(AF_INET, address.c_str(), &at.sin_addr) != 1) {
        error = "not an IPv4 address: " + address;
        return -1;
    }
    int fd = socket(AF_INET, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    if (fd < 0) {
        error = std::string("socket: ") + std::strerror(errno);
        return -1;
    }
    int one = 1;
    setsockopt(fd, SOL_SOCKET, SO_REUSEADDR, &one, sizeof one);
    if (bind(fd, reinterpret_cast<sockaddr*>(&at), sizeof at) != 0 || listen(fd, backlog) != 0) {
        error = address + ":" + std::to_string(port) + ": " + std::strerror(errno);
        close(fd);
        return -1;
    }
    socklen_t len = sizeof at;
    getsockname(fd, reinterpret_cast<sockaddr*>(&at), &len);
    chosen = ntohs(at.sin_port);
    return fd;
}

}  // namespace

Ms NowMs() {
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

EventLoop::~EventLoop() {
    std::vector<int> fds;
    for (const auto& [fd, c] : conns_) fds.push_back(fd);
    for (int fd : fds) Close(fd);
    for (int fd : {listener_, controlListener_, signals_, epoll_, filler_}) {
        if (fd >= 0) close(fd);
    }
}

bool EventLoop::Listen(const std::string& bind, std::uint16_t port, std::uint16_t controlPort, std::string& error) {
    epoll_ = epoll_create1(EPOLL_CLOEXEC);
    if (epoll_ < 0) {
        error = std::string("epoll: ") + std::strerror(errno);
        return false;
    }
    bind_ = bind;
    listener_ = ListenOn(bind, port, port_, error);
    if (listener_ < 0) return false;
    controlListener_ = ListenOn("127.0.0.1", controlPort, controlPort_, error);
    if (controlListener_ < 0) return false;

    sigset_t set;
    sigemptyset(&set);
    sigaddset(&set, SIGINT);
    sigaddset(&set, SIGTERM);
    sigprocmask(SIG_BLOCK, &set, nullptr);
    signals_ = signalfd(-1, &set, SFD_NONBLOCK | SFD_CLOEXEC);
    signal(SIGPIPE, SIG_IGN);

    for (int fd : {listener_, controlListener_, signals_}) {
        if (fd < 0) continue;
        epoll_event ev{};
        ev.events = EPOLLIN;
        ev.data.fd = fd;
        epoll_ctl(epoll_, EPOLL_CTL_ADD, fd, &ev);
    }
    return true;
}

int EventLoop::Run(Ms idleExitMs) {
    lastRequest_ = NowMs();
    Ms stopBy = 0;
    std::vector<epoll_event> events(256);
    for (;;) {
        Ms now = NowMs();
        sim_.Tick(now);
        CheckDeadlines(now);
        if (sim_.StopRequested() && stopBy == 0) {
            stopBy = now + kStopGraceMs;
            for (int* fd : {&listener_, &controlListener_}) {
                if (*fd < 0) continue;
                epoll_ctl(epoll_, EPOLL_CTL_DEL, *fd, nullptr);
                close(*fd);
                *fd = -1;
            }
        }
        if (stopBy != 0) {
            bool sending = std::any_of(conns_.begin(), conns_.end(),
                                       [](const auto& e) { return e.second.phase == Conn::Phase::Sending; });
            if (!sending || now >= stopBy) return 0;
        }
        if (idleExitMs > 0 && now - lastRequest_ >= idleExitMs) return 0;

        Ms wake = NextDeadline(now);
        if (idleExitMs > 0) wake = std::min(wake, lastRequest_ + idleExitMs);
        if (stopBy != 0) wake = std::min(wake, stopBy);
        int timeout = static_cast<int>(std::clamp<Ms>(wake - now, 0, 1000));
        int n = epoll_wait(epoll_, events.data(), static_cast<int>(events.size()), timeout);
        if (n < 0 && errno != EINTR) return 1;
        now = NowMs();
        for (int i = 0; i < n; ++i) {
            int fd = events[static_cast<std::size_t>(i)].data.fd;
            std::uint32_t what = events[static_cast<std::size_t>(i)].events;
            if (fd == signals_) return 0;
            if (fd == listener_ || fd == controlListener_) {
                Accept(fd, fd == controlListener_, now);
                continue;
            }
            auto it = conns_.find(fd);
            if (it == conns_.end()) continue;
            if (what & (EPOLLIN | EPOLLRDHUP | EPOLLHUP | EPOLLERR)) OnReadable(it->second, now);
            it = conns_.find(fd);
            if (it != conns_.end() && (what & EPOLLOUT)) Pump(it->second, now);
        }
    }
}

void EventLoop::Accept(int listener, bool control, Ms now) {
    for (;;) {
        int fd = accept4(listener, nullptr, nullptr, SOCK_NONBLOCK | SOCK_CLOEXEC);
        if (fd < 0) return;
        if (conns_.size() >= kMaxConnections) {
            close(fd);
            continue;
        }
        Conn& c = conns_[fd];
        c.fd = fd;
        c.control = control;
        c.since = now;
        Watch(c);
    }
}

void EventLoop::OnReadable(Conn& c, Ms now) {
    char buffer[16384];
    for (;;) {
        ssize_t n = recv(c.fd, buffer, sizeof buffer, 0);
        if (n > 0) {
            if (c.phase == Conn::Phase::Reading) {
                auto state = c.reader.Feed(std::string_view(buffer, static_cast<std::size_t>(n)));
                if (state != RequestReader::State::NeedMore) {
                    OnRequestDone(c, now);
                    return;
                }
            }
            // Anything after the request is read and dropped, so closing
            // later does not turn into a reset.
            continue;
        }
        if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) return;
        if (n < 0 && errno == EINTR) continue;
        // The peer closed (or failed).
        if (c.phase == Conn::Phase::Reading) {
            if (!c.control && !c.reader.Buffered().empty()) sim_.LogUnfinished(c.reader.Buffered());
            Close(c.fd);
        } else if (c.phase == Conn::Phase::Sending && n == 0) {
            // Only its sending side may be closed: go on answering.
            c.peerClosed = true;
            Watch(c);
        } else {
            Close(c.fd);
        }
        return;
    }
}

void EventLoop::OnRequestDone(Conn& c, Ms now) {
    lastRequest_ = now;
    SendPlan plan;
    if (c.reader.state() == RequestReader::State::Bad) {
        plan = sim_.Refuse(c.reader.Buffered(), c.reader.ErrorStatus(), c.control);
    } else if (c.control) {
        plan = sim_.HandleControl(c.reader.request(), now);
        // In force before the answer says so.
        if (sim_.Unreachable() != unreachable_) SetUnreachable(sim_.Unreachable());
    } else {
        plan = sim_.HandleMain(c.reader.request(), now);
    }
    StartPlan(c, std::move(plan), now);
}

void EventLoop::StartPlan(Conn& c, SendPlan plan, Ms now) {
    c.plan = std::move(plan);
    c.phase = Conn::Phase::Sending;
    c.since = now;
    c.piece = 0;
    c.offset = 0;
    c.sendAt = c.plan.pieces.empty() ? now : now + c.plan.pieces[0].delayBefore;
    Pump(c, now);
}

void EventLoop::Pump(Conn& c, Ms now) {
    if (c.phase != Conn::Phase::Sending) return;
    c.writeWanted = false;
    while (c.piece < c.plan.pieces.size()) {
        if (now < c.sendAt) break;
        const std::string& bytes = c.plan.pieces[c.piece].bytes;
        if (c.offset < bytes.size()) {
            ssize_t n = send(c.fd, bytes.data() + c.offset, bytes.size() - c.offset, MSG_NOSIGNAL);
            if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) {
                c.writeWanted = true;
                break;
            }
            if (n < 0 && errno == EINTR) continue;
            if (n < 0) {
                Close(c.fd);
                return;
            }
            c.offset += static_cast<std::size_t>(n);
            continue;
        }
        ++c.piece;
        c.offset = 0;
        if (c.piece < c.plan.pieces.size()) c.sendAt = now + c.plan.pieces[c.piece].delayBefore;
    }
    if (c.piece >= c.plan.pieces.size()) {
        FinishPlan(c, now);
        return;
    }
    Watch(c);
}

void EventLoop::FinishPlan(Conn& c, Ms now) {
    switch (c.plan.end) {
    case SendPlan::End::Reset:
        Close(c.fd, true);
        return;
    case SendPlan::End::Stall:
        c.phase = Conn::Phase::Stalling;
        break;
    case SendPlan::End::Close:
        // Close our side and wait for the client's close, so the answer is
        // not cut off by a reset for data it still sends.
        shutdown(c.fd, SHUT_WR);
        c.phase = Conn::Phase::Draining;
        break;
    }
    c.since = now;
    c.plan = {};
    if (c.peerClosed) {
        Close(c.fd);
        return;
    }
    Watch(c);
}

void EventLoop::Watch(Conn& c) {
    std::uint32_t want = (c.peerClosed ? 0u : static_cast<std::uint32_t>(EPOLLIN | EPOLLRDHUP)) |
                         (c.writeWanted ? static_cast<std::uint32_t>(EPOLLOUT) : 0u);
    if (c.registered && want == c.events) return;
    epoll_event ev{};
    ev.events = want;
    ev.data.fd = c.fd;
    epoll_ctl(epoll_, c.registered ? EPOLL_CTL_MOD : EPOLL_CTL_ADD, c.fd, &ev);
    c.registered = true;
    c.events = want;
}

void EventLoop::Close(int fd, bool reset) {
    if (reset) {
        linger abort{1, 0};
        setsockopt(fd, SOL_SOCKET, SO_LINGER, &abort, sizeof abort);
    }
    epoll_ctl(epoll_, EPOLL_CTL_DEL, fd, nullptr);
    close(fd);
    conns_.erase(fd);
}

void EventLoop::CheckDeadlines(Ms now) {
    std::vector<int> expired;
    std::vector<int> due;
    for (auto& [fd, c] : conns_) {
        switch (c.phase) {
        case Conn::Phase::Reading:
            if (now - c.since > kReadLimitMs) expired.push_back(fd);
            break;
        case Conn::Phase::Sending:
            if (!c.writeWanted && c.sendAt <= now) due.push_back(fd);
            break;
        case Conn::Phase::Stalling:
            if (now - c.since > kStallLimitMs) expired.push_back(fd);
            break;
        case Conn::Phase::Draining:
            if (now - c.since > kDrainLimitMs) expired.push_back(fd);
            break;
        }
    }
    for (int fd : due) {
        auto it = conns_.find(fd);
        if (it != conns_.end()) Pump(it->second, now);
    }
    for (int fd : expired) {
        auto it = conns_.find(fd);
        if (it == conns_.end()) continue;
        if (it->second.phase == Conn::Phase::Reading && !it->second.control && !it->second.reader.Buffered().empty()) {
            sim_.LogUnfinished(it->second.reader.Buffered());
        }
        Close(fd);
    }
}

// An address that answers nobody: the listener is replaced by one whose
// queue of waiting connections is full from the start (no backlog, and one
// connection of our own that is never accepted), so the system drops every
// further connect unanswered and the client's connect hangs. Switching back
// listens as before on the same port.
void EventLoop::SetUnreachable(bool on) {
    if (listener_ >= 0) {
        epoll_ctl(epoll_, EPOLL_CTL_DEL, listener_, nullptr);
        close(listener_);
    }
    if (filler_ >= 0) close(filler_);
    filler_ = -1;
    unreachable_ = on;
    std::string error;
    std::uint16_t chosen = 0;
    listener_ = ListenOn(bind_, port_, chosen, error, on ? 0 : 1024);
    if (listener_ < 0) return;
    if (!on) {
        epoll_event ev{};
        ev.events = EPOLLIN;
        ev.data.fd = listener_;
        epoll_ctl(epoll_, EPOLL_CTL_ADD, listener_, &ev);
        return;
    }
    sockaddr_in at{};
    at.sin_family = AF_INET;
    at.sin_port = htons(port_);
    inet_pton(AF_INET, bind_ == "0.0.0.0" ? "127.0.0.1" : bind_.c_str(), &at.sin_addr);
    filler_ = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (filler_ >= 0) connect(filler_, reinterpret_cast<sockaddr*>(&at), sizeof at);
}

Ms EventLoop::NextDeadline(Ms now) const {
    Ms next = sim_.NextDue();
    for (const auto& [fd, c] : conns_) {
        switch (c.phase) {
        case Conn::Phase::Reading: next = std::min(next, c.since + kReadLimitMs + 1); break;
        case Conn::Phase::Sending:
            if (!c.writeWanted) next = std::min(next, c.sendAt);
            break;
        case Conn::Phase::Stalling: next = std::min(next, c.since + kStallLimitMs + 1); break;
        case Conn::Phase::Draining: next = std::min(next, c.since + kDrainLimitMs + 1); break;
        }
    }
    return std::max(next, now);
}

}  // namespace vellora::sim
