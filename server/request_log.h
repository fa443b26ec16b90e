#pragma once
// The last requests that reached the chat service, byte for byte as they
// arrived, so tests can hold the client's request texts against what it
// should send.

#include <cstddef>
#include <cstdint>
#include <deque>
#include <string>
#include <string_view>
#include <vector>

namespace vellora::sim {

inline constexpr std::size_t kLoggedRequests = 256;

struct LoggedRequest {
    std::uint64_t seq = 0;
    std::string endpoint;  // "getdata", ...; "bad" for a refused request, "partial" for one never finished
    std::string bytes;
};

class RequestLog {
public:
    void Add(std::string_view endpoint, std::string bytes);
    // The last N (of one endpoint, unless Endpoint is empty), oldest first.
    std::vector<const LoggedRequest*> Last(std::size_t n, std::string_view endpoint) const;
    void Clear() { entries_.clear(); }

private:
    std::deque<LoggedRequest> entries_;
    std::uint64_t nextSeq_ = 1;
};

}  // namespace vellora::sim
