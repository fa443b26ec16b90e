#pragma once
// How an answer goes onto the wire: its framing (Content-Length, chunked, or
// none with a close after it) and the faults a test may switch on per
// endpoint (delays, stalls, dripping, truncated pages, wrong lengths,
// resets, garbage). The result is a plan the event loop plays.

#include <cstdint>
#include <map>
#include <optional>
#include <random>
#include <string>
#include <string_view>
#include <vector>

#include "http_message.h"

namespace vellora::sim {

using Ms = std::int64_t;

enum class FramingMode { Length, Chunked, Close };

enum class FaultKind {
    None, Delay, Stall, Drip, Truncate, WrongLength, Reset, Garbage, NoOwnUser,
    // What a hostile or broken server does besides: a redirect or an error
    // status instead of the answer, a reset right after a complete answer,
    // and a drip of one byte just before the client's 4 s of patience end.
    Redirect, Status, ResetAfter, Trickle
};

struct Fault {
    FaultKind kind = FaultKind::None;
    Ms ms = 0;           // Delay: wait before answering; Drip: pause between pieces
    int bytes = 0;       // Drip: piece size; Reset: bytes sent before the reset; Garbage: how many
    int delta = 10;      // WrongLength: added to the true length (may be negative)
    int count = 0;       // answers still to spoil; 0 = until switched off
    int status = 503;    // Status: the status code sent instead of the answer
};

struct WireSettings {
    FramingMode framing = FramingMode::Length;
    Fault fault;
};

struct SendPlan {
    struct Piece {
        Ms delayBefore = 0;
        std::string bytes;
    };
    enum class End { Close, Reset, Stall };
    std::vector<Piece> pieces;
    End end = End::Close;
};

// The endpoints whose answers can be framed and spoiled one by one.
inline constexpr std::string_view kEndpointNames[] = {"login",       "home",        "clubcard", "avatar",
                                                      "enter",       "participate", "getdata",  "sendmessage",
                                                      "logout",      "other"};

std::optional<FramingMode> ParseFraming(std::string_view name);
std::optional<FaultKind> ParseFaultKind(std::string_view name);
std::string_view FramingName(FramingMode mode);
std::string_view FaultName(FaultKind kind);

class WireControl {
public:
    explicit WireControl(std::uint32_t seed) : rng_(seed) {}

    bool IsEndpoint(std::string_view name) const;
    // Endpoint "all" changes every endpoint.
    bool SetFraming(std::string_view endpoint, FramingMode mode);
    bool SetFault(std::string_view endpoint, const Fault& fault);

    // The fault in force for the next answer of Endpoint, counting it as used.
    Fault TakeFault(std::string_view endpoint);
    FramingMode Framing(std::string_view endpoint) const;
    const std::map<std::string, WireSettings, std::less<>>& All() const { return settings_; }

    // The whole answer as bytes with Framing, and then the fault applied.
    SendPlan Plan(const Answer& answer, FramingMode framing, const Fault& fault);

    // What the faults Redirect and Status send instead of the answer; other
    // faults keep it.
    static Answer Replacement(const Answer& answer, const Fault& fault, const std::string& host);

private:
    std::string Head(const Answer& answer, std::string_view framingHeader);
    std::string ChunkedBody(std::string_view body);

    std::map<std::string, WireSettings, std::less<>> settings_;
    std::mt19937 rng_;
};

}  // namespace vellora::sim
