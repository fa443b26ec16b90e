// The login sequence's reading of answers, and the failures a single
// answering peer can show. Whole logins run against the simulator
// (simulator_test.cpp).

#include <gtest/gtest.h>

#include <string>

#include "chat/login.h"
#include "chat/requests.h"
#include "net/socket.h"
#include "support/fake_clock.h"
#include "support/recording_client.h"
#include "support/scripted_peer.h"

namespace vellora {
namespace {

using test::Script;
using test::ScriptedPeer;
using Names = std::vector<std::wstring>;

TEST(LoginAnswers, CookieValueEndsAtTheSemicolonOnItsLine) {
    auto find = [](const std::string& answer) -> std::string {
        std::string value;
        CookieSearch result = FindCookie(answer, "Set-Cookie: PHPSESSID=", value);
        return result == CookieSearch::Found ? "found " + value : result == CookieSearch::Missing ? "missing" : "unended";
    };
    EXPECT_EQ(find("HTTP/1.1 200 OK\r\nSet-Cookie: PHPSESSID=abc; path=/\r\n\r\n"), "found abc");
    EXPECT_EQ(find("Set-Cookie: PHPSESSID=;"), "found ");
    // Case matters, and only the first cookie line counts.
    EXPECT_EQ(find("set-cookie: PHPSESSID=abc;"), "missing");
    EXPECT_EQ(find("Set-Cookie: PHPSESSID=one;\r\nSet-Cookie: PHPSESSID=two;"), "found one");
    EXPECT_EQ(find("Set-Cookie: PHPSESSID=abc\r\n\r\n"), "unended");
    // A ";" further down would drag the next header line into the value.
    EXPECT_EQ(find("Set-Cookie: PHPSESSID=abc\r\nContent-Type: text/html; charset=x\r\n\r\n"), "unended");
}

TEST(LoginAnswers, UserIdIsACanonicalIntegerAfterTheLogoutBlock) {
    auto read = [](const std::string& page) {
        std::string id;
        return ReadUserId(page, id) ? id : "(none)";
    };
    EXPECT_EQ(read("<div id=\"logoutContent\"><a href=\"/sendrix/club/clubcard/123\">me</a>"), "123");
    EXPECT_EQ(read("<div id='logoutContent'><a href='/club/clubcard/-5'>"), "-5");
    EXPECT_EQ(read("<div id='logoutContent'>\n/club/clubcard/77\r\nmore"), "77");
    // The double-quoted marker wins when both occur.
    EXPECT_EQ(read("<div id='logoutContent'>/club/clubcard/1' <div id=\"logoutContent\">/club/clubcard/2\""), "2");
    // Links before the marker do not count.
    EXPECT_EQ(read("/club/clubcard/9\" <div id=\"logoutContent\"> nothing"), "(none)");
    EXPECT_EQ(read("/club/clubcard/9\" <div id=logoutContent>"), "(none)");
    for (const char* bad : {"0123", "12a", "", "-0", "+5", " 5", "2147483648", "-2147483649", "99999999999"}) {
        EXPECT_EQ(read(std::string("<div id='logoutContent'>/club/clubcard/") + bad + "'"), "(none)") << bad;
    }
    for (const char* good : {"2147483647", "-2147483648", "0"}) {
        EXPECT_EQ(read(std::string("<div id='logoutContent'>/club/clubcard/") + good + "'"), good);
    }
}

class LoginTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { ASSERT_TRUE(SocketStartup()); }
    void SetUp() override {
        client().session.LoginName = L"anna";
        client().session.UserName = L"anna";
        client().session.Password = L"pw";
        client().session.WindowsCreated = true;
    }
    Client& client() { return rc_.client; }

