#include "support/chat_requests.h"

#include "chat/login.h"
#include "net/http_client.h"

namespace vellora::test {

std::string PercentEncodeAll(const std::string& bytes) {
    static const char kHex[] = "0123456789ABCDEF";
    std::string out;
    for (unsigned char c : bytes) {
        out += '%';
        out += kHex[c >> 4];
        out += kHex[c & 15];
    }
    return out;
}

std::string SetCookieValue(const std::string& answer, const std::string& name) {
    std::string value;
    return FindCookie(answer, "Set-Cookie: " + name + "=", value) == CookieSearch::Found ? value : std::string();
}

std::string ClubcardUserId(const std::string& page) {
    std::string id;
    return ReadUserId(page, id) ? id : std::string();
}

bool Fetch(std::uint16_t port, const std::string& request, std::string& answer, bool keepHeaders,
           std::uint32_t timeoutMs) {
    SocketHandle socket = HttpSend(kLoopback, port, request, true);
    RecvState state;
    bool complete = false;
    while (socket != 0) {
        SystemSleep(1);
        complete = HttpReceive(socket, answer, state, keepHeaders, timeoutMs);
    }
    return complete;
}

ChatLogin LoginToChat(std::uint16_t port, const std::string& name, const std::string& password,
                      std::uint32_t timeoutMs) {
    ChatLogin login;
    std::string answer;
    if (!Fetch(port, LoginFormRequest(kSimEndpoints, name, password), answer, true, timeoutMs)) {
        login.failure = "form login failed";
        return login;
    }
    login.phpSessionId = SetCookieValue(answer, "PHPSESSID");
    if (login.phpSessionId.empty()) {
        login.failure = "no PHPSESSID";
        return login;
    }
    if (!Fetch(port, UserIdPageRequest(kSimEndpoints, login.phpSessionId), answer, false, timeoutMs) ||
        (login.userId = ClubcardUserId(answer)).empty()) {
        login.failure = "no user id";
        return login;
    }
    if (!Fetch(port, ChatEnterRequest(kSimEndpoints, login.userId, login.phpSessionId), answer, true, timeoutMs)) {
        login.failure = "chat entry failed";
        return login;
    }
    if (answer.find("Ein Login in den Chat ist nicht m&ouml;glich.") != std::string::npos) {
        login.failure = "chat entry refused";
        return login;
    }
    login.jSessionId = SetCookieValue(answer, "JSESSIONID");
    if (login.jSessionId.empty()) {
        login.failure = "no JSESSIONID";
        return login;
    }
    if (Fetch(port, ParticipateRequest(kSimEndpoints, login.jSessionId), answer, false, timeoutMs) &&
        answer.find("Denied, please login.") != std::string::npos) {
        login.failure = "participation denied";
    }
    return login;
}

}  // namespace vellora::test
