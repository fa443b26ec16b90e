#include "core/status_line.h"

#include "text/time_of_day.h"

namespace vellora {

void StatusLine(Session& session, const Settings& settings, StatusTarget& target, const std::wstring& text,
                bool suppressRepeats) {
    if (session.LoginPhase) {
        if (!session.AutoLoginTried) target.ShowLoginError(text);
        return;
    }
    std::int32_t now = TimeOfDaySeconds();
    if (suppressRepeats && session.Disconnected && text == session.LastStatusText && session.StatusRepeatCount < 16) {
        ++session.StatusRepeatCount;
        return;
    }
    session.StatusRepeatCount = 0;
    session.LastStatusText = text;

    std::wstring line = L"*** " + text;
    target.ShowChatStatusLine(line, now);
    session.Disconnected = true;
    if (settings.ErrorToaster) {
        target.ShowErrorToaster(line, now);
        if (settings.SoundPlay) target.PlayNotificationSound();
    }
}

}  // namespace vellora
