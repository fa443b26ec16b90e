// The string table: both languages for every id, the fallback for unknown
// ids, and the umlauts and control characters surviving the trip from the
// UTF-8 source.

#include <gtest/gtest.h>

#include <string>

#include "resources/strings.h"

namespace vellora {
namespace {

class StringsTest : public ::testing::Test {
protected:
    void TearDown() override { SetUiLanguage(UiLanguage::English); }
};

TEST_F(StringsTest, EnglishUntilGermanIsChosenWithUmlautsAndControlCharactersAsWritten) {
    EXPECT_EQ(CurrentUiLanguage(), UiLanguage::English);
    EXPECT_EQ(LoadResString(1050), L"Could not connect to server");
    EXPECT_EQ(LoadResString(1055), L"Login failed. ('Ein Login in den Chat ist nicht m\u00F6glich')");
    SetUiLanguage(UiLanguage::German);
    EXPECT_EQ(LoadResString(1050), L"Es konnte keine Verbindung zum Server aufgebaut werden");
    EXPECT_EQ(LoadResString(2519), L"&Schlie\u00DFen");
    EXPECT_EQ(LoadResString(1003),
              L"Erweitert-Schaltfl\u00E4che\r\u00D6ffnet des Men\u00FC f\u00FCr erweiterte Optionen");
    EXPECT_EQ(LoadResString(1023), L"\rStatus:\t neutral");
}

TEST_F(StringsTest, EveryIdIsFoundInBothLanguagesAndUnknownIdsGiveTheHashFallback) {
    struct Entry {
        int id;
        const wchar_t* english;
        const wchar_t* german;
    };
    const Entry all[] = {
#define STR(id, name, english, german) {id, english, german},
#include "resources/strings.inc"
#undef STR
    };
    for (const Entry& e : all) {
        EXPECT_NE(std::wstring(e.english), L"") << e.id;
        EXPECT_NE(std::wstring(e.german), L"") << e.id;
        SetUiLanguage(UiLanguage::English);
        EXPECT_EQ(LoadResString(e.id), e.english) << e.id;
        SetUiLanguage(UiLanguage::German);
        EXPECT_EQ(LoadResString(e.id), e.german) << e.id;
    }
    for (int id : {1004, 0, -7, 99999}) EXPECT_EQ(LoadResString(id), L"#" + std::to_wstring(id));
}

}  // namespace
}  // namespace vellora
