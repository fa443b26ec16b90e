#include "chat_test.h"

#include <chrono>
#include <thread>

namespace vellora::test {

ChatLogin ChatTest::Login(const std::string& name, const std::string& password) {
    ChatLogin login = LoginToChat(sim_.Port(), name, password);
    EXPECT_TRUE(login.Ok()) << name << ": " << login.failure;
    return login;
}

std::string ChatTest::Get(const std::string& request, bool keepHeaders) {
    std::string answer;
    EXPECT_TRUE(Fetch(sim_.Port(), request, answer, keepHeaders));
    return answer;
}

std::string ChatTest::PollBody(const std::string& jSessionId) { return Get(GetDataRequest(jSessionId)); }

GetDataPage ChatTest::Poll(const std::string& jSessionId) { return ReadGetData(PollBody(jSessionId)); }

std::string ChatTest::Send(const std::string& jSessionId, const std::string& text) {
    return Get(SendMessageRequest(jSessionId, PercentEncodeAll(text)));
}

bool ChatTest::PollUntil(const std::string& jSessionId, const std::string& msg, GetDataPage* seen) {
    for (int i = 0; i < 100; ++i) {
        GetDataPage page = Poll(jSessionId);
        if (page.FindLine(msg)) {
            if (seen) *seen = page;
            return true;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    return false;
}

}  // namespace vellora::test
