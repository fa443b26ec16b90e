#pragma once
// A simulator per test and the client's steps against it.

#include <gtest/gtest.h>

#include <string>

#include "net/http_client.h"
#include "support/chat_requests.h"
#include "support/getdata_reader.h"
#include "support/simulator.h"

namespace vellora::test {

class ChatTest : public ::testing::Test {
protected:
    explicit ChatTest(SimulatorConfig config = {}) : sim_(std::move(config)) {}
    void SetUp() override {
        ASSERT_TRUE(SocketStartup());
        ASSERT_TRUE(sim_.Running()) << sim_.Error();
    }

    // Logs in through the whole entry sequence; fails the test otherwise.
    ChatLogin Login(const std::string& name, const std::string& password);
    // One getdata request and its page.
    GetDataPage Poll(const std::string& jSessionId);
    // The body of a getdata answer.
    std::string PollBody(const std::string& jSessionId);
    // Posts Text (bytes, percent-encoded as the client does); the answer body.
    std::string Send(const std::string& jSessionId, const std::string& text);
    // Polls until a line with Msg arrives (at most about 5 s).
    bool PollUntil(const std::string& jSessionId, const std::string& msg, GetDataPage* seen = nullptr);
    std::string Get(const std::string& request, bool keepHeaders = false);

    Simulator sim_;
};

}  // namespace vellora::test
