#pragma once
// The chat view's tests: a client with the real view, dialog routing and
// picture logic, in the chat as the own user "anna", in front of a recording
// window layer, on a fake clock.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/client.h"
#include "resources/strings.h"
#include "support/fake_clock.h"
#include "support/recording_client.h"
#include "text/hidden_text.h"
#include "text/scrambler.h"
#include "view/roster_merge.h"

namespace vellora::test {

using Names = std::vector<std::wstring>;

class ViewTest : public ::testing::Test {
protected:
    void SetUp() override {
        rc_.UseRealView();
        rc_.EnterChat();
        client().session.UserName = L"anna";
        client().FriendsAtEntryDone = true;
        client().EntryPhaseOver = true;
        client().ChatBatchSeen = true;
        settings().SingleWindow = false;
    }
    void TearDown() override {
        SetUiLanguage(UiLanguage::English);
        EXPECT_EQ(windows().strayPictures, 0);
        EXPECT_EQ(windows().chatPane.dialectProblem, "");
    }

    Client& client() { return rc_.client; }
    Settings& settings() { return rc_.client.settings; }
    RecordingViewWindow& windows() { return rc_.viewWindow; }

    // The users present, merged as a poll's user list does it: ids 1, 2, ...
    // and picture sources "pic/<name>.jpg".
    void Present(const Names& names) {
        std::vector<ListedUser> users;
        for (std::size_t i = 0; i < names.size(); ++i) {
            users.push_back({static_cast<std::int32_t>(i + 1), names[i], L"pic/" + names[i] + L".jpg"});
        }
        MergeUserList(client(), users);
    }

    // A line as the poll loop hands it over; returns the rich text stored.
    std::wstring Line(std::int32_t type, const std::wstring& user, const std::wstring& msg,
                      std::int32_t time = 3600) {
        std::wstring text = msg;
        client().view->InMessage(type, user, text, time);
        return text;
    }

    // The toasters shown, as "kind user: text", with " (held)" when held back.
    Names Toasters() const {
        Names out;
        for (const ToasterCall& t : rc_.viewWindow.toasters) {
            out.push_back(std::to_wstring(t.kind) + L" " + t.user + L": " + t.text + (t.held ? L" (held)" : L""));
        }
        return out;
    }

    // A hidden section written by Writer as the chat carries it.
    static std::wstring Hidden(const std::wstring& text, const std::wstring& writer) {
        return NibbleRun(ScrambleTextWithSalt(text, writer, kScrambleFlags, 17));
    }

    // The user does not look at the chat: another program is in front.
    void LookAway() {
        settings().IdleToaster = true;
        windows().foreground = RecordingViewWindow::kOtherProgram;
    }

    FakeClock clock_{100000};
    RecordingClient rc_;
};

}  // namespace vellora::test
