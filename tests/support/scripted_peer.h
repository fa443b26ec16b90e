#pragma once
// A TCP peer on 127.0.0.1 for the network tests: it accepts one connection,
// reads the request (headers and a Content-Length body, if any), then plays
// a script of sends, real-time pauses and a close, and finally notes whether
// the client closed its side.

#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace vellora::test {

class Script {
public:
    Script& Send(std::string bytes);
    Script& Pause(int ms);
    // Close at once after the request, or after the preceding steps.
    Script& Close();
    // Abort the connection (the client sees a reset).
    Script& Reset();

    struct Step {
        enum Kind { kSend, kPause, kClose, kReset } kind;
        std::string bytes;
        int ms = 0;
    };
    std::vector<Step> steps;
};

class ScriptedPeer {
public:
    explicit ScriptedPeer(Script script);
    ~ScriptedPeer();
    ScriptedPeer(const ScriptedPeer&) = delete;
    ScriptedPeer& operator=(const ScriptedPeer&) = delete;

    std::uint16_t Port() const { return port_; }
    // The request as received; waits (up to 10 s) until it is complete.
    std::string Request();
    // Waits (up to 10 s) until the script has run; true when it did.
    bool WaitScriptDone();
    // After the script: waits (up to 10 s) for the client to close its end.
    bool ClientClosed();

    // A port on 127.0.0.1 where nothing listens.
    static std::uint16_t UnusedPort();

private:
    void Run();

    Script script_;
    std::uintptr_t listener_ = 0;
    std::uint16_t port_ = 0;
    std::thread thread_;
    std::mutex mutex_;
    std::condition_variable changed_;
    std::string request_;
    bool requestDone_ = false;
    bool scriptDone_ = false;
    bool clientClosed_ = false;
    bool clientCloseKnown_ = false;
};

// A peer for a sequence of exchanges on one port, as a login makes them: it
// accepts one connection per answer, in order, reads the whole request,
// sends the answer and closes.
class SequencePeer {
public:
    explicit SequencePeer(std::vector<std::string> answers);
    ~SequencePeer();
    SequencePeer(const SequencePeer&) = delete;
    SequencePeer& operator=(const SequencePeer&) = delete;

    std::uint16_t Port() const { return port_; }
    // The requests answered so far.
    std::vector<std::string> Requests();

private:
    void Run();

    std::vector<std::string> answers_;
    std::uintptr_t listener_ = 0;
    std::uint16_t port_ = 0;
    std::thread thread_;
    std::mutex mutex_;
    std::vector<std::string> requests_;
};

}  // namespace vellora::test