    test::FakeClock clock_{1000, 40};
    test::RecordingClient rc_;
};

TEST_F(LoginTest, FailuresDuringTheLoginPhaseGoToTheLoginForm) {
    client().endpoints.Port = ScriptedPeer::UnusedPort();
    EXPECT_TRUE(TryLogin(client()));
    EXPECT_EQ(rc_.status.loginErrors, (Names{L"Could not connect to server"}));
    EXPECT_TRUE(client().session.LoginPhase);
    EXPECT_TRUE(client().session.Disconnected);
    EXPECT_EQ(rc_.window.mainShown, 0);
}

TEST_F(LoginTest, TheFormPostCarriesTheAccountAsTyped) {
    client().session.LoginName = L"a&b=c";
    client().session.Password = L"p\xE4w";
    ScriptedPeer peer(Script().Send("HTTP/1.1 200 OK\r\nContent-Length: 0\r\n\r\n"));
    client().endpoints.Port = peer.Port();
    LoginSequence(client());
    EXPECT_EQ(peer.Request(), LoginFormRequest(client().endpoints, "a&b=c", "p\xE4w"));
    EXPECT_EQ(rc_.status.loginErrors, (Names{L"Could not retrieve session id"}));
}

TEST_F(LoginTest, AfterAKickTheLoginWaitsFiveSeconds) {
    rc_.EnterChat();
    client().session.Disconnected = true;
    client().ChatBatchSeen = true;
    client().session.KickTick = TickNow();
    client().endpoints.Port = ScriptedPeer::UnusedPort();

    clock_.Advance(kKickDelayMs);
    LoginSequence(client());
    EXPECT_TRUE(rc_.StatusLines().empty()) << "no attempt within 5000 ms";
    EXPECT_TRUE(client().ChatBatchSeen);
    EXPECT_NE(client().session.KickTick, kNoTick);

    clock_.Advance(1);
    LoginSequence(client());
    EXPECT_EQ(rc_.StatusLines(), (Names{L"Could not connect to server"}));
    EXPECT_EQ(client().session.KickTick, kNoTick);
    EXPECT_FALSE(client().ChatBatchSeen);
}

// Answers for a whole login from a peer that plays the club and chat servers.
std::string Http(const std::string& headers, const std::string& body = "") {
    return "HTTP/1.1 200 OK\r\n" + headers + "Content-Length: " + std::to_string(body.size()) + "\r\n\r\n" + body;
}
const std::string kLoginAnswer = Http("Set-Cookie: PHPSESSID=p1; path=/\r\n");
std::string HomePage(const std::string& idText, const std::string& marker = "<div id=\"logoutContent\">") {
    return Http("", "<html>" + marker + "<a href=\"/sendrix/club/clubcard/" + idText + "\">Me</a></html>");
}
const std::string kEnterAnswer = Http("Set-Cookie: JSESSIONID=j1; Path=/ac\r\n");
const std::string kParticipation = Http("", "<html>ok</html>");

TEST_F(LoginTest, EachStepOfTheSequenceAndItsFailure) {
    client().session.LoginPhase = false;
    auto run = [&](const std::vector<std::string>& answers) {
        std::vector<Script> scripts;
        for (const std::string& answer : answers) scripts.push_back(Script().Send(answer).Close());
        ScriptedPeer peer(scripts);
        client().endpoints.Port = peer.Port();
        client().session.OwnUserId.clear();
        client().session.Disconnected = false;
        client().session.LastStatusText.clear();  // no repeat suppression between the cases
        client().session.SilentLoginStops = 0;      // each case a first attempt
        rc_.status.chatLines.clear();
        LoginSequence(client());
        std::vector<std::wstring> lines = rc_.StatusLines();
        EXPECT_LE(lines.size(), 1u);
        return std::make_pair(peer.Requests().size(), lines.empty() ? std::wstring() : lines[0]);
    };
    using Result = std::pair<std::size_t, std::wstring>;

    // A web session cookie without its ";": a silent stop.
    EXPECT_EQ(run({Http("Set-Cookie: PHPSESSID=abc\r\n")}), (Result{1, L""}));
    EXPECT_TRUE(client().session.Disconnected);
    EXPECT_EQ(client().session.PhpSessionId, L"");

    EXPECT_EQ(run({kLoginAnswer, HomePage("123"), kEnterAnswer, kParticipation}), (Result{4, L""}));
    EXPECT_FALSE(client().session.Disconnected);
    EXPECT_EQ(client().session.PhpSessionId, L"p1");
    EXPECT_EQ(client().session.OwnUserId, L"123");
    EXPECT_EQ(client().session.JSessionId, L"j1");

    EXPECT_EQ(run({kLoginAnswer, HomePage("0123")}), (Result{2, L"Could not retrieve user id"}));
    EXPECT_EQ(run({kLoginAnswer, Http("", "<html>login form</html>")}), (Result{2, L"Could not retrieve user id"}));
    EXPECT_EQ(run({kLoginAnswer, HomePage("-5", "<div id='logoutContent'>"), kEnterAnswer, kParticipation}),
              (Result{4, L""}));
    EXPECT_EQ(client().session.OwnUserId, L"-5");

    const std::string refusal = Http("", "<p>Ein Login in den Chat ist nicht m&ouml;glich.</p>");
    EXPECT_EQ(run({kLoginAnswer, HomePage("7"), refusal}),
              (Result{3, L"Login failed. ('Ein Login in den Chat ist nicht m\u00F6glich')"}));
    // The chat server closes without answering: the request fails.
    EXPECT_EQ(run({kLoginAnswer, HomePage("7"), ""}), (Result{3, L"Timeout"}));

    // No chat session cookie, or one without its ";": silent stops.
    EXPECT_EQ(run({kLoginAnswer, HomePage("7"), Http("")}), (Result{3, L""}));
    EXPECT_TRUE(client().session.Disconnected);
    EXPECT_EQ(run({kLoginAnswer, HomePage("7"), Http("Set-Cookie: JSESSIONID=j2\r\n")}), (Result{3, L""}));
    EXPECT_TRUE(client().session.Disconnected);
    EXPECT_EQ(client().session.JSessionId, L"j1");

    // A participation that fails counts as no denial.
    EXPECT_EQ(run({kLoginAnswer, HomePage("7"), kEnterAnswer, ""}), (Result{4, L""}));
    EXPECT_FALSE(client().session.Disconnected);

    const std::string denial = Http("", "<html>Denied, please login.</html>");
    EXPECT_EQ(run({kLoginAnswer, HomePage("7"), kEnterAnswer, denial}),
              (Result{4, L"Login failed ('Denied, please login')"}));
    EXPECT_TRUE(client().session.Disconnected);
}

TEST_F(LoginTest, LogoutIsFiredWithoutWaiting) {
    client().session.JSessionId = L"J9";
    client().session.Disconnected = false;
    ScriptedPeer peer{Script()};
    client().endpoints.Port = peer.Port();
    SendLogout(client());
    EXPECT_EQ(peer.Request(), LogoutRequest(client().endpoints, "J9"));
}

}  // namespace
}  // namespace vellora
