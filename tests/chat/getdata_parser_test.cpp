// The getdata grammar: what is read, where reading stops, and what stands
// after a missing marker.

#include <gtest/gtest.h>

#include <string>
#include <utility>

#include "chat/getdata_parser.h"

namespace vellora {
namespace {

std::string User(const std::string& id, const std::string& name, const std::string& src) {
    return "{'id':'" + id + "','name':'" + name + "','src':'" + src + "'}";
}

std::string Chat(const std::string& type, const std::string& msg, const std::string& name) {
    return "{'mtype':'" + type + "','msg':'" + msg + "','id':'991','name':'" + name + "','nameStyle':'x'}";
}

const std::string kExample =
    "<html><script>\n"
    "top.showUser({'user':[{'id':'17','name':'anna','src':'pic/a.jpg'},{'id':'23','name':'ben','src':'pic/b.jpg'}]});\n"
    "var chats={'chats':[{'mtype':'1','msg':'Hallo &amp; Servus','id':'991','name':'anna','nameStyle':'x'}]};\n"
    "top.setUserCounts({'count':{'active':'2', 'passive':'5', 'total':'7'}});\n"
    "</script></html>";

TEST(GetdataParser, ReadsTheThreeStatementsOfACompleteAnswer) {
    GetdataAnswer a = ParseGetdata(kExample);
    EXPECT_TRUE(a.Complete);
    EXPECT_FALSE(a.Denied);
    ASSERT_EQ(a.Users.size(), 2u);
    EXPECT_EQ(a.Users[0].Id, 17);
    EXPECT_EQ(a.Users[0].Name, L"anna");
    EXPECT_EQ(a.Users[0].Src, L"pic/a.jpg");
    EXPECT_EQ(a.Users[1].Id, 23);
    EXPECT_EQ(a.Users[1].Name, L"ben");
    ASSERT_EQ(a.Chats.size(), 1u);
    EXPECT_EQ(a.Chats[0].Type, 1);
    EXPECT_EQ(a.Chats[0].Name, L"anna");
    EXPECT_EQ(a.Chats[0].Msg, L"Hallo &amp; Servus");  // entities are the renderer's
    ASSERT_TRUE(a.Counts.has_value());
    EXPECT_EQ(a.Counts->Active, L"2");
    EXPECT_EQ(a.Counts->Passive, L"5");
}

TEST(GetdataParser, CompletenessAndDenial) {
    EXPECT_FALSE(ParseGetdata("<html>...</HTML>").Complete);
    EXPECT_TRUE(ParseGetdata("<html>...</html>\r\n").Complete);
    EXPECT_FALSE(ParseGetdata("").Complete);
    EXPECT_TRUE(ParseGetdata("</html>").Complete);
    EXPECT_TRUE(ParseGetdata("x Denied, please login. </html>").Denied);
    EXPECT_FALSE(ParseGetdata("Denied, please login </html>").Denied);
}

TEST(GetdataParser, UserListStopsAtTheFirstBadSeparatorAndKeepsWhatWasRead) {
    std::string body = "top.showUser({'user':[" + User("1", "a", "s1") + "," + User("2", "b", "s2") + ", " +
                       User("3", "c", "s3") + "]});</html>";
    GetdataAnswer a = ParseGetdata(body);
    ASSERT_EQ(a.Users.size(), 2u);
    EXPECT_EQ(a.Users[1].Name, L"b");

    // A record whose src never ends is dropped; the one before stands.
    a = ParseGetdata("top.showUser({'user':[" + User("1", "a", "s1") + ",{'id':'2','name':'b','src':'s2");
    ASSERT_EQ(a.Users.size(), 1u);
    EXPECT_EQ(a.Users[0].Name, L"a");

    // An empty list and a list that does not start with a record read nothing.
    EXPECT_TRUE(ParseGetdata("top.showUser({'user':[]});</html>").Users.empty());
    EXPECT_TRUE(ParseGetdata("top.showUser({'user':[ {'id':'1','name':'a','src':'s'}]});").Users.empty());
    EXPECT_TRUE(ParseGetdata("top.showUser({'user':[").Users.empty());
}

TEST(GetdataParser, ValuesEndAtTheFirstTextThatFollowsThem) {
    // No escaping: a name holding the src marker is cut there.
    GetdataAnswer a = ParseGetdata("top.showUser({'user':[{'id':'1','name':'x','src':'y','src':'z'}]});");
    ASSERT_EQ(a.Users.size(), 1u);
    EXPECT_EQ(a.Users[0].Name, L"x");
    EXPECT_EQ(a.Users[0].Src, L"y','src':'z");

    // Only the first user list counts.
    a = ParseGetdata("top.showUser({'user':[" + User("1", "first", "s") + "]}); top.showUser({'user':[" +
                     User("2", "second", "s") + "]});");
    ASSERT_EQ(a.Users.size(), 1u);
    EXPECT_EQ(a.Users[0].Name, L"first");
}

TEST(GetdataParser, UserIdsOutsideTheSigned32BitRangeReadAsZero) {
    const std::pair<const char*, int> cases[] = {
        {"123", 123}, {"-5", -5}, {"007", 7}, {"2147483647", 2147483647}, {"-2147483648", -2147483647 - 1},
        {"2147483648", 0}, {"99999999999999999999999", 0}, {"12a", 0}, {" 12", 0}, {"", 0}, {"-", 0}};
    for (const auto& [text, id] : cases) EXPECT_EQ(ReadListedId(text), id) << text;
}

TEST(GetdataParser, ChatBatchEndsAtATypeOfTwoCharacters) {
    std::string body = "var chats={'chats':[" + Chat("1", "one", "a") + "," + Chat("2", "two", "b") + "," +
                       Chat("12", "three", "c") + "," + Chat("1", "four", "d") + "]};</html>";
    GetdataAnswer a = ParseGetdata(body);
    ASSERT_EQ(a.Chats.size(), 2u);
    EXPECT_EQ(a.Chats[0].Msg, L"one");
    EXPECT_EQ(a.Chats[1].Type, 2);
    EXPECT_EQ(a.Chats[1].Name, L"b");
}

TEST(GetdataParser, ChatRecordsAndTheirOddities) {
    // A non-digit type reads as 0; an empty batch reads nothing.
    GetdataAnswer a = ParseGetdata("var chats={'chats':[" + Chat("x", "m", "n") + "]}");
    ASSERT_EQ(a.Chats.size(), 1u);
    EXPECT_EQ(a.Chats[0].Type, 0);
    EXPECT_TRUE(ParseGetdata("var chats={'chats':[]};").Chats.empty());

    // The last record needs no separator after it; a record without its
    // style marker is dropped.
    a = ParseGetdata("var chats={'chats':[" + Chat("1", "m1", "n1") +
                     ",{'mtype':'1','msg':'m2','id':'9','name':'n2'}]}");
    ASSERT_EQ(a.Chats.size(), 1u);
    EXPECT_EQ(a.Chats[0].Name, L"n1");

    // Message texts keep control characters and quotes other than the markers.
    a = ParseGetdata("var chats={'chats':[" + Chat("1", "it's \x01\x1A ok", "n") + "]}");
    ASSERT_EQ(a.Chats.size(), 1u);
    EXPECT_EQ(a.Chats[0].Msg, L"it's \x01\x1A ok");
}

TEST(GetdataParser, CountsNeedAllThreeMarkers) {
    GetdataAnswer a = ParseGetdata("top.setUserCounts({'count':{'active':'3', 'passive':'4'}});");
    EXPECT_FALSE(a.Counts.has_value());
    a = ParseGetdata("top.setUserCounts({'count':{'active':'3','passive':'4', 'total':'7'}});");
    EXPECT_FALSE(a.Counts.has_value());
    a = ParseGetdata("top.setUserCounts({'count':{'active':'', 'passive':'x y', 'total':'7'}});");
    ASSERT_TRUE(a.Counts.has_value());
    EXPECT_EQ(a.Counts->Active, L"");
    EXPECT_EQ(a.Counts->Passive, L"x y");
}

TEST(GetdataParser, BytesBecomeOneCharacterEach) {
    GetdataAnswer a = ParseGetdata("top.showUser({'user':[" + User("1", "J\xF6rg", "s") + "]});");
    ASSERT_EQ(a.Users.size(), 1u);
    ASSERT_EQ(a.Users[0].Name.size(), 4u);
    EXPECT_EQ(a.Users[0].Name[1], L'\xF6');
}

}  // namespace
}  // namespace vellora
