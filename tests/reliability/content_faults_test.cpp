// What hostile servers, other users and cut files can put before the client:
// text that looks like protocol, bytes that blank a pane, lines of any size,
// settings files cut or saved by an editor.

#include <gtest/gtest.h>

#include <filesystem>

#include "chat/getdata_answer.h"
#include "config/config_file.h"
#include "config/config_folder.h"
#include "config/config_test_support.h"
#include "core/files.h"
#include "support/fake_clock.h"
#include "support/getdata_body.h"
#include "support/recording_client.h"

namespace vellora {
namespace {

using Names = std::vector<std::wstring>;
using test::Body;

class ContentFaults : public ::testing::Test {
protected:
    void SetUp() override {
        rc_.EnterChat();
        client().session.UserName = L"anna";
        client().FriendsAtEntryDone = client().ChatBatchSeen = true;
    }
    Client& client() { return rc_.client; }
    void Handle(const std::string& body) { HandleGetdataAnswer(client(), body); }
    test::FakeClock clock_;
    test::RecordingClient rc_;
};

TEST_F(ContentFaults, OnlyADenialPageEndsTheLoginAndALineBreakAfterThePageChangesNothing) {
    Handle(Body().User("anna").User("Denied, please login.").Line(1, "ben", "Denied, please login. he said").Complete() +
           "\r\n");
    EXPECT_FALSE(client().session.Disconnected);
    EXPECT_TRUE(rc_.StatusLines().empty());
    EXPECT_EQ(rc_.view.lines.size(), 1u);
    Handle("<html><body>Denied, please login.</body></html>");
    EXPECT_EQ(rc_.StatusLines(), Names{L"Login is no longer valid"});
}

TEST_F(ContentFaults, NoControlByteReachesAPaneAndOverlongLinesAreCut) {
    rc_.UseRealView();
    Handle(Body().User("anna").Line(1, "ben", std::string("x\0y\x07\x1b z", 7)).Line(1, "ben", "after").Complete());
    const std::string& document = rc_.viewWindow.chatPane.last;
    for (unsigned char c : document) EXPECT_TRUE(c >= 32 || c == '\t' || c == '\r' || c == '\n' || c == 1) << +c;
    EXPECT_NE(document.find("xy z"), std::string::npos);
    EXPECT_NE(document.find("after"), std::string::npos);

    const std::string huge(200000, 'w');
    Handle(Body().Line(1, huge, huge).Complete());
    EXPECT_EQ(client().MainRing.Line(client().MainRing.Count() - 1).Text.size(), 65536u);
}

TEST(SettingsFileFaults, ACutSaveLeavesTheOldFileAndAnEditorsMarkLosesNoKey) {
    test::TempAppData appData;
    Session session;
    session.ConfigName = L"bob";
    Settings settings;
    settings.ShowTimes = true;
    RelationLists lists;
    lists.Friends = {L"anna"};
    ASSERT_TRUE(SaveConfig(session, settings, lists));
    const std::string before = test::ReadSettingsFile(L"bob");
    EXPECT_EQ(ListFiles(appData.SettingsFolder(), L"*"), Names{L"bob.vel"});  // nothing else left behind
    // Where the new file would go stands a folder: the old file stays whole.
    std::filesystem::create_directory(std::filesystem::path(ReplacementPath(ConfigFilePath(L"bob"))));
    EXPECT_FALSE(SaveConfig(session, Settings{}, RelationLists{}));
    EXPECT_EQ(test::ReadSettingsFile(L"bob"), before);

    test::WriteSettingsFile(L"eve", "\xEF\xBB\xBFShowTimes=1\r\nFriends=J\xC3\xBCrgen\r\n");
    test::RecordingEffects effects;
    ApplyConfig(L"eve", true, session, settings = {}, lists = {}, effects);
    EXPECT_TRUE(settings.ShowTimes);
    EXPECT_EQ(lists.Friends, Names{L"J\u00FCrgen"});
}

}  // namespace
}  // namespace vellora
