#pragma once
// A TCP peer on 127.0.0.1 for the network tests: for each connection it
// reads the request (headers and a Content-Length body, if any), then plays
// a script of sends, real-time pauses and a close, and notes whether the
// client closed its side.

#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace vellora::test {

class Script {
public:
    struct Step {
        enum Kind { kSend, kPause, kClose, kReset } kind;
        std::string bytes = {};
        int ms = 0;
    };
    Script& Send(std::string bytes) { return Add({Step::kSend, std::move(bytes)}); }
    Script& Pause(int ms) { return Add({Step::kPause, {}, ms}); }
    // Close at once after the request, or after the preceding steps.
    Script& Close() { return Add({Step::kClose}); }
    // Abort the connection (the client sees a reset).
    Script& Reset() { return Add({Step::kReset}); }

    std::vector<Step> steps;

private:
    Script& Add(Step step) {
        steps.push_back(std::move(step));
        return *this;
    }
};

// One connection per script, in order (a whole login takes four).
class ScriptedPeer {
public:
    explicit ScriptedPeer(Script script) : ScriptedPeer(std::vector<Script>{std::move(script)}) {}
    explicit ScriptedPeer(std::vector<Script> scripts);
    ~ScriptedPeer();
    ScriptedPeer(const ScriptedPeer&) = delete;
    ScriptedPeer& operator=(const ScriptedPeer&) = delete;

    std::uint16_t Port() const { return port_; }
    // The first request as received; waits (up to 10 s) until it is complete.
    std::string Request();
    // The requests received so far.
    std::vector<std::string> Requests();
    // Waits (up to 10 s) until every script has run; true when they did.
    bool WaitScriptDone();
    // After the scripts: waits (up to 10 s) for the client to close its end.
    bool ClientClosed();

    // A port on 127.0.0.1 where nothing listens.
    static std::uint16_t UnusedPort();

private:
    void Run();

    std::vector<Script> scripts_;
    std::uintptr_t listener_ = 0;
    std::uint16_t port_ = 0;
    std::thread thread_;
    std::mutex mutex_;
    std::condition_variable changed_;
    std::vector<std::string> requests_;
    bool scriptDone_ = false;
    bool clientClosed_ = false;
    bool clientCloseKnown_ = false;
};

}  // namespace vellora::test
