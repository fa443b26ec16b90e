// The club web site and the chat server through the client's requests:
// login, user id, entry, participation, polling, sending, logout, profiles
// and avatars, and how posted text comes back in the page.

#include <chrono>
#include <thread>

#include "chat_test.h"

namespace vellora::test {
namespace {

TEST_F(ChatTest, AFreshSessionPollsSendsAndLogsOut) {
    // The login path's markers are read by the client's own login against
    // the simulator; here only what follows.
    std::string jsid = Login("demo", "demo123").jSessionId;
    GetDataPage page = Poll(jsid);
    EXPECT_TRUE(page.endsWithHtml);
    EXPECT_FALSE(page.denied);
    ASSERT_EQ(page.users.size(), 1u);
    EXPECT_EQ(page.users[0].id, "501001");
    EXPECT_EQ(page.users[0].name, "demo");
    const PageLine* join = page.FindLine("*** demo betritt den Raum.");
    ASSERT_NE(join, nullptr);
    EXPECT_EQ(join->type, 2);
    EXPECT_EQ(join->name, "demo");
    EXPECT_EQ(page.active + "/" + page.passive + "/" + page.total, "1/0/1");

    Send(jsid, "Hallo zusammen");
    page = Poll(jsid);
    ASSERT_EQ(page.lines.size(), 1u) << "only the line new since the last poll";
    EXPECT_EQ(page.lines[0].type, 1);
    EXPECT_EQ(page.lines[0].msg, "Hallo zusammen");
    EXPECT_EQ(page.lines[0].name, "demo");

    // Logout: the session is gone, and others see the user leave.
    ChatLogin other = Login("tester", "tester123");
    Get(LogoutRequest(jsid));
    EXPECT_TRUE(Poll(jsid).denied);
    GetDataPage seen;
    ASSERT_TRUE(PollUntil(other.jSessionId, "*** demo verl&auml;sst den Raum.", &seen));
    EXPECT_FALSE(seen.HasUser("demo"));
    EXPECT_TRUE(seen.HasUser("tester"));
}

TEST_F(ChatTest, FailedLoginsStillGetASessionButNoEntry) {
    std::string answer = Get(LoginRequest("demo", "wrong"), true);
    std::string php = SetCookieValue(answer, "PHPSESSID");
    ASSERT_FALSE(php.empty()) << "a PHP site hands out a session either way";
    std::string home = Get(HomeRequest(php));
    EXPECT_EQ(home.find("logoutContent"), std::string::npos);
    EXPECT_EQ(home.find("/club/clubcard/"), std::string::npos);

    const std::string refusal = "Ein Login in den Chat ist nicht m&ouml;glich.";
    EXPECT_NE(Get(EnterRequest("501001", php), true).find(refusal), std::string::npos);

    // A good web login, but the wrong user id or an unknown session.
    ChatLogin good = Login("tester", "tester123");
    EXPECT_NE(Get(EnterRequest("501001", good.phpSessionId), true).find(refusal), std::string::npos);
    EXPECT_NE(Get(EnterRequest("501002", "nosuchsession"), true).find(refusal), std::string::npos);

    // Names are matched without regard to case, passwords are not.
    EXPECT_TRUE(LoginToChat(sim_.Port(), "DEMO", "demo123").Ok());
    EXPECT_FALSE(LoginToChat(sim_.Port(), "demo", "DEMO123").Ok());

    // The account the chat refuses.
    ChatLogin refused = LoginToChat(sim_.Port(), "refused", "refused123");
    EXPECT_EQ(refused.failure, "chat entry refused");

    // Chat requests without a valid session are denied.
    EXPECT_NE(Get(ParticipateRequest("BOGUS")).find("Denied, please login."), std::string::npos);
    GetDataPage page = Poll("BOGUS");
    EXPECT_TRUE(page.denied);
    EXPECT_TRUE(page.endsWithHtml) << "a denial is no incomplete package";
    EXPECT_NE(Send("BOGUS", "hi").find("Denied, please login."), std::string::npos);
}

TEST_F(ChatTest, LogoutBlockQuotesCanBeSwitched) {
    ChatLogin login = Login("demo", "demo123");
    ASSERT_TRUE(sim_.Set("logout_quotes", "single"));
    std::string home = Get(HomeRequest(login.phpSessionId));
    EXPECT_NE(home.find("<div id='logoutContent'>"), std::string::npos);
    EXPECT_EQ(home.find("<div id=\"logoutContent\">"), std::string::npos);
    EXPECT_EQ(ClubcardUserId(home), "501001");
    EXPECT_FALSE(sim_.Set("logout_quotes", "curly"));
}

TEST_F(ChatTest, ProfilePagesCarryTheAgeAndPlaceCells) {
    ASSERT_TRUE(sim_.AddAccount({.name = "anna", .password = "pw", .uid = 17, .age = "25", .place = "München"}));
    std::string page = Get(ProfileRequest(17));
    EXPECT_NE(page.find("<td class='left'>Alter:</td><td>25</td>"), std::string::npos) << page;
    EXPECT_NE(page.find("<td>Ort:</td><td>M&uuml;nchen&nbsp;&nbsp;(<img src='"), std::string::npos) << page;

    // tester has no age: the cell is there, but empty.
    page = Get(ProfileRequest(501002));
    EXPECT_NE(page.find("<td class='left'>Alter:</td><td></td>"), std::string::npos);
    EXPECT_NE(page.find("<td>Ort:</td><td>K&ouml;ln&nbsp;&nbsp;(<img src='"), std::string::npos);

    EXPECT_EQ(Get(ProfileRequest(999999)).find("Alter:"), std::string::npos);
}

TEST_F(ChatTest, AvatarsAreJpegPortraitsAndDefaultsAreNamedByGenderAndAge) {
    // The portraits' bytes reach the client's decoder in the view's simulator test.
    std::string portrait = "http://club.sendrix.test/sendrix/incl/images/club/avatar/l/portrait03.jpg";
    EXPECT_NE(Get(AvatarRequest(portrait), true).find("Content-Type: image/jpeg"), std::string::npos);
    EXPECT_EQ(Get(AvatarRequest("/sendrix/incl/images/club/avatar/l/nosuch.jpg"), true).find("image/jpeg"),
              std::string::npos);

    ASSERT_TRUE(sim_.AddMember({.name = "young", .age = "16", .gender = 'm'}));
    ASSERT_TRUE(sim_.AddMember({.name = "older", .age = "50"}));
    ASSERT_TRUE(sim_.AddMember({.name = "pictured", .picture = "portrait05.jpg"}));
    ChatLogin login = Login("demo", "demo123");
    GetDataPage page = Poll(login.jSessionId);
    const std::string prefix = "http://club.sendrix.test/sendrix/incl/images/club/avatar/s/";
    ASSERT_EQ(page.users.size(), 4u);
    EXPECT_EQ(page.users[0].src, prefix + "M_UNDER18.jpg");
    EXPECT_EQ(page.users[1].src, prefix + "F_OVER45.jpg");
    EXPECT_EQ(page.users[2].src, prefix + "portrait05.jpg");
    EXPECT_EQ(page.users[3].name, "demo") << "users are listed in the order they came";
}

TEST_F(ChatTest, PostedTextComesBackEscapedForThePage) {
    ChatLogin login = Login("demo", "demo123");
    Poll(login.jSessionId);
    // Quotes, markup, line breaks, Latin-1 bytes, the hidden-text control
    // characters (kept) and other control characters (dropped).
    std::string text = "it's \"x\" & <b>\r\nzwei\ndrei\rvier \xE4\xDF \x01\x05\x0F\x1A|\x06\x0B\x1B\x7F|\tTab";
    Send(login.jSessionId, text);
    GetDataPage page = Poll(login.jSessionId);
    ASSERT_EQ(page.lines.size(), 1u);
    EXPECT_EQ(page.lines[0].msg,
              "it&#39;s &quot;x&quot; &amp; &lt;b&gt;<br>zwei<br>drei<br>vier \xE4\xDF \x01\x05\x0F\x1A||\tTab");

    // The page's one lost-login text may not stand in a chat line.
    Send(login.jSessionId, "Denied, please login.");
    std::string body = PollBody(login.jSessionId);
    EXPECT_EQ(body.find("Denied, please login."), std::string::npos);
    EXPECT_NE(body.find("Denied&#44; please login."), std::string::npos);
    // Nor the chunked coding's header, which would mislead a reader of an
    // answer without length information.
    Send(login.jSessionId, "x TRANSFER-ENCODING: Chunked y transfer-encoding: chunked");
    EXPECT_EQ(Poll(login.jSessionId).lines.at(0).msg,
              "x TRANSFER-ENCODING&#58; Chunked y transfer-encoding&#58; chunked");

    // Percent escapes as a browser writes them, "+" included.
    Get(SendMessageRequest(login.jSessionId, "a+b%2Bc%zz"));
    EXPECT_EQ(Poll(login.jSessionId).lines.at(0).msg, "a b+c%zz");
}

TEST_F(ChatTest, FirstPollCarriesRecentHistoryAndLaterPollsOnlyNewLines) {
    ASSERT_TRUE(sim_.Set("history", "3"));
    for (int i = 1; i <= 5; ++i) ASSERT_TRUE(sim_.Say("someone", "line " + std::to_string(i)));
    ChatLogin login = Login("demo", "demo123");
    GetDataPage page = Poll(login.jSessionId);
    std::vector<std::string> expected = {"line 3", "line 4", "line 5", "*** demo betritt den Raum."};
    EXPECT_EQ(page.Messages(), expected);
    EXPECT_TRUE(Poll(login.jSessionId).lines.empty());
    ASSERT_TRUE(sim_.Say("someone", "line 6"));
    EXPECT_EQ(Poll(login.jSessionId).Messages(), std::vector<std::string>{"line 6"});
}

TEST_F(ChatTest, ControlLinesAndCounts) {
    ChatLogin login = Login("demo", "demo123");
    Poll(login.jSessionId);
    ASSERT_TRUE(sim_.Say("bob", "Grüße"));
    ASSERT_TRUE(sim_.Say("bob", "Gr\xFC\xDF" "e", true));
    ASSERT_TRUE(sim_.SayRaw("bob", "&hearts; raw", 3));
    ASSERT_TRUE(sim_.System("*** bob macht Pause", "bob"));
    ASSERT_TRUE(sim_.Team("Heute Party!"));
    ASSERT_TRUE(sim_.SetCounts(7, 42));
    GetDataPage page = Poll(login.jSessionId);
    std::vector<std::string> expected = {"Gr&uuml;&szlig;e", "Gr\xFC\xDF" "e", "&hearts; raw", "*** bob macht Pause",
                                         "*** SENDRIX TALMOR Club Team:  Heute Party!"};
    EXPECT_EQ(page.Messages(), expected);
    EXPECT_EQ(page.lines[2].type, 3);
    EXPECT_EQ(page.lines[3].type, 2);
    EXPECT_EQ(page.active, "7");
    EXPECT_EQ(page.passive, "42");
    EXPECT_EQ(page.total, "49");
    ASSERT_TRUE(sim_.SetCounts(-1, 0));
    EXPECT_EQ(Poll(login.jSessionId).active, "1");

    EXPECT_EQ(sim_.Control("/say", {{"user", "bad'name"}, {"text", "x"}}).status, 400);
    EXPECT_EQ(sim_.Control("/nonsense").status, 404);
}

class ExpiryTest : public ChatTest {
protected:
    ExpiryTest() : ChatTest(SimulatorConfig{.sessionTimeoutS = 1}) {}
};

TEST_F(ExpiryTest, ASessionThatStopsPollingIsDroppedWithALeaveLine) {
    ChatLogin idle = Login("demo", "demo123");
    ChatLogin active = Login("tester", "tester123");
    Poll(idle.jSessionId);
    GetDataPage seen;
    // tester keeps polling; demo stops and is gone after the timeout.
    ASSERT_TRUE(PollUntil(active.jSessionId, "*** demo verl&auml;sst den Raum.", &seen));
    EXPECT_FALSE(seen.HasUser("demo"));
    EXPECT_TRUE(Poll(idle.jSessionId).denied);
    EXPECT_EQ(sim_.Sessions().find("demo"), std::string::npos);
}

}  // namespace
}  // namespace vellora::test
