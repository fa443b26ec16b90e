#include "chat/requests.h"

namespace vellora {
namespace {

constexpr std::string_view kCrLf = "\r\n";
constexpr std::string_view kIfModifiedEntry = "If-Modified-Since: Sat, 20 Oct 2008 02:01:14 GMT\r\n";
constexpr std::string_view kIfModifiedParticipate = "If-Modified-Since: Sat, 20 Oct 2008 02:15:50 GMT\r\n";
constexpr std::string_view kNoCache = "Cache-Control: no-cache\r\n";
constexpr std::string_view kFormType = "Content-Type: application/x-www-form-urlencoded\r\n";

// The lines every request carries right after its request line.
void AppendBrowserBlock(std::string& r, std::string_view host) {
    r += "User-Agent: Opera/9.52 (Windows 98; U; en)\r\n";
    r += "Host: ";
    r += host;
    r += kCrLf;
    r += "Accept: text/html, application/xml;q=0.9, application/xhtml+xml, image/png, image/jpeg, image/gif, "
         "image/x-xbitmap, */*;q=0.1\r\n";
    r += "Accept-Language: en-US,en;q=0.9\r\n";
    r += "Accept-Charset: iso-8859-1, utf-8, utf-16, *;q=0.1\r\n";
    r += "Accept-Encoding: deflate, gzip, x-gzip, identity, *;q=0\r\n";
}

void AppendTransportTail(std::string& r) {
    r += "Connection: Keep-Alive, TE\r\n";
    r += "TE: deflate, gzip, chunked, identity, trailers\r\n";
}

void AppendReferer(std::string& r, std::string_view host, std::string_view path) {
    r += "Referer: http://";
    r += host;
    r += path;
    r += kCrLf;
}

void AppendCookie(std::string& r, std::string_view name, std::string_view value) {
    r += "Cookie: ";
    r += name;
    r += '=';
    r += value;
    r += kCrLf;
    r += "Cookie2: $Version=1\r\n";
}

void AppendRequestLine(std::string& r, std::string_view method, std::string_view target) {
    r += method;
    r += ' ';
    r += target;
    r += " HTTP/1.1\r\n";
}

// The poll and the logout: the chat page as the poll frame asks for it.
std::string ChatPageRequest(const Endpoints& e, std::string_view path, std::string_view jSessionId) {
    std::string r;
    AppendRequestLine(r, "GET", path);
    AppendBrowserBlock(r, e.ChatHost);
    AppendReferer(r, e.ChatHost, "/ac/chat/getdata");
    AppendCookie(r, "JSESSIONID", jSessionId);
    r += kNoCache;
    AppendTransportTail(r);
    r += kCrLf;
    return r;
}

// Avatars and profile pages: no referer, no cookie, under the media host.
std::string MediaRequest(const Endpoints& e, std::string_view target) {
    std::string r;
    AppendRequestLine(r, "GET", target);
    AppendBrowserBlock(r, e.MediaHost);
    r += kNoCache;
    AppendTransportTail(r);
    r += kCrLf;
    return r;
}

}  // namespace

std::string LoginFormRequest(const Endpoints& e, std::string_view loginName, std::string_view password) {
    std::string body = "login_username=";
    body += loginName;
    body += "&login_password=";
    body += password;
    body += "&login=login";

    std::string r;
    AppendRequestLine(r, "POST", "/sendrix/club/login.php");
    AppendBrowserBlock(r, e.ClubHost);
    AppendReferer(r, e.ClubHost, "/sendrix/club/home/index.php");
    AppendTransportTail(r);
    // The login form's length is written with a leading space of its own.
    r += "Content-Length:  " + std::to_string(body.size()) + "\r\n";
    r += kFormType;
    r += kCrLf;
    r += body;
    return r;
}

std::string UserIdPageRequest(const Endpoints& e, std::string_view phpSessionId) {
    std::string r;
    AppendRequestLine(r, "GET", "/sendrix/club/home/index.php");
    AppendBrowserBlock(r, e.ClubHost);
    AppendReferer(r, e.ClubHost, "/sendrix/club/home/index.php");
    AppendCookie(r, "PHPSESSID", phpSessionId);
    r += kIfModifiedEntry;
    AppendTransportTail(r);
    r += kCrLf;
    return r;
}

std::string ChatEnterRequest(const Endpoints& e, std::string_view ownUserId, std::string_view phpSessionId) {
    std::string target = "/ac/chat/enter?pUserId=";
    target += ownUserId;
    target += "&pSessionId=";
    target += phpSessionId;

    std::string r;
    AppendRequestLine(r, "GET", target);
    AppendBrowserBlock(r, e.ChatHost);
    // The chat page of the club site is reached by the club server's address.
    AppendReferer(r, e.ClubAddress, "/sendrix/club/chat/index.php");
    r += kIfModifiedEntry;
    AppendTransportTail(r);
    r += kCrLf;
    return r;
}

std::string ParticipateRequest(const Endpoints& e, std::string_view jSessionId) {
    std::string r;
    AppendRequestLine(r, "GET", "/ac/chat/participate");
    AppendBrowserBlock(r, e.ChatHost);
    AppendReferer(r, e.ChatHost, "/ac/chat/main");
    r += kIfModifiedParticipate;
    AppendCookie(r, "JSESSIONID", jSessionId);
    AppendTransportTail(r);
    r += kCrLf;
    return r;
}

std::string GetdataRequest(const Endpoints& e, std::string_view jSessionId) {
    return ChatPageRequest(e, "/ac/chat/getdata", jSessionId);
}

std::string SendMessageRequest(const Endpoints& e, std::string_view jSessionId, std::string_view messageBytes) {
    std::string body = "message=";
    body += messageBytes;

    std::string r;
    AppendRequestLine(r, "POST", "/ac/chat/sendmessage");
    AppendBrowserBlock(r, e.ChatHost);
    AppendReferer(r, e.ChatHost, "/ac/chat/sendmessage");
    AppendCookie(r, "JSESSIONID", jSessionId);
    AppendTransportTail(r);
    r += "Content-Length: " + std::to_string(body.size()) + "\r\n";
    r += kFormType;
    r += kCrLf;
    r += body;
    return r;
}

std::string LogoutRequest(const Endpoints& e, std::string_view jSessionId) {
    return ChatPageRequest(e, "/ac/chat/logout", jSessionId);
}

std::string AvatarRequest(const Endpoints& e, std::string_view picUrl) {
    std::string target;
    std::size_t start = 0;
    for (;;) {
        std::size_t small = picUrl.find("/s/", start);
        if (small == std::string_view::npos) break;
        target += picUrl.substr(start, small - start);
        target += "/l/";
        start = small + 3;
    }
    target += picUrl.substr(start);
    return MediaRequest(e, target);
}

std::string ProfileRequest(const Endpoints& e, std::int32_t uid) {
    return MediaRequest(e, "http://" + e.ClubHost + "/sendrix/club/clubcard/index.php?uid=" + std::to_string(uid));
}

}  // namespace vellora
