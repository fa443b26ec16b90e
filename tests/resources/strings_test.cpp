// The string table: both languages, the fallback for unknown ids, and the
// umlauts and control characters surviving the trip from the UTF-8 source.

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

// The lookup reads the same list (and the build checks its order); what is
// left to check is that no text is missing and the fallback of unknown ids.
TEST_F(StringsTest, EveryIdHasBothTextsAndUnknownIdsGiveTheHashFallback) {
#define STR(id, name, english, german) \
    EXPECT_NE(std::wstring(english), L"") << id; \
    EXPECT_NE(std::wstring(german), L"") << id;
#include "resources/strings.inc"
#undef STR
    for (int id : {1004, 0, -7, 99999}) EXPECT_EQ(LoadResString(id), L"#" + std::to_wstring(id));
}

}  // namespace
}  // namespace vellora
