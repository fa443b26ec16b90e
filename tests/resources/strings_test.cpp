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

TEST_F(StringsTest, EnglishUntilGermanIsChosen) {
    EXPECT_EQ(CurrentUiLanguage(), UiLanguage::English);
    EXPECT_EQ(LoadResString(1050), L"Could not connect to server");
    SetUiLanguage(UiLanguage::German);
    EXPECT_EQ(LoadResString(1050), L"Es konnte keine Verbindung zum Server aufgebaut werden");
    EXPECT_EQ(LoadResString(1010), L"%U - Vellora");
}

TEST_F(StringsTest, UnknownIdsGiveTheHashFallback) {
    EXPECT_EQ(LoadResString(1004), L"#1004");
    EXPECT_EQ(LoadResString(0), L"#0");
    EXPECT_EQ(LoadResString(-7), L"#-7");
    SetUiLanguage(UiLanguage::German);
    EXPECT_EQ(LoadResString(99999), L"#99999");
}

TEST_F(StringsTest, UmlautsAndControlCharactersAreReadAsWritten) {
    SetUiLanguage(UiLanguage::German);
    EXPECT_EQ(LoadResString(1051), L"Zeit\u00FCberschreitung");
    EXPECT_EQ(LoadResString(2519), L"&Schlie\u00DFen");
    EXPECT_EQ(LoadResString(1003),
              L"Erweitert-Schaltfl\u00E4che\r\u00D6ffnet des Men\u00FC f\u00FCr erweiterte Optionen");
    EXPECT_EQ(LoadResString(1023), L"\rStatus:\t neutral");
    SetUiLanguage(UiLanguage::English);
    EXPECT_EQ(LoadResString(1055), L"Login failed. ('Ein Login in den Chat ist nicht m\u00F6glich')");
}

TEST_F(StringsTest, EveryIdTheProgramUsesExistsInBothLanguages) {
    const int ids[] = {1000, 1001, 1002, 1003, 1006, 1007, 1008, 1009, 1010, 1011, 1015, 1016, 1017, 1018, 1020,
                       1021, 1022, 1023, 1024, 1025, 1026, 1027, 1028, 1029, 1030, 1031, 1032, 1033, 1034, 1035,
                       1036, 1040, 1041, 1042, 1043, 1044, 1050, 1051, 1052, 1053, 1055, 1056, 1057, 1060, 1061,
                       1065, 1066, 2000, 2001, 2002, 2003, 2004, 2005, 2500, 2501, 2502, 2503, 2510, 2511, 2515,
                       2516, 2519, 2520, 2521, 2522, 2523, 3000, 3010, 3011, 3012, 3013};
    for (UiLanguage language : {UiLanguage::English, UiLanguage::German}) {
        SetUiLanguage(language);
        for (int id : ids) {
            std::wstring text = LoadResString(id);
            EXPECT_FALSE(text.empty()) << id;
            EXPECT_NE(text[0], L'#') << id;
        }
    }
}

}  // namespace
}  // namespace vellora
