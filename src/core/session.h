#pragma once
// The login and connection state the main window object holds for the whole
// run. Field names follow the rest of the program (LoginPhase, UserName, ...).

#include <cstdint>
#include <string>

#include "net/clock.h"
#include "net/http_client.h"

namespace vellora {

struct Session {
    // True from start-up until the chat was entered once; never true again.
    // Meanwhile status lines go to the login form and the poll timer idles.
    bool LoginPhase = true;
    // Not (or no longer) in the chat: each chat turn tries to log in again.
    bool Disconnected = true;
    // When a kick or ban of the own user was seen; no login before 5000 ms.
    Tick KickTick = kNoTick;

    std::wstring UserName;
    std::wstring Password;
    std::wstring OwnUserId;
    std::wstring LoginName;
    std::wstring ConfigName;
    std::wstring SavedPassword;
    std::wstring PhpSessionId;
    std::wstring JSessionId;

    // An automatic login from the login form is running: its failures are
    // not shown in the form.
    bool AutoLoginTried = false;
    bool WindowsCreated = false;

    Connection Chat;   // the outstanding getdata request
    Connection Media;  // the outstanding avatar or profile request

    // Logins that stopped without a word since the last one that succeeded.
    std::int32_t SilentLoginStops = 0;

    // Repeat suppression of StatusLine.
    std::wstring LastStatusText;
    std::int32_t StatusRepeatCount = 0;
};

}  // namespace vellora
