#pragma once
// StatusLine: the one way a connection event reaches the user.

#include <cstdint>
#include <string>

#include "config/settings.h"
#include "core/session.h"

namespace vellora {

// Where a status line can go. The window layer implements it; tests record.
class StatusTarget {
public:
    virtual ~StatusTarget() = default;
    // The login form's error box (the form is created when needed).
    virtual void ShowLoginError(const std::wstring& text) = 0;
    // A client status line (type -1, no sender) in the chat pane.
    virtual void ShowChatStatusLine(const std::wstring& line, std::int32_t timeOfDay) = 0;
    // An error toaster: kind 2, no user name, no picture.
    virtual void ShowErrorToaster(const std::wstring& line, std::int32_t timeOfDay) = 0;
    // The notification sound with the configured sound file.
    virtual void PlayNotificationSound() = 0;
};

// Reports Text. During the login phase it goes to the login form (unless an
// automatic login is running); afterwards it becomes "*** " + Text in the chat
// pane and, if configured, an error toaster with sound. With SuppressRepeats,
// up to 16 identical lines in a row while disconnected are swallowed. It
// always leaves the client Disconnected (except in the login phase, where
// the login sequence owns that flag).
void StatusLine(Session& session, const Settings& settings, StatusTarget& target, const std::wstring& text,
                bool suppressRepeats);

}  // namespace vellora
