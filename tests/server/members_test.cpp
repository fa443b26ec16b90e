// The simulated members of the demo: chatting in the chat's conventions, and
// members that answer lines addressed to them.

#include "chat_test.h"

namespace vellora::test {
namespace {

class MembersTest : public ChatTest {
protected:
    MembersTest() : ChatTest({.quiet = false, .members = 12, .seed = 5, .extraArgs = {"--rate", "0"}}) {}
};

TEST_F(MembersTest, MembersChatInTheChatsConventions) {
    ChatLogin login = Login("demo", "demo123");
    GetdataAnswer page = Poll(login.jSessionId);
    EXPECT_TRUE(HasUser(page, "Lotte"));
    EXPECT_TRUE(HasUser(page, "club-team: Mara"));
    EXPECT_GT(std::stoi(Bytes(page.Counts.value().Passive)), 0) << "members mode has listeners";

    ASSERT_TRUE(sim_.Step(300));
    page = Poll(login.jSessionId);
    int songs = 0, joins = 0, leaves = 0, toUser = 0;
    for (const ChatRecord& l : page.Chats) {
        const std::string msg = Bytes(l.Msg), name = Bytes(l.Name);
        if (msg.rfind("(listening to: ", 0) == 0) {
            ++songs;
            EXPECT_EQ(l.Type, 1);
            EXPECT_EQ(msg.back(), ')');
        } else if (msg.find(" betritt den Raum.") != std::string::npos) {
            ++joins;
            EXPECT_EQ(l.Type, 2);
            EXPECT_EQ(msg, "*** " + name + " betritt den Raum.");
        } else if (msg.find(" verl&auml;sst den Raum.") != std::string::npos) {
            ++leaves;
            EXPECT_EQ(msg, "*** " + name + " verl&auml;sst den Raum.");
        } else if (l.Type == 1) {
            toUser += msg.rfind("demo: ", 0) == 0;
            EXPECT_EQ(msg.find('\''), std::string::npos) << "quotes are written as entities";
        }
    }
    EXPECT_GT(songs, 0);
    EXPECT_GT(joins, 0);
    EXPECT_GT(leaves, 0);
    EXPECT_GT(toUser, 0);
    EXPECT_TRUE(HasUser(page, "Lotte")) << "the answering member never leaves";
}

TEST_F(ChatTest, QuietModeHasNobodyUntilToldAndAnsweringMembersReply) {
    ChatLogin login = Login("demo", "demo123");
    GetdataAnswer page = Poll(login.jSessionId);
    EXPECT_EQ(page.Users.size(), 1u);
    EXPECT_EQ(page.Counts.value().Passive, L"0");
    ASSERT_TRUE(sim_.AddMember({.name = "Echo", .answers = true}));
    ASSERT_TRUE(sim_.Set("reply_ms", "0"));
    // A line to somebody else gets no reply; addressing is not case-sensitive.
    // A wrong reply would be queued before the right one and so be seen first.
    ChatLogin other = Login("tester", "tester123");
    Send(other.jSessionId, "demo: hallo");
    Send(login.jSessionId, "echo: test");
    std::vector<std::string> replies;
    for (int i = 0; i < 100 && (replies.empty() || replies.back() != "demo: "); ++i) {
        for (const ChatRecord& l : Poll(login.jSessionId).Chats) {
            if (l.Name == L"Echo" && l.Type == 1) replies.push_back(Bytes(l.Msg).substr(0, 6));
        }
        SystemSleep(20);
    }
    EXPECT_EQ(replies, std::vector<std::string>{"demo: "});
    ASSERT_TRUE(sim_.RemoveMember("Echo"));
    EXPECT_NE(FindLine(Poll(login.jSessionId), "*** Echo verl&auml;sst den Raum."), nullptr);
    EXPECT_FALSE(sim_.RemoveMember("demo")) << "accounts are no members";
}

}  // namespace
}  // namespace vellora::test
