#pragma once
// Exchanges with the chat service simulator through the client's own request
// texts (for the default endpoints), HTTP code and login.

#include <cstdint>
#include <string>

#include "chat/requests.h"

namespace vellora::test {

inline const std::string kLoopback = "127.0.0.1";
// The endpoints the simulator's tests write their requests for.
inline const Endpoints kSimEndpoints{};

// Every byte as "%" and two upper-case hexadecimal digits. Unlike the
// client's encoder it takes control characters, which tests post on purpose.
std::string PercentEncodeAll(const std::string& bytes);

// HttpSend, then HttpReceive every millisecond until the answer is complete
// or has failed: the client's code without the 250 ms pauses of HttpRequest.
bool Fetch(std::uint16_t port, const std::string& request, std::string& answer, bool keepHeaders,
           std::uint32_t timeoutMs = 4000);

// The whole entry through the client's own login, on a fake clock of its own
// (not for tests that keep one). Failure is the login form's error, if any.
struct ChatLogin {
    std::string jSessionId;
    std::wstring failure;
    bool Ok() const { return failure.empty(); }
};
ChatLogin LoginToChat(std::uint16_t port, const std::string& name, const std::string& password);

}  // namespace vellora::test
