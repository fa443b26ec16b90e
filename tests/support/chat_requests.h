#pragma once
// Exchanges with the chat service simulator through the client's own request
// texts (for the default endpoints), HTTP code and answer readers.

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

// The value of "Set-Cookie: NAME=" up to the next ";", or empty.
std::string SetCookieValue(const std::string& answer, const std::string& name);
// The user id after the logout block marker and "/club/clubcard/", cut as
// the client cuts it; empty when either is missing.
std::string ClubcardUserId(const std::string& page);

// HttpSend, then HttpReceive every millisecond until the answer is complete
// or has failed: the client's code without the 250 ms pauses of HttpRequest.
bool Fetch(std::uint16_t port, const std::string& request, std::string& answer, bool keepHeaders,
           std::uint32_t timeoutMs = 4000);

// The whole entry as the client runs it: form login, user-id page, chat
// entry, participation. Failure names the step that failed.
struct ChatLogin {
    std::string phpSessionId;
    std::string userId;
    std::string jSessionId;
    std::string failure;
    bool Ok() const { return failure.empty(); }
};
ChatLogin LoginToChat(std::uint16_t port, const std::string& name, const std::string& password,
                      std::uint32_t timeoutMs = 4000);

}  // namespace vellora::test
