// The getdata grammar: what is read, where reading stops, and what stands
// after a missing marker. Whole pages are read from the simulator in its own
// tests and handled in getdata_answer_test.cpp.

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "chat/getdata_parser.h"

namespace vellora {
namespace {

std::string User(const std::string& id, const std::string& name, const std::string& src) {
    return "{'id':'" + id + "','name':'" + name + "','src':'" + src + "'}";
}

std::string Chat(const std::string& type, const std::string& msg, const std::string& name) {
    return "{'mtype':'" + type + "','msg':'" + msg + "','id':'991','name':'" + name + "','nameStyle':'x'}";
}

using Texts = std::vector<std::wstring>;

// What a body's user list and chat batch read as: "id name src" and
// "type name: msg" per record.
Texts Users(const std::string& body) {
    Texts out;
    for (const ListedUser& u : ParseGetdata(body).Users) {
        out.push_back(std::to_wstring(u.Id) + L" " + u.Name + L" " + u.Src);
    }
    return out;
}
Texts Chats(const std::string& body) {
    Texts out;
    for (const ChatRecord& c : ParseGetdata(body).Chats) {
        out.push_back(std::to_wstring(c.Type) + L" " + c.Name + L": " + c.Msg);
    }
    return out;
}
const std::string kUsers = "top.showUser({'user':[";
const std::string kChats = "var chats={'chats':[";

TEST(GetdataParser, CompletenessAndDenial) {
    EXPECT_FALSE(ParseGetdata("<html>...</HTML>").Complete);
    EXPECT_TRUE(ParseGetdata("<html>...</html>\r\n").Complete);
    EXPECT_FALSE(ParseGetdata("").Complete);
    EXPECT_TRUE(ParseGetdata("</html>").Complete);
    EXPECT_TRUE(ParseGetdata("x Denied, please login. </html>").Denied);
    EXPECT_FALSE(ParseGetdata("Denied, please login </html>").Denied);
}

TEST(GetdataParser, UserListStopsAtTheFirstBadSeparatorAndKeepsWhatWasRead) {
    EXPECT_EQ(Users(kUsers + User("1", "a", "s1") + "," + User("2", "b", "s2") + ", " + User("3", "c", "s3") + "]});"),
              (Texts{L"1 a s1", L"2 b s2"}));
    // A record whose src never ends is dropped; the one before stands.
    EXPECT_EQ(Users(kUsers + User("1", "a", "s1") + ",{'id':'2','name':'b','src':'s2"), (Texts{L"1 a s1"}));
    // An empty list and a list that does not start with a record read nothing.
    EXPECT_EQ(Users(kUsers + "]});</html>"), Texts{});
    EXPECT_EQ(Users(kUsers + " " + User("1", "a", "s") + "]});"), Texts{});
    EXPECT_EQ(Users(kUsers), Texts{});
    // No escaping: a name holding the src marker is cut there.
    EXPECT_EQ(Users(kUsers + "{'id':'1','name':'x','src':'y','src':'z'}]});"), (Texts{L"1 x y','src':'z"}));
    // Only the first user list counts; bytes become one character each.
    EXPECT_EQ(Users(kUsers + User("1", "J\xF6rg", "s") + "]}); " + kUsers + User("2", "second", "s") + "]});"),
              (Texts{L"1 J\u00F6rg s"}));
}

TEST(GetdataParser, UserIdsOutsideTheSigned32BitRangeReadAsZero) {
    const std::pair<const char*, int> cases[] = {
        {"123", 123}, {"-5", -5}, {"007", 7}, {"2147483647", 2147483647}, {"-2147483648", -2147483647 - 1},
        {"2147483648", 0}, {"99999999999999999999999", 0}, {"12a", 0}, {" 12", 0}, {"", 0}, {"-", 0}};
    for (const auto& [text, id] : cases) EXPECT_EQ(ReadListedId(text), id) << text;
}

TEST(GetdataParser, ChatRecordsAndWhereTheBatchEnds) {
    // A type of two characters ends the batch.
    EXPECT_EQ(Chats(kChats + Chat("1", "one", "a") + "," + Chat("2", "two", "b") + "," + Chat("12", "three", "c") +
                    "," + Chat("1", "four", "d") + "]};</html>"),
              (Texts{L"1 a: one", L"2 b: two"}));
    // A non-digit type reads as 0; an empty batch reads nothing.
    EXPECT_EQ(Chats(kChats + Chat("x", "m", "n") + "]}"), (Texts{L"0 n: m"}));
    EXPECT_EQ(Chats(kChats + "]};"), Texts{});
    // The last record needs no separator after it; a record without its
    // style marker is dropped.
    EXPECT_EQ(Chats(kChats + Chat("1", "m1", "n1") + ",{'mtype':'1','msg':'m2','id':'9','name':'n2'}]}"),
              (Texts{L"1 n1: m1"}));
    // Message texts keep control characters and quotes other than the markers.
    EXPECT_EQ(Chats(kChats + Chat("1", "it's \x01\x1A ok", "n") + "]}"), (Texts{L"1 n: it's \x01\x1A ok"}));
}

TEST(GetdataParser, CountsNeedAllThreeMarkers) {
    EXPECT_FALSE(ParseGetdata("top.setUserCounts({'count':{'active':'3', 'passive':'4'}});").Counts.has_value());
    EXPECT_FALSE(ParseGetdata("top.setUserCounts({'count':{'active':'3','passive':'4', 'total':'7'}});").Counts);
    GetdataAnswer a = ParseGetdata("top.setUserCounts({'count':{'active':'', 'passive':'x y', 'total':'7'}});");
    ASSERT_TRUE(a.Counts.has_value());
    EXPECT_EQ(a.Counts->Active, L"");
    EXPECT_EQ(a.Counts->Passive, L"x y");
}

}  // namespace
}  // namespace vellora
