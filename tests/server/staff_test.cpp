// The staff's commands: kick, ban and mute, typed as chat lines by a team
// member or given through the control interface, and what the kicked or
// banned user's client gets to see.

#include "chat_test.h"

namespace vellora::test {
namespace {

const std::string kKickLine = "*** SENDRIX TALMOR Club Team:  demo wurde aus dem Chat geworfen";
const std::string kBanLine = "*** SENDRIX TALMOR Club Team:  demo wurde aus dem Chat verbannt";
const std::string kBanText = "'message':{'title':'Sorry','txt':'Sie wurden aus dem Chat geworfen";

TEST_F(ChatTest, KickByAStaffMemberEndsTheSessionAfterOneLastPage) {
    ChatLogin demo = Login("demo", "demo123");
    ChatLogin team = Login("teamlead", "team123");
    ChatLogin other = Login("tester", "tester123");
    Poll(demo.jSessionId);
    GetDataPage page = Poll(team.jSessionId);
    EXPECT_TRUE(page.HasUser("club-team: teamlead"));
    EXPECT_NE(page.FindLine("*** club-team: teamlead betritt den Raum."), nullptr);

    // Only staff commands are obeyed; anybody else's are swallowed.
    Send(other.jSessionId, "/kick demo");
    page = Poll(demo.jSessionId);
    EXPECT_TRUE(page.HasUser("demo"));
    EXPECT_TRUE(page.lines.empty());

    Send(team.jSessionId, "Hallo");
    Send(team.jSessionId, "/kick demo");
    GetDataPage last = Poll(demo.jSessionId);
    ASSERT_NE(last.FindLine("Hallo"), nullptr);
    EXPECT_EQ(last.FindLine("Hallo")->name, "club-team: teamlead");
    const PageLine* kick = last.FindLine(kKickLine);
    ASSERT_NE(kick, nullptr) << "the kicked client learns of its kick";
    EXPECT_EQ(kick->type, 2);
    EXPECT_EQ(kick->name, "demo");
    EXPECT_EQ(last.FindLine("/kick demo"), nullptr) << "the command itself is not shown";
    EXPECT_FALSE(last.HasUser("demo"));

    EXPECT_TRUE(Poll(demo.jSessionId).denied);
    EXPECT_NE(Send(demo.jSessionId, "hallo?").find("Denied, please login."), std::string::npos);
    EXPECT_NE(Poll(team.jSessionId).FindLine(kKickLine), nullptr);

    // A kicked user may come back at once.
    ChatLogin again = Login("demo", "demo123");
    EXPECT_TRUE(Poll(again.jSessionId).HasUser("demo"));
}

TEST_F(ChatTest, BanRefusesEntryAndSendingUntilLifted) {
    ChatLogin demo = Login("demo", "demo123");
    ChatLogin team = Login("teamlead", "team123");
    Poll(demo.jSessionId);
    Send(team.jSessionId, "/ban club-team: nobody");
    Send(team.jSessionId, "/ban demo");

    EXPECT_NE(Send(demo.jSessionId, "bin ich noch da?").find(kBanText), std::string::npos);
    GetDataPage last = Poll(demo.jSessionId);
    ASSERT_NE(last.FindLine(kBanLine), nullptr);
    EXPECT_TRUE(Poll(demo.jSessionId).denied);
    EXPECT_NE(Send(demo.jSessionId, "und jetzt?").find(kBanText), std::string::npos);
    EXPECT_EQ(LoginToChat(sim_.Port(), "demo", "demo123").failure, "chat entry refused");

    ASSERT_TRUE(sim_.Unban("demo"));
    EXPECT_TRUE(LoginToChat(sim_.Port(), "demo", "demo123").Ok());
}

TEST_F(ChatTest, BanThroughTheControlInterfaceRunsOut) {
    ChatLogin demo = Login("demo", "demo123");
    Poll(demo.jSessionId);
    ASSERT_TRUE(sim_.Ban("demo", 1));
    EXPECT_EQ(LoginToChat(sim_.Port(), "demo", "demo123").failure, "chat entry refused");
    bool back = false;
    for (int i = 0; i < 40 && !back; ++i) {
        SystemSleep(100);
        back = LoginToChat(sim_.Port(), "demo", "demo123").Ok();
    }
    EXPECT_TRUE(back);
    EXPECT_FALSE(sim_.Ban("nobody"));
}

TEST_F(ChatTest, MutedUsersLinesAreDropped) {
    ChatLogin demo = Login("demo", "demo123");
    ChatLogin team = Login("teamlead", "team123");
    Poll(demo.jSessionId);
    Send(team.jSessionId, "/mute demo");
    EXPECT_EQ(Send(demo.jSessionId, "hallo?").find(kBanText), std::string::npos);
    Send(team.jSessionId, "noch jemand da?");
    EXPECT_EQ(Poll(demo.jSessionId).Messages(), std::vector<std::string>{"noch jemand da?"});
    ASSERT_TRUE(sim_.Control("/unmute", {{"name", "demo"}}).Ok());
    Send(demo.jSessionId, "wieder da");
    EXPECT_EQ(Poll(demo.jSessionId).Messages(), std::vector<std::string>{"wieder da"});
}

TEST_F(ChatTest, KickingAMemberThroughTheControlInterface) {
    ASSERT_TRUE(sim_.AddMember({.name = "Kiki"}));
    ChatLogin demo = Login("demo", "demo123");
    Poll(demo.jSessionId);
    ASSERT_TRUE(sim_.Kick("Kiki"));
    GetDataPage page = Poll(demo.jSessionId);
    EXPECT_NE(page.FindLine("*** SENDRIX TALMOR Club Team:  Kiki wurde aus dem Chat geworfen"), nullptr);
    EXPECT_FALSE(page.HasUser("Kiki"));
    EXPECT_FALSE(sim_.Kick("Kiki")) << "no longer here";
}

}  // namespace
}  // namespace vellora::test
