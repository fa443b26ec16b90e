#pragma once
// The chat service simulator (the native vellora-server program) as a test
// peer: started as a child process on free ports, driven through its control
// interface, shut down when the object goes away. Works natively and from
// the Windows test build under Wine, which can start the native program by
// its Unix path (but cannot wait for it or end it: there the shutdown
// command and the server's --idle-exit do that).
//
// The program is found through the environment variable VELLORA_SERVER, else
// at the path the build compiled in.

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace vellora::test {

struct SimulatorConfig {
    bool quiet = true;          // no members and no activity unless told
    int members = 0;            // simulated members when not quiet
    std::uint32_t seed = 1;
    int idleExitS = 120;        // the server ends itself after this long without requests
    std::vector<std::string> extraArgs = {};
};

struct SimMember {
    std::string name = {};
    std::string age = {};
    std::string place = {};
    char gender = 'f';
    std::string picture = {};
};

struct RawRequest {
    std::uint64_t seq = 0;
    std::string endpoint;
    std::string bytes;
};

struct ControlAnswer {
    int status = 0;  // 0: no answer at all
    std::string body;
    bool Ok() const { return status == 200; }
};

using ControlParams = std::vector<std::pair<std::string, std::string>>;

class Simulator {
public:
    explicit Simulator(SimulatorConfig config = {});
    ~Simulator();
    Simulator(const Simulator&) = delete;
    Simulator& operator=(const Simulator&) = delete;

    // False when the server could not be started; Error() says why.
    bool Running() const { return running_; }
    const std::string& Error() const { return error_; }
    std::uint16_t Port() const { return port_; }
    static std::string Address() { return "127.0.0.1"; }
    // Where the program is looked for.
    static std::string ServerPath();

    // Any control command, parameters sent as a form body.
    ControlAnswer Control(const std::string& command, const ControlParams& params = {});

    // Chat lines: Text is UTF-8 unless Bytes says it is the chat's own bytes.
    bool Say(const std::string& user, const std::string& text, bool bytes = false);
    bool AddMember(const SimMember& member);
    bool RemoveMember(const std::string& name);
    // Chatters -1: the number of users present.
    bool SetCounts(long long chatters, long long listeners);
    bool SetFraming(const std::string& endpoint, const std::string& mode);
    // Kind none switches the fault off; further parameters: ms, bytes, delta, count.
    bool SetFault(const std::string& endpoint, const std::string& kind, const ControlParams& more = {});
    std::vector<RawRequest> Requests(int n, const std::string& endpoint = {});
    bool ClearRequests();
    // Asks the server to end; true when it answered.
    bool Shutdown();

private:
    bool Start(const SimulatorConfig& config);
    bool WaitReady();
    void Stop();

    bool running_ = false;
    std::string error_;
    std::uint16_t port_ = 0;
    std::uint16_t controlPort_ = 0;
    std::string readyPath_;  // as this process reads it
    std::string tempDir_;
    long long pid_ = 0;      // native child process
};

}  // namespace vellora::test
