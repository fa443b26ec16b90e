// The club web site and the chat server through the client's requests: a
// session from entry to logout, refused entries, how posted text comes back
// in the page, the control interface, the staff's commands and the members.

#include "chat_test.h"

namespace vellora::test {
namespace {

TEST_F(ChatTest, AFreshSessionPollsSendsAndLogsOut) {
    // The login path's markers are read by the client's own login against
    // the simulator; here only what follows.
    std::string jsid = Login("demo", "demo123").jSessionId;
    GetdataAnswer page = Poll(jsid);
    EXPECT_TRUE(page.Complete);
    EXPECT_FALSE(page.Denied);
    ASSERT_EQ(page.Users.size(), 1u);
    EXPECT_EQ(page.Users[0].Id, 501001);
    EXPECT_EQ(page.Users[0].Name, L"demo");
    const ChatRecord* join = FindLine(page, "*** demo betritt den Raum.");
    ASSERT_NE(join, nullptr);
    EXPECT_EQ(join->Type, 2);
    EXPECT_EQ(join->Name, L"demo");
    ASSERT_TRUE(page.Counts.has_value());
    EXPECT_EQ(page.Counts->Active + L"/" + page.Counts->Passive, L"1/0");

    Send(jsid, "Hallo zusammen");
    page = Poll(jsid);
    ASSERT_EQ(page.Chats.size(), 1u) << "only the line new since the last poll";
    EXPECT_EQ(page.Chats[0].Type, 1);
    EXPECT_EQ(page.Chats[0].Msg, L"Hallo zusammen");
    EXPECT_EQ(page.Chats[0].Name, L"demo");

    // Logout: the session is gone, and others see the user leave.
    ChatLogin other = Login("tester", "tester123");
    Get(LogoutRequest(kSimEndpoints, jsid));
    EXPECT_TRUE(Poll(jsid).Denied);
    GetdataAnswer seen;
    ASSERT_TRUE(PollUntil(other.jSessionId, "*** demo verl&auml;sst den Raum.", &seen));
    EXPECT_FALSE(HasUser(seen, "demo"));
    EXPECT_TRUE(HasUser(seen, "tester"));
}

TEST_F(ChatTest, FailedLoginsGetNoEntry) {
    // Names are matched without regard to case, passwords are not: a PHP
    // site hands out a session either way, but no user id.
    EXPECT_TRUE(LoginToChat(sim_.Port(), "DEMO", "demo123").Ok());
    EXPECT_EQ(LoginToChat(sim_.Port(), "demo", "DEMO123").failure, L"Could not retrieve user id");
    EXPECT_EQ(LoginToChat(sim_.Port(), "refused", "refused123").failure, kRefused);

    // Chat requests without a valid session are denied.
    EXPECT_NE(Get(ParticipateRequest(kSimEndpoints, "BOGUS")).find("Denied, please login."), std::string::npos);
    GetdataAnswer page = Poll("BOGUS");
    EXPECT_TRUE(page.Denied);
    EXPECT_TRUE(page.Complete) << "a denial is no incomplete package";
    EXPECT_NE(Send("BOGUS", "hi").find("Denied, please login."), std::string::npos);
}

TEST_F(ChatTest, PostedTextComesBackEscapedForThePage) {
    ChatLogin login = Login("demo", "demo123");
    Poll(login.jSessionId);
    // Quotes, markup, line breaks, Latin-1 bytes, the hidden-text control
    // characters (kept) and other control characters (dropped).
    std::string text = "it's \"x\" & <b>\r\nzwei\ndrei\rvier \xE4\xDF \x01\x05\x0F\x1A|\x06\x0B\x1B\x7F|\tTab";
    Send(login.jSessionId, text);
    EXPECT_EQ(Messages(Poll(login.jSessionId)),
              std::vector<std::string>{
                  "it&#39;s &quot;x&quot; &amp; &lt;b&gt;<br>zwei<br>drei<br>vier \xE4\xDF \x01\x05\x0F\x1A||\tTab"});

    // The page's one lost-login text may not stand in a chat line.
    Send(login.jSessionId, "Denied, please login.");
    std::string body = PollBody(login.jSessionId);
    EXPECT_EQ(body.find("Denied, please login."), std::string::npos);
    EXPECT_NE(body.find("Denied&#44; please login."), std::string::npos);
    // Nor the chunked coding's header, which would mislead a reader of an
    // answer without length information.
    Send(login.jSessionId, "x TRANSFER-ENCODING: Chunked y transfer-encoding: chunked");
    EXPECT_EQ(Messages(Poll(login.jSessionId)),
              std::vector<std::string>{"x TRANSFER-ENCODING&#58; Chunked y transfer-encoding&#58; chunked"});

    // Percent escapes as a browser writes them, "+" included.
    Get(SendMessageRequest(kSimEndpoints, login.jSessionId, "a+b%2Bc%zz"));
    EXPECT_EQ(Messages(Poll(login.jSessionId)), std::vector<std::string>{"a b+c%zz"});
}

TEST_F(ChatTest, FirstPollCarriesRecentHistoryAndLaterPollsOnlyNewLines) {
    ASSERT_TRUE(sim_.Control("/set", {{"history", "3"}}).Ok());
    for (int i = 1; i <= 5; ++i) ASSERT_TRUE(sim_.Say("someone", "line " + std::to_string(i)));
    ChatLogin login = Login("demo", "demo123");
    EXPECT_EQ(Messages(Poll(login.jSessionId)),
              (std::vector<std::string>{"line 3", "line 4", "line 5", "*** demo betritt den Raum."}));
    EXPECT_TRUE(Poll(login.jSessionId).Chats.empty());
}

TEST_F(ChatTest, LinesAndCountsOfTheControlInterface) {
    ChatLogin login = Login("demo", "demo123");
    Poll(login.jSessionId);
    ASSERT_TRUE(sim_.Say("bob", "Grüße"));
    ASSERT_TRUE(sim_.Say("bob", "Gr\xFC\xDF" "e", true));
    ASSERT_TRUE(sim_.SetCounts(7, 42));
    GetdataAnswer page = Poll(login.jSessionId);
    EXPECT_EQ(Messages(page), (std::vector<std::string>{"Gr&uuml;&szlig;e", "Gr\xFC\xDF" "e"}));
    EXPECT_EQ(page.Counts.value().Active + L"/" + page.Counts->Passive, L"7/42");
    ASSERT_TRUE(sim_.SetCounts(-1, 0));
    EXPECT_EQ(Poll(login.jSessionId).Counts.value().Active, L"1");
    EXPECT_EQ(sim_.Control("/say", {{"user", "bad'name"}, {"text", "x"}}).status, 400);
}

// The staff's commands, typed as chat lines or given through the control
// interface, and what the kicked or banned user's client gets to see.
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

// The simulated members of the demo and the end-to-end run write their lines
// in the chat's conventions, which the client's reading relies on.
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
