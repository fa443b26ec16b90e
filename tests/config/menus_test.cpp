// The menus' commands and the settings pages without windows: user commands
// for a user who has left, and how a page shows the settings, takes edited
// values back (clamped) with their side effects, and enables the dependent
// controls.
#include <gtest/gtest.h>

#include <map>

#include "config/config_test_support.h"
#include "config/menu_commands.h"
#include "config/settings_page.h"
#include "view/view_fixture.h"

namespace vellora {
namespace {

class MenusTest : public test::ViewTest {
protected:
    void SetUp() override {
        ViewTest::SetUp();
        client().session.ConfigName = L"anna";
    }
    test::TempAppData appData_;
    test::RecordingEffects effects_;
};

TEST_F(MenusTest, UserCommandsActOnTheNameOfAUserWhoLeftWhileTheMenuWasOpen) {
    Present({L"anna", L"bob", L"carl"});
    Present({L"anna", L"bob"});
    RunUserCommand(client(), L"carl", IDM_OPEN_DIALOG);
    EXPECT_EQ(FindDialog(client().Dialogs, L"carl"), nullptr) << "no dialog for a user who left";
    RunUserCommand(client(), L"carl", IDM_TALK_TO);
    EXPECT_EQ(windows().chatInput.Text, L"carl: ");
    RunUserCommand(client(), L"carl", IDM_TEMP_IGNORE);
    EXPECT_EQ(client().lists.TempIgnored, (test::Names{L"carl"}));
}

// A page's controls by id.
struct FakePage : PageControls {
    struct Control {
        bool checked = false, enabled = true;
        std::int32_t selection = -1, number = 0;
        std::wstring text;
    };
    explicit FakePage(std::initializer_list<int> ids) {
        for (int id : ids) c[id];
    }
    bool Has(int id) const override { return c.count(id) != 0; }
    bool Checked(int id) const override { return c.at(id).checked; }
    void SetChecked(int id, bool checked) override { c.at(id).checked = checked; }
    std::int32_t Selection(int id) const override { return c.at(id).selection; }
    void SetSelection(int id, std::int32_t index) override { c.at(id).selection = index; }
    std::wstring Text(int id) const override { return c.at(id).text; }
    void SetText(int id, const std::wstring& text) override { c.at(id).text = text; }
    std::int32_t Number(int id) const override { return c.at(id).number; }
    void SetNumber(int id, std::int32_t, std::int32_t, std::int32_t value) override { c.at(id).number = value; }
    void Enable(int id, bool enabled) override { c.at(id).enabled = enabled; }
    std::map<int, Control> c;
};

TEST_F(MenusTest, SettingsPagesShowTheValuesAndApplyChangesWithTheirSideEffects) {
    settings().GrayOrHilightUsersIdleTime = 20;
    FakePage page{3050, 3051, 3052, 3053, 3054, 3055, 3058, 3060, 3065, 3066, 3067, 3070, 3072, 3075, 3079};
    SyncPage(page, false, client(), effects_);
    EXPECT_TRUE(page.Checked(IDC_GRAY_IDLE) && page.Checked(IDC_TIPS_ALWAYS) && page.Checked(IDC_STATUS_BAR) &&
                page.c[IDC_IDLE_UPDOWN].number == 20);
    page.SetChecked(IDC_GRAY_IDLE, false);
    page.SetChecked(IDC_GRAY_FRIENDS, true);

    page.c[IDC_IDLE_UPDOWN].number = 1;
    page.SetChecked(IDC_STATUS_BAR, false);
    page.SetChecked(IDC_TIPS_ALWAYS, false);
    page.SetChecked(IDC_TIPS_NEVER, true);
    page.SetChecked(IDC_EXCLUDE_DIALOG_LINES, true);
    page.SetChecked(IDC_AUTO_HIDE_INPUT, true);
    const int streams = windows().chatPane.streams;
    SyncPage(page, true, client(), effects_);
    EXPECT_EQ(effects_.calls, (std::vector<std::wstring>{L"StatusBar hidden", L"SetToolTipVar 0", L"RealResize true"}));
    EXPECT_GT(windows().chatPane.streams, streams) << "the chat pane is built again";
    EXPECT_EQ(settings().GrayOrHilightUsersMode, kGrayAllButFriends);
    EXPECT_EQ(settings().GrayOrHilightUsersIdleTime, 3);

    // Nothing announced and no toaster chosen: no sound controls, even with the sound on.
    FakePage events{3010, 3015, 3016, 3020, 3025, 3026, 3027, 3028, 3029, 3090};
    SyncPage(events, false, client(), effects_);
    events.SetSelection(IDC_FRIENDS_POPUP, kFriendsPopupNothing);
    events.SetChecked(IDC_DIALOG_TOASTER, false);
    events.SetChecked(IDC_SOUND_PLAY, true);
    UpdateEventsPageState(events, true);
    for (int id : {3020, 3026, 3027, 3028, 3029}) EXPECT_FALSE(events.c[id].enabled) << id;
    SyncPage(events, true, client(), effects_);
    EXPECT_EQ(effects_.calls.back(), L"FriendsToasterChanged");
    EXPECT_EQ(settings().FriendsPopup, kFriendsPopupNothing);
}

}  // namespace
}  // namespace vellora
