// Many clients at once: 500 chat sessions, each with a getdata request on
// the wire at the same time, all answered whole by the one-threaded server.

#include "chat_test.h"

namespace vellora::test {
namespace {

constexpr int kPollers = 500;

TEST_F(ChatTest, FiveHundredConcurrentPollers) {
    ASSERT_TRUE(sim_.AddAccount({.name = "load", .password = "pw", .uid = 700001}));
    ASSERT_TRUE(sim_.Control("/account/add", {{"name", "p"}, {"password", "pw"}, {"uid", "710001"},
                                              {"count", std::to_string(kPollers)}})
                    .Ok());
    std::vector<std::string> sessions;
    for (int i = 1; i <= kPollers; ++i) {
        ChatLogin login = LoginToChat(sim_.Port(), "p" + std::to_string(i), "pw");
        ASSERT_TRUE(login.Ok()) << i << ": " << login.failure;
        sessions.push_back(login.jSessionId);
    }

    for (int round = 0; round < 3; ++round) {
        ASSERT_TRUE(sim_.Say("load", "round " + std::to_string(round)));
        std::vector<Connection> polls(kPollers);
        for (int i = 0; i < kPollers; ++i) {
            polls[static_cast<std::size_t>(i)].socket =
                HttpSend(kLoopback, sim_.Port(), GetDataRequest(sessions[static_cast<std::size_t>(i)]), true);
            ASSERT_NE(polls[static_cast<std::size_t>(i)].socket, 0u) << i;
        }
        int complete = 0, open = kPollers;
        while (open > 0) {
            open = 0;
            for (auto& c : polls) {
                if (c.socket == 0) continue;
                std::string body;
                if (HttpReceive(c.socket, body, c.state, false, 60000)) {
                    GetDataPage page = ReadGetData(body);
                    EXPECT_TRUE(page.endsWithHtml);
                    EXPECT_EQ(page.users.size(), static_cast<std::size_t>(kPollers));
                    EXPECT_NE(page.FindLine("round " + std::to_string(round)), nullptr);
                    ++complete;
                }
                if (c.socket != 0) ++open;
            }
            if (open > 0) SystemSleep(1);
        }
        EXPECT_EQ(complete, kPollers) << "round " << round;
    }
}

}  // namespace
}  // namespace vellora::test
