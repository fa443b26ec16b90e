#pragma once
// The simulator's network side: one thread, one epoll set, two listening
// sockets (the chat service and the control interface) and every
// connection's state machine: read one request, play its send plan (with
// the pauses that delays and dripping ask for), then close gently, reset,
// or hold the connection open without answering.

#include <cstdint>
#include <string>
#include <unordered_map>

#include "http_message.h"
#include "simulator.h"
#include "wire_plan.h"

namespace vellora::sim {

// Milliseconds on the monotonic clock.
Ms NowMs();

class EventLoop {
public:
    explicit EventLoop(Simulator& sim) : sim_(sim) {}
    ~EventLoop();
    EventLoop(const EventLoop&) = delete;
    EventLoop& operator=(const EventLoop&) = delete;

    // Binds the chat service to Bind:Port and the control interface to
    // 127.0.0.1:ControlPort (0: any free port).
    bool Listen(const std::string& bind, std::uint16_t port, std::uint16_t controlPort, std::string& error);
    std::uint16_t Port() const { return port_; }
    std::uint16_t ControlPort() const { return controlPort_; }

    // Runs until SIGINT or SIGTERM, the shutdown command, or IdleExitMs
    // without any request (0: never). Returns the exit status.
    int Run(Ms idleExitMs);

private:
    struct Conn {
        enum class Phase { Reading, Sending, Stalling, Draining };
        int fd = -1;
        bool control = false;
        Phase phase = Phase::Reading;
        RequestReader reader;
        SendPlan plan;
        std::size_t piece = 0;
        std::size_t offset = 0;
        Ms sendAt = 0;  // when the current piece may go
        Ms since = 0;   // when the current phase began
        bool peerClosed = false;
        bool writeWanted = false;
        bool registered = false;
        std::uint32_t events = 0;  // what epoll watches now
    };

    void Accept(int listener, bool control, Ms now);
    void OnReadable(Conn& c, Ms now);
    void OnRequestDone(Conn& c, Ms now);
    void StartPlan(Conn& c, SendPlan plan, Ms now);
    void Pump(Conn& c, Ms now);
    void FinishPlan(Conn& c, Ms now);
    void Watch(Conn& c);
    void Close(int fd, bool reset = false);
    void CheckDeadlines(Ms now);
    Ms NextDeadline(Ms now) const;
    void SetUnreachable(bool on);

    Simulator& sim_;
    int epoll_ = -1;
    int signals_ = -1;
    int listener_ = -1;
    int controlListener_ = -1;
    std::uint16_t port_ = 0;
    std::uint16_t controlPort_ = 0;
    std::string bind_;
    // While the service is unreachable: our own connection that keeps the
    // listener's queue full.
    int filler_ = -1;
    bool unreachable_ = false;
    std::unordered_map<int, Conn> conns_;
    Ms lastRequest_ = 0;
};

}  // namespace vellora::sim
