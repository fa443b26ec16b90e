#include "wire_plan.h"

#include <algorithm>

namespace vellora::sim {
namespace {

struct FaultNameEntry {
    std::string_view name;
    FaultKind kind;
};
constexpr FaultNameEntry kFaultNames[] = {
    {"none", FaultKind::None},         {"delay", FaultKind::Delay},
    {"stall", FaultKind::Stall},       {"drip", FaultKind::Drip},
    {"truncate", FaultKind::Truncate}, {"wronglength", FaultKind::WrongLength},
    {"reset", FaultKind::Reset},       {"garbage", FaultKind::Garbage},
    {"nouser", FaultKind::NoOwnUser},  {"redirect", FaultKind::Redirect},
    {"status", FaultKind::Status},     {"resetafter", FaultKind::ResetAfter},
    {"trickle", FaultKind::Trickle},
};

// Just under the 4000 ms of silence after which the client gives up.
constexpr Ms kTrickleMs = 3800;

constexpr std::string_view kPageEnd = "</html>";

}  // namespace

std::optional<FramingMode> ParseFraming(std::string_view name) {
    if (name == "length") return FramingMode::Length;
    if (name == "chunked") return FramingMode::Chunked;
    if (name == "close") return FramingMode::Close;
    return std::nullopt;
}

std::string_view FramingName(FramingMode mode) {
    switch (mode) {
    case FramingMode::Length: return "length";
    case FramingMode::Chunked: return "chunked";
    case FramingMode::Close: return "close";
    }
    return "length";
}

std::optional<FaultKind> ParseFaultKind(std::string_view name) {
    for (const auto& e : kFaultNames) {
        if (e.name == name) return e.kind;
    }
    return std::nullopt;
}

std::string_view FaultName(FaultKind kind) {
    for (const auto& e : kFaultNames) {
        if (e.kind == kind) return e.name;
    }
    return "none";
}

bool WireControl::IsEndpoint(std::string_view name) const {
    return std::find(std::begin(kEndpointNames), std::end(kEndpointNames), name) != std::end(kEndpointNames);
}

bool WireControl::SetFraming(std::string_view endpoint, FramingMode mode) {
    if (endpoint == "all") {
        for (auto name : kEndpointNames) settings_[std::string(name)].framing = mode;
        return true;
    }
    if (!IsEndpoint(endpoint)) return false;
    settings_[std::string(endpoint)].framing = mode;
    return true;
}

bool WireControl::SetFault(std::string_view endpoint, const Fault& fault) {
    if (endpoint == "all") {
        for (auto name : kEndpointNames) settings_[std::string(name)].fault = fault;
        return true;
    }
    if (!IsEndpoint(endpoint)) return false;
    settings_[std::string(endpoint)].fault = fault;
    return true;
}

Fault WireControl::TakeFault(std::string_view endpoint) {
    auto it = settings_.find(endpoint);
    if (it == settings_.end()) return {};
    Fault fault = it->second.fault;
    if (fault.kind != FaultKind::None && fault.count > 0 && --it->second.fault.count == 0) {
        it->second.fault = Fault{};
    }
    return fault;
}

FramingMode WireControl::Framing(std::string_view endpoint) const {
    auto it = settings_.find(endpoint);
    return it == settings_.end() ? FramingMode::Length : it->second.framing;
}

std::string WireControl::Head(const Answer& answer, std::string_view framingHeader) {
    std::string head = "HTTP/1.1 " + std::to_string(answer.status) + " " + std::string(StatusText(answer.status)) +
                       "\r\nServer: vellora-sim\r\nContent-Type: " + answer.contentType +
                       "\r\nCache-Control: no-cache\r\n";
    for (const auto& line : answer.headers) head += line + "\r\n";
    if (!framingHeader.empty()) head += std::string(framingHeader) + "\r\n";
    head += "Connection: close\r\n\r\n";
    return head;
}

// Random chunk sizes, hexadecimal digits in either case, now and then a
// chunk extension: everything a reader of the chunked coding must take.
std::string WireControl::ChunkedBody(std::string_view body) {
    static const char kLower[] = "0123456789abcdef";
    static const char kUpper[] = "0123456789ABCDEF";
    std::string out;
    std::size_t largest = std::max<std::size_t>(1, body.size() / 3);
    while (!body.empty()) {
        std::size_t size = std::uniform_int_distribution<std::size_t>(1, largest)(rng_);
        size = std::min(size, body.size());
        const char* digits = (rng_() & 1) ? kUpper : kLower;
        std::string hex;
        for (std::size_t v = size; v > 0; v >>= 4) hex.insert(hex.begin(), digits[v & 15]);
        out += hex;
        if (rng_() % 5 == 0) out += ";ext=1";
        out += "\r\n";
        out.append(body.substr(0, size));
        out += "\r\n";
        body.remove_prefix(size);
    }
    out += "0\r\n\r\n";
    return out;
}

Answer WireControl::Replacement(const Answer& answer, const Fault& fault, const std::string& host) {
    if (fault.kind == FaultKind::Redirect) {
        Answer moved;
        moved.status = 302;
        moved.headers.push_back("Location: http://" + host + "/sendrix/club/home/index.php");
        moved.body = "<html>\r\n<body>\r\n<p>Moved.</p>\r\n</body>\r\n</html>";
        return moved;
    }
    if (fault.kind == FaultKind::Status) {
        Answer failed;
        failed.status = fault.status;
        failed.body = "<html>\r\n<body>\r\n<h1>" + std::to_string(fault.status) + " " +
                      std::string(StatusText(fault.status)) + "</h1>\r\n</body>\r\n</html>";
        return failed;
    }
    return answer;
}

SendPlan WireControl::Plan(const Answer& original, FramingMode framing, const Fault& fault) {
    Answer answer = original;
    if (fault.kind == FaultKind::Truncate) {
        // A page cut off before its end; other answers lose their second half.
        if (answer.body.size() >= kPageEnd.size() &&
            answer.body.compare(answer.body.size() - kPageEnd.size(), kPageEnd.size(), kPageEnd) == 0) {
            answer.body.resize(answer.body.size() - kPageEnd.size());
        } else {
            answer.body.resize(answer.body.size() / 2);
        }
    }

    std::string bytes;
    if (fault.kind == FaultKind::WrongLength) {
        long long claimed = std::max<long long>(0, static_cast<long long>(answer.body.size()) + fault.delta);
        bytes = Head(answer, "Content-Length: " + std::to_string(claimed)) + answer.body;
    } else if (framing == FramingMode::Chunked) {
        bytes = Head(answer, "Transfer-Encoding: chunked") + ChunkedBody(answer.body);
    } else if (framing == FramingMode::Close) {
        bytes = Head(answer, "") + answer.body;
    } else {
        bytes = Head(answer, "Content-Length: " + std::to_string(answer.body.size())) + answer.body;
    }

    SendPlan plan;
    switch (fault.kind) {
    case FaultKind::Stall:
        plan.end = SendPlan::End::Stall;
        return plan;
    case FaultKind::Garbage: {
        std::string junk(static_cast<std::size_t>(fault.bytes > 0 ? fault.bytes : 256), '\0');
        for (char& c : junk) c = static_cast<char>(rng_() & 0xFF);
        plan.pieces.push_back({0, std::move(junk)});
        return plan;
    }
    case FaultKind::Reset:
        bytes.resize(std::min(bytes.size(), static_cast<std::size_t>(std::max(0, fault.bytes))));
        if (!bytes.empty()) plan.pieces.push_back({0, std::move(bytes)});
        plan.end = SendPlan::End::Reset;
        return plan;
    case FaultKind::ResetAfter:
        plan.pieces.push_back({0, std::move(bytes)});
        plan.end = SendPlan::End::Reset;
        return plan;
    case FaultKind::Drip:
    case FaultKind::Trickle: {
        const bool trickle = fault.kind == FaultKind::Trickle;
        std::size_t piece = static_cast<std::size_t>(fault.bytes > 0 ? fault.bytes : trickle ? 1 : 7);
        Ms pause = fault.ms > 0 ? fault.ms : trickle ? kTrickleMs : 50;
        for (std::size_t at = 0; at < bytes.size(); at += piece) {
            plan.pieces.push_back({at == 0 ? 0 : pause, bytes.substr(at, piece)});
        }
        return plan;
    }
    case FaultKind::Delay:
        plan.pieces.push_back({fault.ms, std::move(bytes)});
        return plan;
    default:
        plan.pieces.push_back({0, std::move(bytes)});
        return plan;
    }
}

}  // namespace vellora::sim
