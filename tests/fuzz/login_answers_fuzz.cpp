// Login answers and the club page with arbitrary bytes: the cookies and the
// user id taken from them never smuggle a line into the requests built with
// them, and a user id taken is a canonical 32-bit number.
//
// Input: the answer (used as the login answer, the chat entry answer and the
// club page alike).

#include <cstdlib>
#include <string>

#include "chat/login.h"
#include "chat/requests.h"
#include "fuzz/fuzz_input.h"

namespace {

using namespace vellora;
using fuzz::Require;

std::size_t Lines(const std::string& request) {
    std::size_t n = 0;
    for (std::size_t at = request.find("\r\n"); at != std::string::npos; at = request.find("\r\n", at + 2)) ++n;
    return n;
}

bool HasControl(const std::string& text) {
    for (char c : text) {
        if (c == '\r' || c == '\n' || c == '\0') return true;
    }
    return false;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string answer(reinterpret_cast<const char*>(data), size);
    const Endpoints e;
    std::string php = "x";
    std::string java = "x";
    std::string userId = "1";
    const std::size_t pageLines = Lines(UserIdPageRequest(e, php));
    const std::size_t enterLines = Lines(ChatEnterRequest(e, userId, php));
    const std::size_t participateLines = Lines(ParticipateRequest(e, java));

    if (FindCookie(answer, "Set-Cookie: PHPSESSID=", php) == CookieSearch::Found) {
        Require(!HasControl(php) && php.find(';') == std::string::npos, "a web session cookie with a line end");
        Require(Lines(UserIdPageRequest(e, php)) == pageLines, "the web session cookie added a header line");
    }
    if (FindCookie(answer, "Set-Cookie: JSESSIONID=", java) == CookieSearch::Found) {
        Require(!HasControl(java), "a chat session cookie with a line end");
        Require(Lines(ParticipateRequest(e, java)) == participateLines, "the chat session cookie added a line");
    }
    if (ReadUserId(answer, userId)) {
        Require(IsCanonicalInt32(userId), "a user id that is no canonical number");
        Require(std::to_string(std::strtoll(userId.c_str(), nullptr, 10)) == userId, "a user id not read back");
        Require(Lines(ChatEnterRequest(e, userId, php)) == enterLines, "the user id added a header line");
    }
    return 0;
}
