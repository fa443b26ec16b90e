#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "config/account_list.h"
#include "config/config_folder.h"
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

}  // namespace
}  // namespace vellora
