// The settings file against cut writes and an editor's byte-order mark.

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "config/config_file.h"
#include "config/config_folder.h"
#include "config/config_lines.h"
#include "config/config_test_support.h"
#include "core/files.h"

namespace vellora {
namespace {

using Names = std::vector<std::wstring>;

struct Account {
    Session session;
    Settings settings;
    RelationLists lists;
    test::RecordingEffects effects;

    explicit Account(const std::wstring& name) { session.ConfigName = name; }
    void Read() { ApplyConfig(session.ConfigName, true, session, settings, lists, effects); }
    bool Save() { return SaveConfig(session, settings, lists); }
};

TEST(SettingsFile, ASaveThatCannotCompleteLeavesTheOldFileWhole) {
    test::TempAppData appData;
    Account bob(L"bob");
    bob.settings.ShowTimes = true;
    bob.lists.Friends = {L"anna", L"carl"};
    ASSERT_TRUE(bob.Save());
    const std::string before = test::ReadSettingsFile(L"bob");
    // The new file is written beside the old one first and then takes its
    // place: the save leaves nothing else behind.
    EXPECT_EQ(ListFiles(appData.SettingsFolder(), L"*"), Names{L"bob.vel"});

    // A folder where the new file would go: the save fails before it could
    // touch the old file.
    std::filesystem::create_directory(std::filesystem::path(ReplacementPath(ConfigFilePath(L"bob"))));
    bob.lists.Friends = {};
    bob.settings.ShowTimes = false;
    EXPECT_FALSE(bob.Save());
    EXPECT_EQ(test::ReadSettingsFile(L"bob"), before);

    Account again(L"bob");
    again.Read();
    EXPECT_TRUE(again.settings.ShowTimes);
    EXPECT_EQ(again.lists.Friends, (Names{L"anna", L"carl"}));
}

TEST(SettingsFile, AFileSavedAsUtf8WithItsMarkKeepsItsFirstKeyAndItsLetters) {
    test::TempAppData appData;
    test::WriteSettingsFile(L"eve", "\xEF\xBB\xBFShowTimes=1\r\nFriends=J\xC3\xBCrgen,anna\r\n");
    Account eve(L"eve");
    eve.Read();
    EXPECT_TRUE(eve.settings.ShowTimes);
    EXPECT_EQ(eve.lists.Friends, (Names{L"J\u00FCrgen", L"anna"}));
    // Saving writes the program's own format again.
    ASSERT_TRUE(eve.Save());
    EXPECT_EQ(test::ReadSettingsFile(L"eve").substr(0, 2), "\xFF\xFE");
}

}  // namespace
}  // namespace vellora
