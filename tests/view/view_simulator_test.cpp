// The chat view end to end against the chat service simulator: a real login,
// the real poll loop and the real view behind a recording window layer.

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "chat/login.h"
#include "support/simulator_session.h"
#include "view/dialog_send.h"

namespace vellora {
namespace {

class ViewSimulatorTest : public test::SimulatorSessionTest {
protected:
    void SetUp() override {
        SimulatorSessionTest::SetUp();
        client().settings.SingleWindow = false;
        client().settings.RetrieveUserAges = true;
        rc_.UseRealView();
    }
    bool PaneShows(const std::wstring& text) const {
        std::vector<std::wstring> lines = rc_.PaneLines();
        return std::find(lines.begin(), lines.end(), text) != lines.end();
    }
    const test::UserRow* Row(const std::wstring& name) const {
        const auto& rows = rc_.window.rows;
        auto row = std::find_if(rows.begin(), rows.end(), [&](auto& r) { return r.name == name; });
        return row == rows.end() ? nullptr : &*row;
    }
};

TEST_F(ViewSimulatorTest, LinesDialogsPicturesAndProfilesThroughThePollLoop) {
    ASSERT_TRUE(sim_.AddMember({.name = "bob", .age = "33", .place = "Hamburg", .gender = 'm',
                                .picture = "portrait03.jpg"}));
    ASSERT_TRUE(sim_.AddMember({.name = "carl", .age = "40", .gender = 'm'}));
    rc_.viewWindow.placeholders = {L"M_35_45"};
    ASSERT_FALSE(TryLogin(client()));

    // The members' lines in the chat pane.
    ASSERT_TRUE(sim_.Say("bob", "hello everybody & {all}"));
    ASSERT_TRUE(TickUntil([&] { return PaneShows(L"{\\b bob:} hello everybody & \\{all\\}"); }));

    // A line addressed to the user opens the dialog with its writer.
    ASSERT_TRUE(sim_.Say("bob", "demo: just for you"));
    ASSERT_TRUE(TickUntil([&] { return FindDialog(client().Dialogs, L"bob") != nullptr; }));
    EXPECT_EQ(rc_.DialogLines(L"bob"), (std::vector<std::wstring>{L"{\\b bob:} just for you"}));
    EXPECT_FALSE(rc_.viewWindow.flashed.empty());

    // The reply leaves addressed and comes back into the dialog.
    ASSERT_TRUE(DialogSendMsg(client(), *FindDialog(client().Dialogs, L"bob"), L"thanks, bob"));
    ASSERT_TRUE(TickUntil([&] { return rc_.DialogLines(L"bob").size() == 2; }));
    EXPECT_EQ(rc_.DialogLines(L"bob")[1], L"{\\b demo:} thanks, bob");
    EXPECT_TRUE(PaneShows(L"{\\b demo:} bob: thanks, bob"));

    // carl's default avatar is the program's own; bob's portrait is fetched
    // and his profile read.
    ASSERT_NE(Row(L"carl"), nullptr);
    EXPECT_GT(Row(L"carl")->picture, 0);
    ASSERT_TRUE(TickUntil([&] { return Row(L"bob")->picture > 0; }));
    ASSERT_TRUE(TickUntil([&] { return Row(L"bob")->detail == L"33, Hamburg"; }));
    EXPECT_EQ(client().roster[static_cast<std::size_t>(FindRosterEntry(client().roster, L"bob"))].Age, 33);
    EXPECT_EQ(rc_.DialogWindowOf(L"bob")->caption, L"bob (33, Hamburg) - Vellora");
    EXPECT_FALSE(FindDialog(client().Dialogs, L"bob")->NeedPic);

    std::vector<test::RawRequest> avatars = sim_.Requests(50, "avatar");
    ASSERT_FALSE(avatars.empty());
    for (const test::RawRequest& r : avatars) {
        EXPECT_EQ(r.bytes.find("M_35_45"), std::string::npos) << "no download of a picture the program has";
    }
    EXPECT_NE(avatars.front().bytes.find("/avatar/l/portrait03.jpg"), std::string::npos);
    EXPECT_EQ(rc_.viewWindow.lastDecoded.substr(0, 2), "\xFF\xD8") << "the JPEG bytes reach the decoder";
    EXPECT_TRUE(rc_.StatusLines().empty());
}

}  // namespace
}  // namespace vellora
