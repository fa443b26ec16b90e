// The simulated members: seeded and repeatable, chatting in the chat's
// conventions, and the member that answers every line addressed to it.

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
    int defaults = 0, own = 0;
    for (const auto& u : page.users) {
        bool isDefault = u.src.find("/avatar/s/F_") != std::string::npos || u.src.find("/avatar/s/M_") != std::string::npos;
        (isDefault ? defaults : own) += 1;
        EXPECT_EQ(u.src.rfind("http://club.sendrix.test/sendrix/incl/images/club/avatar/s/", 0), 0u) << u.src;
    }
    EXPECT_GT(defaults, 0);
    EXPECT_GT(own, 0);
    EXPECT_GT(std::stoi(page.passive), 0) << "members mode has listeners";

    ASSERT_TRUE(sim_.Step(300));
    page = Poll(login.jSessionId);
    int songs = 0, joins = 0, leaves = 0, toUser = 0, plain = 0;
    for (const auto& l : page.lines) {
        if (l.msg.rfind("(listening to: ", 0) == 0) {
            ++songs;
            EXPECT_EQ(l.type, 1);
            EXPECT_EQ(l.msg.back(), ')');
            EXPECT_GE(l.msg.size(), 15u + 16u);
        } else if (l.msg.find(" betritt den Raum.") != std::string::npos) {
            ++joins;
            EXPECT_EQ(l.type, 2);
            EXPECT_EQ(l.msg, "*** " + l.name + " betritt den Raum.");
        } else if (l.msg.find(" verl&auml;sst den Raum.") != std::string::npos) {
            ++leaves;
            EXPECT_EQ(l.msg, "*** " + l.name + " verl&auml;sst den Raum.");
        } else if (l.msg.rfind("demo: ", 0) == 0) {
            ++toUser;
        } else if (l.type == 1) {
            ++plain;
            EXPECT_EQ(l.msg.find('\''), std::string::npos);
        }
    }
    EXPECT_GT(songs, 0);
    EXPECT_GT(joins, 0);
    EXPECT_GT(leaves, 0);
    EXPECT_GT(toUser, 0);
    EXPECT_GT(plain, 0);
    EXPECT_TRUE(page.HasUser("Lotte")) << "the answering member never leaves";
}

TEST_F(MembersTest, TheAnsweringMemberRepliesToLinesAddressedToIt) {
    ASSERT_TRUE(sim_.Set("reply_ms", "0"));
    ChatLogin login = Login("demo", "demo123");
    Poll(login.jSessionId);
    Send(login.jSessionId, "Lotte: hallo, bist du da?");
    GetDataPage page;
    bool replied = false;
    for (int i = 0; i < 100 && !replied; ++i) {
        page = Poll(login.jSessionId);
        for (const auto& l : page.lines) replied |= l.name == "Lotte" && l.msg.rfind("demo: ", 0) == 0;
        if (!replied) SystemSleep(20);
    }
    EXPECT_TRUE(replied);
    // A line to somebody else gets no reply.
    Send(login.jSessionId, "Kiki: hallo");
    SystemSleep(200);
    for (const auto& l : Poll(login.jSessionId).lines) EXPECT_NE(l.name, "Lotte") << l.msg;
}

TEST_F(ChatTest, QuietModeHasNobodyUntilToldAndAnswersOnDemand) {
    ChatLogin login = Login("demo", "demo123");
    GetDataPage page = Poll(login.jSessionId);
    EXPECT_EQ(page.users.size(), 1u);
    EXPECT_EQ(page.passive, "0");
    ASSERT_TRUE(sim_.AddMember({.name = "Echo", .answers = true}));
    ASSERT_TRUE(sim_.Set("reply_ms", "0"));
    Send(login.jSessionId, "echo: test");
    bool replied = false;
    for (int i = 0; i < 100 && !replied; ++i) {
        for (const auto& l : Poll(login.jSessionId).lines) replied |= l.name == "Echo";
        if (!replied) SystemSleep(20);
    }
    EXPECT_TRUE(replied) << "addressing is not case-sensitive";
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
