// The staff's commands, typed as chat lines by a team member or given
// through the control interface, and what the kicked or banned user's client
// gets to see.

#include "chat_test.h"

namespace vellora::test {
namespace {

const std::string kKickLine = "*** SENDRIX TALMOR Club Team:  demo wurde aus dem Chat geworfen";
const std::string kBanText = "'message':{'title':'Sorry','txt':'Sie wurden aus dem Chat geworfen";

TEST_F(ChatTest, KickByAStaffMemberEndsTheSessionAfterOneLastPage) {
    ASSERT_TRUE(sim_.AddMember({.name = "Kiki"}));
    ChatLogin demo = Login("demo", "demo123");
    ChatLogin team = Login("teamlead", "team123");
    ChatLogin other = Login("tester", "tester123");
    Poll(demo.jSessionId);
    EXPECT_TRUE(HasUser(Poll(team.jSessionId), "club-team: teamlead"));

    // Only staff commands are obeyed; anybody else's are swallowed.
    Send(other.jSessionId, "/kick demo");
    GetdataAnswer page = Poll(demo.jSessionId);
    EXPECT_TRUE(HasUser(page, "demo"));
    EXPECT_TRUE(page.Chats.empty());

    Send(team.jSessionId, "/kick demo");
    GetdataAnswer last = Poll(demo.jSessionId);
    const ChatRecord* kick = FindLine(last, kKickLine);
    ASSERT_NE(kick, nullptr) << "the kicked client learns of its kick";
    EXPECT_EQ(kick->Type, 2);
    EXPECT_EQ(kick->Name, L"demo");
    EXPECT_EQ(FindLine(last, "/kick demo"), nullptr) << "the command itself is not shown";
    EXPECT_FALSE(HasUser(last, "demo"));
    EXPECT_TRUE(Poll(demo.jSessionId).Denied);

    // A kicked user may come back at once.
    EXPECT_TRUE(HasUser(Poll(Login("demo", "demo123").jSessionId), "demo"));

    // Members are kicked through the control interface.
    ASSERT_TRUE(sim_.Control("/kick", {{"name", "Kiki"}}).Ok());
    page = Poll(team.jSessionId);
    EXPECT_NE(FindLine(page, "*** SENDRIX TALMOR Club Team:  Kiki wurde aus dem Chat geworfen"), nullptr);
    EXPECT_FALSE(HasUser(page, "Kiki"));
}

TEST_F(ChatTest, BanRefusesEntryAndSendingUntilLifted) {
    ChatLogin demo = Login("demo", "demo123");
    ChatLogin team = Login("teamlead", "team123");
    Poll(demo.jSessionId);
    Send(team.jSessionId, "/ban demo");

    EXPECT_NE(Send(demo.jSessionId, "bin ich noch da?").find(kBanText), std::string::npos);
    EXPECT_NE(FindLine(Poll(demo.jSessionId), "*** SENDRIX TALMOR Club Team:  demo wurde aus dem Chat verbannt"),
              nullptr);
    EXPECT_TRUE(Poll(demo.jSessionId).Denied);
    EXPECT_NE(Send(demo.jSessionId, "und jetzt?").find(kBanText), std::string::npos);
    EXPECT_EQ(LoginToChat(sim_.Port(), "demo", "demo123").failure, kRefused);

    ASSERT_TRUE(sim_.Control("/unban", {{"name", "demo"}}).Ok());
    EXPECT_TRUE(LoginToChat(sim_.Port(), "demo", "demo123").Ok());
}

}  // namespace
}  // namespace vellora::test
