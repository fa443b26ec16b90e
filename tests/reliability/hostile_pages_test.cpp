// Poll pages a hostile server or another user can shape: text that looks
// like protocol, bytes that blank a pane, lines of any length, and user lists
// in any order.

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "chat/getdata_answer.h"
#include "support/fake_clock.h"
#include "support/getdata_body.h"
#include "support/recording_client.h"

namespace vellora {
namespace {

using Names = std::vector<std::wstring>;
using test::Body;

class HostilePages : public ::testing::Test {
protected:
    void SetUp() override {
        rc_.EnterChat();
        client().session.UserName = L"anna";
        client().FriendsAtEntryDone = true;
        client().ChatBatchSeen = true;
    }
    Client& client() { return rc_.client; }
    void Handle(const std::string& body) { HandleGetdataAnswer(client(), body); }

    test::FakeClock clock_;
    test::RecordingClient rc_;
};

TEST_F(HostilePages, OnlyADenialPageEndsTheLoginNotALineQuotingIt) {
    Handle(Body()
               .User("anna")
               .User("Denied, please login.")
               .Line(1, "ben", "they said Denied, please login. to me")
               .Line(1, "ben", "still here")
               .Complete());
    EXPECT_FALSE(client().session.Disconnected);
    EXPECT_TRUE(rc_.StatusLines().empty());
    ASSERT_EQ(rc_.view.lines.size(), 2u);
    EXPECT_EQ(rc_.view.lines[0].msg, L"they said Denied, please login. to me");

    Handle("<html>\r\n<body>\r\nDenied, please login.\r\n</body>\r\n</html>");
    EXPECT_TRUE(client().session.Disconnected);
    EXPECT_EQ(rc_.StatusLines(), (Names{L"Login is no longer valid"}));
}

TEST_F(HostilePages, APageEndingInALineBreakIsComplete) {
    for (const char* end : {"\r\n", "\n", "\r\n\r\n"}) {
        Handle(Body().User("anna").Line(1, "ben", "hi").Complete() + end);
    }
    EXPECT_TRUE(rc_.StatusLines().empty());
    EXPECT_EQ(rc_.view.lines.size(), 3u);
}

TEST_F(HostilePages, ControlBytesNeverReachAPaneDocument) {
    rc_.UseRealView();
    std::string nul = "x";
    nul += '\0';
    nul += "y\x07\x1b\x0b z";
    Handle(Body().User("anna").User("ben").Line(1, "ben", nul).Line(1, "ben", "the line after").Complete());
    const std::string& document = rc_.viewWindow.chatPane.last;
    ASSERT_FALSE(document.empty());
    for (char c : document) {
        EXPECT_TRUE(static_cast<unsigned char>(c) >= 32 || c == '\t' || c == '\r' || c == '\n' || c == '\x01')
            << "control byte " << static_cast<int>(c);
    }
    EXPECT_NE(document.find("xy z"), std::string::npos);
    EXPECT_NE(document.find("the line after"), std::string::npos);
}

TEST_F(HostilePages, AnOverlongLineIsCutBeforeItIsKept) {
    const std::string huge(200000, 'w');
    Handle(Body().User("anna").Line(1, huge, huge).Complete());
    ASSERT_EQ(rc_.view.lines.size(), 1u);
    EXPECT_EQ(rc_.view.lines[0].msg.size(), 65536u);
    EXPECT_EQ(rc_.view.lines[0].user.size(), 65536u);
}

TEST_F(HostilePages, UserListsInAnyOrderMergeIntoTheirOwnOrder) {
    // Large enough that a merge moving the roster for every removal would
    // take its time; what must hold is the order, the rows and the pictures.
    constexpr int kUsers = 3000;
    Body forward;
    Body backward;
    Body odd;
    Body oddBackward;
    for (int i = 0; i < kUsers; ++i) {
        forward.User("u" + std::to_string(i));
        backward.User("u" + std::to_string(kUsers - 1 - i));
        if (i % 2 == 1) odd.User("u" + std::to_string(i));
        if (i % 2 == 0) oddBackward.User("u" + std::to_string(kUsers - 1 - i));
    }
    rc_.pictures.pictureForEveryEntry = true;
    for (const Body* list : {&forward, &backward, &forward, &odd, &oddBackward}) {
        Handle(list->Complete());
        EXPECT_EQ(rc_.RowNames(), rc_.RosterNames());
    }
    ASSERT_EQ(client().roster.size(), static_cast<std::size_t>(kUsers / 2));
    EXPECT_EQ(client().roster.front().Name, L"u2999");
    EXPECT_EQ(client().roster.back().Name, L"u1");
    // Every picture handed out was released once, or is still held.
    std::vector<PictureHandle> released = rc_.pictures.released;
    std::sort(released.begin(), released.end());
    EXPECT_EQ(std::adjacent_find(released.begin(), released.end()), released.end());
    EXPECT_EQ(released.size() + client().roster.size(), rc_.pictures.newEntries.size());
}

}  // namespace
}  // namespace vellora
