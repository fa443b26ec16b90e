#include "support/chat_requests.h"

#include "chat/login.h"
#include "net/http_client.h"
#include "support/fake_clock.h"
#include "support/recording_client.h"
#include "text/codepage.h"

namespace vellora::test {

std::string PercentEncodeAll(const std::string& bytes) {
    static const char kHex[] = "0123456789ABCDEF";
    std::string out;
    for (unsigned char c : bytes) {
        out += '%';
        out += kHex[c >> 4];
        out += kHex[c & 15];
    }
    return out;
}

bool Fetch(std::uint16_t port, const std::string& request, std::string& answer, bool keepHeaders,
           std::uint32_t timeoutMs) {
    SocketHandle socket = HttpSend(kLoopback, port, request, true);
    RecvState state;
    bool complete = false;
    while (socket != 0) {
        SystemSleep(1);
        complete = HttpReceive(socket, answer, state, keepHeaders, timeoutMs);
    }
    return complete;
}

ChatLogin LoginToChat(std::uint16_t port, const std::string& name, const std::string& password) {
    // The client's waits pause for real, so the simulator answers long
    // before a fake time-out.
    FakeClock clock{1000, 40};
    RecordingClient rc;
    Session& session = rc.client.session;
    rc.client.endpoints.Port = port;
    session.LoginName = session.UserName = AnsiToWide(name);
    session.Password = AnsiToWide(password);
    session.WindowsCreated = true;
    ChatLogin login;
    if (TryLogin(rc.client)) {
        login.failure = rc.status.loginErrors.empty() ? std::wstring(L"a silent stop") : rc.status.loginErrors.back();
    }
    login.jSessionId = std::string(session.JSessionId.begin(), session.JSessionId.end());
    return login;
}

}  // namespace vellora::test
