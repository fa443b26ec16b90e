// The simulated members: seeded and repeatable, chatting in the chat's
// conventions at their rate, and members that answer lines addressed to them.

#include "chat_test.h"

namespace vellora::test {
namespace {

SimulatorConfig Members(std::uint32_t seed, std::vector<std::string> extra = {"--rate", "0"}) {
    SimulatorConfig c;
    c.quiet = false;
    c.members = 12;
    c.seed = seed;
    c.extraArgs = std::move(extra);
    return c;
}

class MembersTest : public ChatTest {
protected:
    MembersTest() : ChatTest(Members(5)) {}
};

// What a fresh login sees after the members acted Steps times.
std::vector<std::string> FirstPage(Simulator& sim, int steps) {
    EXPECT_TRUE(sim.Step(steps));
    ChatLogin login = LoginToChat(sim.Port(), "demo", "demo123");
    std::string body;
    EXPECT_TRUE(Fetch(sim.Port(), GetDataRequest(login.jSessionId), body, false));
    GetDataPage page = ReadGetData(body);
    std::vector<std::string> seen;
    for (const auto& u : page.users) seen.push_back("user " + u.name + " " + u.src);
    for (const auto& l : page.lines) seen.push_back(std::to_string(l.type) + " " + l.name + ": " + l.msg);
    return seen;
}

TEST(MembersSeedTest, TheSameSeedGivesTheSameChat) {
    ASSERT_TRUE(SocketStartup());
    Simulator a(Members(5)), b(Members(5)), c(Members(6));
    ASSERT_TRUE(a.Running() && b.Running() && c.Running()) << a.Error();
    std::vector<std::string> first = FirstPage(a, 40);
    EXPECT_GT(first.size(), 20u);
    EXPECT_EQ(first, FirstPage(b, 40));
    EXPECT_NE(first, FirstPage(c, 40));
}

TEST_F(MembersTest, MembersChatInTheChatsConventions) {
    ChatLogin login = Login("demo", "demo123");
    GetDataPage page = Poll(login.jSessionId);
    EXPECT_TRUE(page.HasUser("Lotte"));
    EXPECT_TRUE(page.HasUser("club-team: Mara"));
    for (const auto& u : page.users) {
        EXPECT_EQ(u.src.rfind("http://club.sendrix.test/sendrix/incl/images/club/avatar/s/", 0), 0u) << u.src;
    }
    EXPECT_GT(std::stoi(page.passive), 0) << "members mode has listeners";

    ASSERT_TRUE(sim_.Step(300));
    page = Poll(login.jSessionId);
    int songs = 0, joins = 0, leaves = 0, toUser = 0;
    for (const auto& l : page.lines) {
        if (l.msg.rfind("(listening to: ", 0) == 0) {
            ++songs;
            EXPECT_EQ(l.type, 1);
            EXPECT_EQ(l.msg.back(), ')');
        } else if (l.msg.find(" betritt den Raum.") != std::string::npos) {
            ++joins;
            EXPECT_EQ(l.type, 2);
            EXPECT_EQ(l.msg, "*** " + l.name + " betritt den Raum.");
        } else if (l.msg.find(" verl&auml;sst den Raum.") != std::string::npos) {
            ++leaves;
            EXPECT_EQ(l.msg, "*** " + l.name + " verl&auml;sst den Raum.");
        } else if (l.type == 1) {
            toUser += l.msg.rfind("demo: ", 0) == 0;
            EXPECT_EQ(l.msg.find('\''), std::string::npos) << "quotes are written as entities";
        }
    }
    EXPECT_GT(songs, 0);
    EXPECT_GT(joins, 0);
    EXPECT_GT(leaves, 0);
    EXPECT_GT(toUser, 0);
    EXPECT_TRUE(page.HasUser("Lotte")) << "the answering member never leaves";
}

TEST_F(ChatTest, QuietModeHasNobodyUntilToldAndAnsweringMembersReply) {
    ChatLogin login = Login("demo", "demo123");
    GetDataPage page = Poll(login.jSessionId);
    EXPECT_EQ(page.users.size(), 1u);
    EXPECT_EQ(page.passive, "0");
    ASSERT_TRUE(sim_.AddMember({.name = "Echo", .answers = true}));
    ASSERT_TRUE(sim_.Set("reply_ms", "0"));
    // A line to somebody else gets no reply; addressing is not case-sensitive.
    // A wrong reply would be queued before the right one and so be seen first.
    ChatLogin other = Login("tester", "tester123");
    Send(other.jSessionId, "demo: hallo");
    Send(login.jSessionId, "echo: test");
    std::vector<std::string> replies;
    bool answered = false;
    for (int i = 0; i < 100 && !answered; ++i) {
        for (const auto& l : Poll(login.jSessionId).lines) {
            if (l.name == "Echo" && l.type == 1) replies.push_back(l.msg.substr(0, 6));
        }
        answered = !replies.empty() && replies.back() == "demo: ";
        if (!answered) SystemSleep(20);
    }
    EXPECT_EQ(replies, std::vector<std::string>{"demo: "});
    ASSERT_TRUE(sim_.RemoveMember("Echo"));
    EXPECT_NE(Poll(login.jSessionId).FindLine("*** Echo verl&auml;sst den Raum."), nullptr);
    EXPECT_FALSE(sim_.RemoveMember("demo")) << "accounts are no members";
}

TEST(MembersRateTest, MembersChatOnTheirOwnAtTheirRate) {
    ASSERT_TRUE(SocketStartup());
    Simulator sim(Members(9, {"--rate", "1200"}));
    ASSERT_TRUE(sim.Running()) << sim.Error();
    ChatLogin login = LoginToChat(sim.Port(), "demo", "demo123");
    ASSERT_TRUE(login.Ok());
    std::string body;
    Fetch(sim.Port(), GetDataRequest(login.jSessionId), body, false);
    std::size_t lines = 0;
    for (int i = 0; i < 100 && lines < 3; ++i) {
        SystemSleep(20);
        Fetch(sim.Port(), GetDataRequest(login.jSessionId), body, false);
        lines += ReadGetData(body).lines.size();
    }
    EXPECT_GE(lines, 3u);
}

}  // namespace
}  // namespace vellora::test
