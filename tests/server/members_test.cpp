// The simulated members of the demo and the end-to-end run write their lines
// in the chat's conventions, which the client's reading relies on.

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

    ASSERT_TRUE(sim_.Control("/step", {{"n", "300"}}).Ok());
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

}  // namespace
}  // namespace vellora::test
