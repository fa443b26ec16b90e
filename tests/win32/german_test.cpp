// Under a German user interface the program speaks German: the string
// tables are the system's choice. Run with LC_ALL=de_DE.UTF-8 (see
// CMakeLists.txt).
#include <gtest/gtest.h>
#include <windows.h>

#include <prsht.h>

#include "config/config_test_support.h"
#include "config/login_form_win32.h"
#include "resources/resource_ids.h"
#include "resources/strings.h"
#include "win32/gui_support.h"

namespace vellora {
namespace {

TEST(GermanTest, TheUserInterfaceLanguageIsGerman) {
    ASSERT_EQ(PRIMARYLANGID(GetUserDefaultUILanguage()), LANG_GERMAN)
        << "run this test with LC_ALL=de_DE.UTF-8 and the locale generated";
}

TEST(GermanTest, LoginFormAndErrorsAreInGerman) {
    test::TempAppData appData;
    test::Simulator sim;
    ASSERT_TRUE(sim.Running()) << sim.Error();
    test::MainObject main(test::PointAt(sim), false);
    ASSERT_TRUE(main.loaded);
    EXPECT_EQ(CurrentUiLanguage(), UiLanguage::German);
    LoginForm& form = main->Form4();
    auto caption = [&](int id) { return GetWindowTextString(form.Control(id)); };
    EXPECT_EQ(caption(kLabel1), L"Welkommen zum Sendrix Talmor Chat. Bitte logge Dich ein");
    EXPECT_EQ(caption(kCheck2), L"Password &merken");
    EXPECT_EQ(caption(kCommand3), L"&Einloggen");

    test::LogIn(*main, L"demo", L"wrong");
    ASSERT_NE(form.ErrorBoxWindow(), nullptr);
    EXPECT_EQ(GetWindowTextString(form.ErrorBoxWindow()), L"Error: Fehler beim Ermitteln der Benutzer ID");

    ASSERT_TRUE(sim.SetCounts(3, 4));
    test::LogIn(*main, L"demo", L"demo123");
    ASSERT_FALSE(main->client.session.LoginPhase);
    EXPECT_TRUE(test::PumpUntil(
        [&] { return test::StatusBarText(main->h.hStatusBar, 0) == L" 3 Chatter, 4 Leser "; }));
}

TEST(GermanTest, MenusAndSettingsPagesAreInGerman) {
    test::MainObject main;
    ASSERT_TRUE(main.loaded);
    ASSERT_TRUE(test::AsUser([&] {
        test::Click(main->h.hOptionsButton);
        wchar_t text[64] = {};
        GetMenuStringW(test::WaitForPopupMenu(), IDM_CLOSE_DOCKED, text, 64, MF_BYCOMMAND);
        EXPECT_STREQ(text, L"&Angedockt Dialoge");
        test::PressKeys(main->h.MainWindow, {'E'});  // "Weitere &Einstellungen"
        HWND sheet = test::WaitForWindow(L"#32770", L"Einstellungen");
        EXPECT_EQ(GetWindowTextString(GetDlgItem(PropSheet_GetCurrentPageHwnd(sheet), IDC_RETRIEVE_AGES)),
                  L"&Alter von Benutzern ermitteln");
        test::Click(GetDlgItem(sheet, IDCANCEL));
        EXPECT_TRUE(test::WaitUntil([&] { return !IsWindow(sheet); }));
    }));
}

}  // namespace
}  // namespace vellora
