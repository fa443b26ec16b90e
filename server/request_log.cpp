#include "request_log.h"

#include <algorithm>

namespace vellora::sim {

void RequestLog::Add(std::string_view endpoint, std::string bytes) {
    entries_.push_back({nextSeq_++, std::string(endpoint), std::move(bytes)});
    while (entries_.size() > kLoggedRequests) entries_.pop_front();
}

std::vector<const LoggedRequest*> RequestLog::Last(std::size_t n, std::string_view endpoint) const {
    std::vector<const LoggedRequest*> out;
    for (auto it = entries_.rbegin(); it != entries_.rend() && out.size() < n; ++it) {
        if (endpoint.empty() || it->endpoint == endpoint) out.push_back(&*it);
    }
    std::reverse(out.begin(), out.end());
    return out;
}

}  // namespace vellora::sim
