#pragma once
// A simulator per test, reached with the client's requests, HTTP code and
// poll-page reader.

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "chat/getdata_parser.h"
#include "net/clock.h"
#include "net/http_client.h"
#include "support/chat_requests.h"
#include "support/simulator.h"

namespace vellora::test {

// The page reader gives one character per byte; these give the bytes back.
inline std::string Bytes(const std::wstring& text) { return std::string(text.begin(), text.end()); }
inline std::vector<std::string> Messages(const GetdataAnswer& page) {
    std::vector<std::string> out;
    for (const ChatRecord& line : page.Chats) out.push_back(Bytes(line.Msg));
    return out;
}
inline const ChatRecord* FindLine(const GetdataAnswer& page, const std::string& msg) {
    auto line = std::find_if(page.Chats.begin(), page.Chats.end(), [&](auto& l) { return Bytes(l.Msg) == msg; });
    return line == page.Chats.end() ? nullptr : &*line;
}
inline bool HasUser(const GetdataAnswer& page, const std::string& name) {
    return std::any_of(page.Users.begin(), page.Users.end(), [&](auto& u) { return Bytes(u.Name) == name; });
}

// The login form's error when the chat refuses the entry.
inline const std::wstring kRefused = L"Login failed. ('Ein Login in den Chat ist nicht m\u00F6glich')";

class ChatTest : public ::testing::Test {
protected:
    explicit ChatTest(SimulatorConfig config = {}) : sim_(std::move(config)) {}
    void SetUp() override {
        ASSERT_TRUE(SocketStartup());
        ASSERT_TRUE(sim_.Running()) << sim_.Error();
    }

    // Logs in through the whole entry sequence; fails the test otherwise.
    ChatLogin Login(const std::string& name, const std::string& password) {
        ChatLogin login = LoginToChat(sim_.Port(), name, password);
        EXPECT_TRUE(login.Ok()) << name << ": " << login.failure;
        return login;
    }
    std::string Get(const std::string& request, bool keepHeaders = false) {
        std::string answer;
        EXPECT_TRUE(Fetch(sim_.Port(), request, answer, keepHeaders));
        return answer;
    }
    std::string PollBody(const std::string& jSessionId) { return Get(GetdataRequest(kSimEndpoints, jSessionId)); }
    GetdataAnswer Poll(const std::string& jSessionId) { return ParseGetdata(PollBody(jSessionId)); }
    // Posts Text (bytes, percent-encoded byte by byte); the answer body.
    std::string Send(const std::string& jSessionId, const std::string& text) {
        return Get(SendMessageRequest(kSimEndpoints, jSessionId, PercentEncodeAll(text)));
    }
    // Polls until a line with Msg arrives (at most about 5 s).
    bool PollUntil(const std::string& jSessionId, const std::string& msg, GetdataAnswer* seen = nullptr) {
        for (int i = 0; i < 100; ++i) {
            GetdataAnswer page = Poll(jSessionId);
            if (FindLine(page, msg)) {
                if (seen) *seen = page;
                return true;
            }
            SystemSleep(50);
        }
        return false;
    }

    Simulator sim_;
};

}  // namespace vellora::test
