#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "config/account_list.h"
#include "config/config_folder.h"
#include "config/config_test_support.h"
#include "core/files.h"

namespace vellora {
namespace {

using Names = std::vector<std::wstring>;

TEST(AccountList, NamesComeFromTheSettingsFilesSortedWithoutRegardToCase) {
    test::TempAppData appData;
    EXPECT_TRUE(ListAccounts().empty());
    const std::wstring folder = ConfigFolder();
    for (const wchar_t* file : {L"bob.vel", L"Alice.vel", L"carol.vel", L"  Dave .vel", L".vel", L"   .vel",
                                L"notes.txt"}) {
        ASSERT_TRUE(WriteFileBytes(folder + file, "AutoLogin=0"));
    }
    EXPECT_EQ(ListAccounts(), (Names{L"Alice", L"bob", L"carol", L"Dave"}));
}

TEST(AccountList, ExtensionIsCutWhateverItsCase) {
    EXPECT_EQ(AccountNamesFromFiles({L"Zed.VEL", L"anna.Vel", L"b.vel"}), (Names{L"anna", L"b", L"Zed"}));
    EXPECT_TRUE(AccountNamesFromFiles({L".vel", L"vel", L""}).empty());
    // Names that differ only in case keep the order they were listed in.
    EXPECT_EQ(AccountNamesFromFiles({L"bob.vel", L"Bob.vel"}), (Names{L"bob", L"Bob"}));
}

}  // namespace
}  // namespace vellora
