#pragma once
// The client against the chat service simulator: a RecordingClient pointed
// at a fresh simulator as the account "demo". The client's clock is fake and
// moved 500 ms per timer tick; the simulator runs on real time.

#include <gtest/gtest.h>

#include <functional>

#include "chat/poll_tick.h"
#include "net/http_client.h"
#include "net/socket.h"
#include "support/fake_clock.h"
#include "support/recording_client.h"
#include "support/simulator.h"

namespace vellora::test {

class SimulatorSessionTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { ASSERT_TRUE(SocketStartup()); }
    void SetUp() override {
        ASSERT_TRUE(sim_.Running()) << sim_.Error();
        client().endpoints.ClubAddress = client().endpoints.ChatAddress = Simulator::Address();
        client().endpoints.Port = sim_.Port();
        client().session.UserName = client().session.LoginName = L"demo";
        client().session.Password = L"demo123";
        client().session.WindowsCreated = true;
        client().FriendsAtEntryDone = true;
    }
    void TearDown() override {
        CloseConn(client().session.Chat);
        CloseConn(client().session.Media);
    }
    Client& client() { return rc_.client; }

    // Timer ticks, each after a short real pause so the simulator gets its
    // turn, until Done holds after one; false if it never does.
    bool TickUntil(const std::function<bool()>& done, int maxTicks = 800) {
        for (int i = 0; i < maxTicks; ++i) {
            clock_.Advance(kPollIntervalMs);
            SystemSleep(3);
            Timer1_Timer(client());
            if (done()) return true;
        }
        return false;
    }

    FakeClock clock_{1000, 40};
    Simulator sim_;
    RecordingClient rc_;
};

}  // namespace vellora::test
