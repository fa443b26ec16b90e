#pragma once
// The simulated chat service as a whole: the club web site and the chat
// server on one port, the control interface on another, the simulated
// members, and the per-endpoint framing and faults. The event loop hands it
// complete requests and plays the send plans it returns.

#include <cstdint>
#include <random>
#include <string>

#include "club.h"
#include "http_message.h"
#include "members.h"
#include "people.h"
#include "request_log.h"
#include "room.h"
#include "wire_plan.h"

namespace vellora::sim {

struct SimulatorOptions {
    int members = 12;       // simulated members; 0 with --quiet
    double rate = 6;        // their lines per minute, all together
    std::uint32_t seed = 1;
    Ms sessionTimeout = 60000;
    std::size_t history = 20;
    Ms replyDelay = 1200;
    std::string clubHost = "club.sendrix.test";
    bool hostile = false;   // posted and said lines as a careless server would keep them
};

// The fixed accounts every simulator has (the README lists them).
struct DemoAccount {
    const char* name;
    const char* password;
    long long uid;
};
inline constexpr DemoAccount kDemoAccounts[] = {
    {"demo", "demo123", 501001},
    {"tester", "tester123", 501002},
    {"teamlead", "team123", 501003},
    {"refused", "refused123", 501004},
};

class Simulator {
public:
    Simulator(const SimulatorOptions& options, Ms now);

    // A complete request on the chat service's port (logged) or the control port.
    SendPlan HandleMain(const Request& r, Ms now);
    SendPlan HandleControl(const Request& r, Ms now);
    // A request that could not be read (logged when on the chat port).
    SendPlan Refuse(const std::string& raw, int status, bool control);
    // The bytes of a request that never finished.
    void LogUnfinished(std::string raw);

    void Tick(Ms now);
    Ms NextDue() const;
    bool StopRequested() const { return stop_; }
    // The chat service's address is to answer nobody: connects hang.
    bool Unreachable() const { return unreachable_; }

private:
    Answer Dispatch(const Request& r, std::string_view endpoint, const Fault& fault, Ms now);
    Answer Enter(const Request& r, Ms now);
    Answer SendMessage(const Request& r, Ms now);
    Answer Control(const Request& r, Ms now);

    std::mt19937 rng_;
    People people_;
    Club club_;
    Room room_;
    Members members_;
    WireControl wire_;
    RequestLog log_;
    std::string clubHost_;
    Ms nextExpiry_ = 0;
    bool stop_ = false;
    bool unreachable_ = false;
};

// Which endpoint a request on the chat service's port is for.
std::string_view EndpointOf(const Request& r);

// Pages with the fixed texts the client looks for.
std::string RefusalPage();
std::string DenialPage();

}  // namespace vellora::sim
