#pragma once
// The client's own request texts for the default endpoints, in the short
// form the simulator's tests use, and a quick way to send them through the
// client's own HTTP code.

#include <cstdint>
#include <string>

namespace vellora::test {

inline const std::string kLoopback = "127.0.0.1";

std::string LoginRequest(const std::string& name, const std::string& password);
std::string HomeRequest(const std::string& phpSessionId);
std::string EnterRequest(const std::string& userId, const std::string& phpSessionId);
std::string ParticipateRequest(const std::string& jSessionId);
std::string GetDataRequest(const std::string& jSessionId);
std::string SendMessageRequest(const std::string& jSessionId, const std::string& encodedText);
std::string LogoutRequest(const std::string& jSessionId);
std::string ProfileRequest(long long uid);
std::string AvatarRequest(const std::string& pictureUrl);

// Every byte as "%" and two upper-case hexadecimal digits.
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
