#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "config/account_list.h"
#include "config/config_file.h"
#include "config/config_folder.h"
#include "config/portable.h"
#include "config/config_test_support.h"
#include "core/files.h"

namespace vellora {
namespace {

using Names = std::vector<std::wstring>;

TEST(ConfigFolder, IsCreatedLevelByLevelBelowTheApplicationDataFolder) {
    test::TempAppData appData;
    std::wstring expected = appData.SettingsFolder();
    EXPECT_FALSE(FolderExists(expected.substr(0, expected.size() - 1)));
    EXPECT_EQ(ConfigFolder(), expected);
    EXPECT_TRUE(FolderExists(expected.substr(0, expected.size() - 1)));
    // Once it exists the answer stays the same.
    EXPECT_EQ(ConfigFolder(), expected);
    EXPECT_EQ(ConfigFilePath(L"Bob"), expected + L"Bob.vel");

    // Blanks around the application-data path and a trailing separator are
    // taken away or kept as they come.
    OverrideAppDataFolder(L" " + appData.Root() + kPathSeparator + L" ");
    EXPECT_EQ(ConfigFolder(), expected);
}

TEST(ConfigFolder, FallsBackToTheProgramFolder) {
    test::TempAppData appData;
    // A file where the folder "morvex" has to go.
    std::wstring blocker = appData.Root() + kPathSeparator + L"morvex";
    ASSERT_TRUE(WriteFileBytes(blocker, "x"));
    std::wstring programFolder = ProgramFolder();
    ASSERT_FALSE(programFolder.empty());
    EXPECT_EQ(programFolder.back(), kPathSeparator);
    EXPECT_EQ(ConfigFolder(), programFolder);
}

TEST(ConfigFolder, AccountsAreTheSettingsFilesNamesSortedWithoutRegardToCase) {
    test::TempAppData appData;
    EXPECT_TRUE(ListAccounts().empty());
    std::wstring folder = ConfigFolder();
    for (const wchar_t* name :
         {L"bob.vel", L"Alice.VEL", L"carol.vel", L"  Dave .vel", L".vel", L"   .vel", L"notes.txt", L"x.vell"}) {
        ASSERT_TRUE(WriteFileBytes(folder + name, "AutoLogin=0"));
    }
    ASSERT_TRUE(CreateFolder(folder + L"folder.vel"));
    std::vector<std::wstring> names = ListFiles(folder, std::wstring(kConfigPattern));
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (Names{L"   .vel", L"  Dave .vel", L".vel", L"Alice.VEL", L"bob.vel", L"carol.vel"}));
    EXPECT_TRUE(ListFiles(folder + L"missing", L"*.vel").empty());
    EXPECT_EQ(ListAccounts(), (Names{L"Alice", L"bob", L"carol", L"Dave"}));

    // Names that differ only in case keep the order they were listed in.
    EXPECT_EQ(AccountNamesFromFiles({L"bob.vel", L"Bob.vel"}), (Names{L"bob", L"Bob"}));
    EXPECT_TRUE(AccountNamesFromFiles({L"vel", L""}).empty());
}

// A file named "portable" beside the program keeps the settings there and
// nothing in the application-data folder; a save that fails there is told
// once, not at every change.
TEST(ConfigFolder, PortableCopyKeepsItsSettingsBesideTheProgram) {
    test::TempAppData appData;
    const std::wstring program = appData.Root() + kPathSeparator + L"stick" + kPathSeparator;
    ASSERT_TRUE(CreateFolder(program.substr(0, program.size() - 1)));
    OverrideProgramFolder(program);
    Names notices;
    SetSettingsNotSavedNotice([&notices](const std::wstring& folder) { notices.push_back(folder); });
    Session session;
    Settings settings;
    RelationLists lists;

    ASSERT_TRUE(CreateFolder(program + L"portable"));  // a folder of that name is no marker
    EXPECT_EQ(ConfigFolder(), appData.SettingsFolder());
    std::filesystem::remove_all(std::filesystem::path(appData.Root()) / "morvex");
    std::filesystem::remove(std::filesystem::path(program + L"portable"));
    ASSERT_TRUE(WriteFileBytes(program + L"portable", ""));

    EXPECT_EQ(ConfigFolder(), program);
    session.ConfigName = L"bob";
    EXPECT_TRUE(SaveConfig(session, settings, lists));
    EXPECT_TRUE(ReadFileBytes(program + L"bob.vel", kConfigFileLimit).has_value());
    EXPECT_FALSE(FolderExists(appData.Root() + kPathSeparator + L"morvex"));
    EXPECT_EQ(ListAccounts(), Names{L"bob"});

    ASSERT_TRUE(CreateFolder(program + L"carol.vel"));  // takes no file
    session.ConfigName = L"carol";
    EXPECT_FALSE(SaveConfig(session, settings, lists));
    EXPECT_FALSE(SaveConfig(session, settings, lists));
    EXPECT_EQ(notices, Names{program});

    SetSettingsNotSavedNotice(nullptr);
    OverrideProgramFolder(L"");
}

}  // namespace
}  // namespace vellora
