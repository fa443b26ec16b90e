// The club web site and the chat server through the client's requests: a
// session from entry to logout, refused entries, how posted text comes back
// in the page, the history of the first poll, and the control interface's
// lines and counts.

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

}  // namespace
}  // namespace vellora::test
