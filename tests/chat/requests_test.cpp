// The request texts, compared with what a browser of the service's time
// sent, byte for byte.

#include <gtest/gtest.h>

#include <string>

#include "chat/requests.h"

namespace vellora {
namespace {

Endpoints TestEndpoints() {
    Endpoints e;
    e.ClubAddress = "10.1.2.3";
    e.ChatAddress = "10.4.5.6";
    e.ClubHost = "club.example";
    e.MediaHost = "media.example";
    e.ChatHost = "chat.example";
    e.Port = 8080;
    return e;
}

std::string Browser(const std::string& host) {
    return "User-Agent: Opera/9.52 (Windows 98; U; en)\r\n"
           "Host: " + host + "\r\n"
           "Accept: text/html, application/xml;q=0.9, application/xhtml+xml, image/png, image/jpeg, image/gif, "
           "image/x-xbitmap, */*;q=0.1\r\n"
           "Accept-Language: en-US,en;q=0.9\r\n"
           "Accept-Charset: iso-8859-1, utf-8, utf-16, *;q=0.1\r\n"
           "Accept-Encoding: deflate, gzip, x-gzip, identity, *;q=0\r\n";
}

const std::string kTail = "Connection: Keep-Alive, TE\r\nTE: deflate, gzip, chunked, identity, trailers\r\n";

TEST(Requests, LoginFormPostsNameAndPasswordAsTypedWithTwoSpacesBeforeTheLength) {
    std::string body = "login_username=a&b=c&login_password=p=w&d&login=login";
    std::string expected = "POST /sendrix/club/login.php HTTP/1.1\r\n" + Browser("club.example") +
                           "Referer: http://club.example/sendrix/club/home/index.php\r\n" + kTail +
                           "Content-Length:  " + std::to_string(body.size()) + "\r\n" +
                           "Content-Type: application/x-www-form-urlencoded\r\n\r\n" + body;
    EXPECT_EQ(LoginFormRequest(TestEndpoints(), "a&b=c", "p=w&d"), expected);

    // The length counts bytes.
    std::string request = LoginFormRequest(TestEndpoints(), "J\xF6rg", "\xE4\xF6\xFC");
    EXPECT_NE(request.find("Content-Length:  50\r\n"), std::string::npos);
    EXPECT_EQ(request.substr(request.size() - 50), "login_username=J\xF6rg&login_password=\xE4\xF6\xFC&login=login");
}

TEST(Requests, UserIdPageCarriesTheWebSessionCookie) {
    EXPECT_EQ(UserIdPageRequest(TestEndpoints(), "abc123"),
              "GET /sendrix/club/home/index.php HTTP/1.1\r\n" + Browser("club.example") +
                  "Referer: http://club.example/sendrix/club/home/index.php\r\n"
                  "Cookie: PHPSESSID=abc123\r\n"
                  "Cookie2: $Version=1\r\n"
                  "If-Modified-Since: Sat, 20 Oct 2008 02:01:14 GMT\r\n" +
                  kTail + "\r\n");
}

TEST(Requests, ChatEntryNamesTheClubServerByAddressInItsReferer) {
    EXPECT_EQ(ChatEnterRequest(TestEndpoints(), "-5", "abc"),
              "GET /ac/chat/enter?pUserId=-5&pSessionId=abc HTTP/1.1\r\n" + Browser("chat.example") +
                  "Referer: http://10.1.2.3/sendrix/club/chat/index.php\r\n"
                  "If-Modified-Since: Sat, 20 Oct 2008 02:01:14 GMT\r\n" +
                  kTail + "\r\n");
}

TEST(Requests, ParticipationPutsItsDateBeforeTheCookie) {
    EXPECT_EQ(ParticipateRequest(TestEndpoints(), "J1"),
              "GET /ac/chat/participate HTTP/1.1\r\n" + Browser("chat.example") +
                  "Referer: http://chat.example/ac/chat/main\r\n"
                  "If-Modified-Since: Sat, 20 Oct 2008 02:15:50 GMT\r\n"
                  "Cookie: JSESSIONID=J1\r\n"
                  "Cookie2: $Version=1\r\n" +
                  kTail + "\r\n");
}

TEST(Requests, GetdataAndLogoutDifferOnlyInTheirRequestLine) {
    std::string rest = Browser("chat.example") +
                       "Referer: http://chat.example/ac/chat/getdata\r\n"
                       "Cookie: JSESSIONID=J1\r\n"
                       "Cookie2: $Version=1\r\n"
                       "Cache-Control: no-cache\r\n" +
                       kTail + "\r\n";
    EXPECT_EQ(GetdataRequest(TestEndpoints(), "J1"), "GET /ac/chat/getdata HTTP/1.1\r\n" + rest);
    EXPECT_EQ(LogoutRequest(TestEndpoints(), "J1"), "GET /ac/chat/logout HTTP/1.1\r\n" + rest);
}

TEST(Requests, MessagePostHasOneSpaceBeforeTheLength) {
    // "message=" and 4 bytes: a body of 12 characters.
    EXPECT_EQ(SendMessageRequest(TestEndpoints(), "J1", "%41%42"),
              "POST /ac/chat/sendmessage HTTP/1.1\r\n" + Browser("chat.example") +
                  "Referer: http://chat.example/ac/chat/sendmessage\r\n"
                  "Cookie: JSESSIONID=J1\r\n"
                  "Cookie2: $Version=1\r\n" +
                  kTail +
                  "Content-Length: 14\r\n"
                  "Content-Type: application/x-www-form-urlencoded\r\n\r\n"
                  "message=%41%42");
    std::string twelve = SendMessageRequest(TestEndpoints(), "J1", "%41a");
    EXPECT_NE(twelve.find("\r\nContent-Length: 12\r\n"), std::string::npos);
}

TEST(Requests, AvatarAndProfileAreAbsoluteUrlsUnderTheMediaHost) {
    const std::string tail = Browser("media.example") + "Cache-Control: no-cache\r\n" + kTail + "\r\n";
    EXPECT_EQ(AvatarRequest(TestEndpoints(), "http://club.example/sendrix/incl/images/club/avatar/s/x/s/ab.jpg"),
              "GET http://club.example/sendrix/incl/images/club/avatar/l/x/l/ab.jpg HTTP/1.1\r\n" + tail);
    // Only the exact lower-case "/s/" is a small picture; "/S/" stays.
    std::string request = AvatarRequest(TestEndpoints(), "/S//s//s");
    EXPECT_EQ(request.substr(0, request.find("\r\n")), "GET /S//l//s HTTP/1.1");

    EXPECT_EQ(ProfileRequest(TestEndpoints(), 4711),
              "GET http://club.example/sendrix/club/clubcard/index.php?uid=4711 HTTP/1.1\r\n" + tail);
}

}  // namespace
}  // namespace vellora
