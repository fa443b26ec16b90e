#include "support/chat_requests.h"

#include "net/http_client.h"

namespace vellora::test {

std::string BrowserBlock(const std::string& host) {
    return "User-Agent: Opera/9.52 (Windows 98; U; en)\r\nHost: " + host +
           "\r\nAccept: text/html, application/xml;q=0.9, application/xhtml+xml, image/png, image/jpeg, image/gif, "
           "image/x-xbitmap, */*;q=0.1\r\nAccept-Language: en-US,en;q=0.9\r\nAccept-Charset: iso-8859-1, utf-8, "
           "utf-16, *;q=0.1\r\nAccept-Encoding: deflate, gzip, x-gzip, identity, *;q=0\r\n";
}

std::string TransportTail() { return "Connection: Keep-Alive, TE\r\nTE: deflate, gzip, chunked, identity, trailers\r\n"; }

std::string CookieLines(const std::string& name, const std::string& value) {
    return "Cookie: " + name + "=" + value + "\r\nCookie2: $Version=1\r\n";
}

std::string RefererLine(const std::string& host, const std::string& path) {
    return "Referer: http://" + host + path + "\r\n";
}

std::string LoginRequest(const std::string& name, const std::string& password) {
    std::string body = "login_username=" + name + "&login_password=" + password + "&login=login";
    return "POST /sendrix/club/login.php HTTP/1.1\r\n" + BrowserBlock(kClubHost) +
           RefererLine(kClubHost, "/sendrix/club/home/index.php") + TransportTail() + "Content-Length:  " +
           std::to_string(body.size()) + "\r\nContent-Type: application/x-www-form-urlencoded\r\n\r\n" + body;
}

std::string HomeRequest(const std::string& phpSessionId) {
    return "GET /sendrix/club/home/index.php HTTP/1.1\r\n" + BrowserBlock(kClubHost) +
           RefererLine(kClubHost, "/sendrix/club/home/index.php") + CookieLines("PHPSESSID", phpSessionId) +
           "If-Modified-Since: Sat, 20 Oct 2008 02:01:14 GMT\r\n" + TransportTail() + "\r\n";
}

std::string EnterRequest(const std::string& userId, const std::string& phpSessionId) {
    return "GET /ac/chat/enter?pUserId=" + userId + "&pSessionId=" + phpSessionId + " HTTP/1.1\r\n" +
           BrowserBlock(kChatHost) + RefererLine(kLoopback, "/sendrix/club/chat/index.php") +
           "If-Modified-Since: Sat, 20 Oct 2008 02:01:14 GMT\r\n" + TransportTail() + "\r\n";
}

std::string ParticipateRequest(const std::string& jSessionId) {
    return "GET /ac/chat/participate HTTP/1.1\r\n" + BrowserBlock(kChatHost) + RefererLine(kChatHost, "/ac/chat/main") +
           "If-Modified-Since: Sat, 20 Oct 2008 02:15:50 GMT\r\n" + CookieLines("JSESSIONID", jSessionId) +
           TransportTail() + "\r\n";
}

std::string GetDataRequest(const std::string& jSessionId) {
    return "GET /ac/chat/getdata HTTP/1.1\r\n" + BrowserBlock(kChatHost) + RefererLine(kChatHost, "/ac/chat/getdata") +
           CookieLines("JSESSIONID", jSessionId) + "Cache-Control: no-cache\r\n" + TransportTail() + "\r\n";
}

std::string SendMessageRequest(const std::string& jSessionId, const std::string& encodedText) {
    std::string body = "message=" + encodedText;
    return "POST /ac/chat/sendmessage HTTP/1.1\r\n" + BrowserBlock(kChatHost) +
           RefererLine(kChatHost, "/ac/chat/sendmessage") + CookieLines("JSESSIONID", jSessionId) + TransportTail() +
           "Content-Length: " + std::to_string(body.size()) +
           "\r\nContent-Type: application/x-www-form-urlencoded\r\n\r\n" + body;
}

std::string LogoutRequest(const std::string& jSessionId) {
    return "GET /ac/chat/logout HTTP/1.1\r\n" + BrowserBlock(kChatHost) + RefererLine(kChatHost, "/ac/chat/getdata") +
           CookieLines("JSESSIONID", jSessionId) + "Cache-Control: no-cache\r\n" + TransportTail() + "\r\n";
}

std::string ProfileRequest(long long uid) {
    return "GET http://" + kClubHost + "/sendrix/club/clubcard/index.php?uid=" + std::to_string(uid) + " HTTP/1.1\r\n" +
           BrowserBlock(kMediaHost) + "Cache-Control: no-cache\r\n" + TransportTail() + "\r\n";
}

std::string AvatarRequest(const std::string& largePictureUrl) {
    return "GET " + largePictureUrl + " HTTP/1.1\r\n" + BrowserBlock(kMediaHost) + "Cache-Control: no-cache\r\n" +
           TransportTail() + "\r\n";
}

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
    std::string marker = "Set-Cookie: " + name + "=";
    std::size_t at = answer.find(marker);
    if (at == std::string::npos) return {};
    std::size_t end = answer.find(';', at);
    if (end == std::string::npos) return {};
    return answer.substr(at + marker.size(), end - at - marker.size());
}

std::string ClubcardUserId(const std::string& page) {
    std::size_t marker = page.find("<div id=\"logoutContent\">");
    if (marker == std::string::npos) marker = page.find("<div id='logoutContent'>");
    if (marker == std::string::npos) return {};
    std::size_t link = page.find("/club/clubcard/", marker);
    if (link == std::string::npos) return {};
    std::string id = page.substr(link + 15);
    for (char stop : {'\r', '\n', '"', '\''}) {
        std::size_t cut = id.find(stop);
        if (cut != std::string::npos) id.resize(cut);
    }
    return id;
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
    if (!Fetch(port, LoginRequest(name, password), answer, true, timeoutMs)) {
        login.failure = "form login failed";
        return login;
    }
    login.phpSessionId = SetCookieValue(answer, "PHPSESSID");
    if (login.phpSessionId.empty()) {
        login.failure = "no PHPSESSID";
        return login;
    }
    if (!Fetch(port, HomeRequest(login.phpSessionId), answer, false, timeoutMs) ||
        (login.userId = ClubcardUserId(answer)).empty()) {
        login.failure = "no user id";
        return login;
    }
    if (!Fetch(port, EnterRequest(login.userId, login.phpSessionId), answer, true, timeoutMs)) {
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
    if (Fetch(port, ParticipateRequest(login.jSessionId), answer, false, timeoutMs) &&
        answer.find("Denied, please login.") != std::string::npos) {
        login.failure = "participation denied";
    }
    return login;
}

}  // namespace vellora::test
