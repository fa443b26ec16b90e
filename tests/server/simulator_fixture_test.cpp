// The simulator fixture itself, in the native and the Windows test build:
// under Wine this proves that Windows tests can start the native simulator,
// drive it and talk to it with the client's blocking HttpRequest.

#include <gtest/gtest.h>

#include "net/http_client.h"
#include "support/chat_requests.h"
#include "support/getdata_reader.h"
#include "support/simulator.h"

namespace vellora::test {
namespace {

TEST(SimulatorFixtureTest, LoginRoundTripWithTheClientsHttpRequest) {
    ASSERT_TRUE(SocketStartup());
    Simulator sim;
    ASSERT_TRUE(sim.Running()) << sim.Error();
    ASSERT_TRUE(sim.AddAccount({.name = "wine", .password = "glass", .uid = 4242}));

    std::string login = LoginRequest("wine", "glass");
    std::string answer;
    ASSERT_TRUE(HttpRequest(kLoopback, sim.Port(), login, answer, 4000, true));
    std::string php = SetCookieValue(answer, "PHPSESSID");
    ASSERT_FALSE(php.empty()) << answer;
    ASSERT_TRUE(HttpRequest(kLoopback, sim.Port(), HomeRequest(php), answer, 4000, false));
    ASSERT_EQ(ClubcardUserId(answer), "4242");
    ASSERT_TRUE(HttpRequest(kLoopback, sim.Port(), EnterRequest("4242", php), answer, 4000, true));
    std::string jsid = SetCookieValue(answer, "JSESSIONID");
    ASSERT_FALSE(jsid.empty()) << answer;
    ASSERT_TRUE(sim.Say("bob", "Hallo Wine"));
    ASSERT_TRUE(HttpRequest(kLoopback, sim.Port(), GetDataRequest(jsid), answer, 4000, false));
    GetDataPage page = ReadGetData(answer);
    EXPECT_TRUE(page.endsWithHtml);
    EXPECT_TRUE(page.HasUser("wine"));
    EXPECT_NE(page.FindLine("Hallo Wine"), nullptr);

    // The server saw exactly the bytes the client sent.
    std::vector<RawRequest> seen = sim.Requests(1, "login");
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(seen[0].bytes, login);
}

}  // namespace
}  // namespace vellora::test
