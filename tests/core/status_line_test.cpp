#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/status_line.h"
#include "support/fake_clock.h"
#include "support/recording_client.h"

namespace vellora {
namespace {

class StatusLineTest : public ::testing::Test {
protected:
    StatusLineTest() {
        rc.client.session.LoginPhase = false;
        clock.SetSecondsSinceMidnight(3725);
    }
    void Report(const std::wstring& text, bool suppress) {
        StatusLine(rc.client.session, rc.client.settings, rc.status, text, suppress);
    }

    test::FakeClock clock;
    test::RecordingClient rc;
    Session& session = rc.client.session;
    Settings& settings = rc.client.settings;
    test::RecordingStatus& target = rc.status;
};

TEST_F(StatusLineTest, TwentyRepeatsWhileDisconnectedShowOnFirstAndEighteenth) {
    std::vector<int> shownAt;
    for (int call = 1; call <= 20; ++call) {
        std::size_t before = target.chatLines.size();
        Report(L"Timeout", true);
        if (target.chatLines.size() > before) shownAt.push_back(call);
    }
    EXPECT_EQ(shownAt, (std::vector<int>{1, 18}));
    EXPECT_EQ(target.chatLines.front(), L"*** Timeout");
    EXPECT_EQ(rc.view.lines.front().time, 3725);
}

TEST_F(StatusLineTest, OnlyTheSameTextWhileDisconnectedIsSuppressed) {
    // Without suppression every repeat shows.
    for (int i = 0; i < 3; ++i) Report(L"Package incomplete", false);
    EXPECT_EQ(target.chatLines.size(), 3u);

    // While connected it shows as well; every shown line disconnects.
    target.chatLines.clear();
    for (int i = 0; i < 3; ++i) {
        session.Disconnected = false;
        Report(L"Timeout", true);
        EXPECT_TRUE(session.Disconnected);
    }
    EXPECT_EQ(target.chatLines.size(), 3u);

    // A different text ends the run.
    target.chatLines.clear();
    Report(L"A", true);
    Report(L"A", true);
    Report(L"B", true);
    Report(L"A", true);
    EXPECT_EQ(target.chatLines, (std::vector<std::wstring>{L"*** A", L"*** B", L"*** A"}));
}

TEST_F(StatusLineTest, ErrorToasterAndSoundFollowTheSettings) {
    Report(L"one", false);
    EXPECT_TRUE(target.toasters.empty());
    settings.ErrorToaster = true;
    Report(L"two", false);
    EXPECT_EQ(target.toasters, (std::vector<std::wstring>{L"*** two"}));
    EXPECT_EQ(target.sounds, 0);
    settings.SoundPlay = true;
    Report(L"three", false);
    EXPECT_EQ(target.sounds, 1);
}

TEST_F(StatusLineTest, LoginPhaseGoesToTheLoginFormOnlyAndAnAutomaticLoginShowsNothing) {
    session.LoginPhase = true;
    session.Disconnected = false;
    Report(L"Could not connect to server", true);
    EXPECT_EQ(target.loginErrors, (std::vector<std::wstring>{L"Could not connect to server"}));
    EXPECT_TRUE(target.chatLines.empty());
    EXPECT_FALSE(session.Disconnected) << "the login sequence owns the flag in the login phase";

    session.AutoLoginTried = true;
    Report(L"Timeout", true);
    EXPECT_EQ(target.loginErrors.size(), 1u);
    EXPECT_TRUE(target.chatLines.empty());
}

}  // namespace
}  // namespace vellora
