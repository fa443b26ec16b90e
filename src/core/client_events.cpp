#include "core/client_events.h"

#include "resources/strings.h"

namespace vellora {
namespace {

// Lets the status line through unchanged except for its sound, which obeys
// the one-sound-per-tick rule.
class TickSoundGate : public StatusTarget {
public:
    explicit TickSoundGate(Client& client) : client_(client) {}
    void ShowLoginError(const std::wstring& text) override { client_.status->ShowLoginError(text); }
    void ShowChatStatusLine(const std::wstring& line, std::int32_t timeOfDay) override {
        client_.status->ShowChatStatusLine(line, timeOfDay);
    }
    void ShowErrorToaster(const std::wstring& line, std::int32_t timeOfDay) override {
        client_.status->ShowErrorToaster(line, timeOfDay);
    }
    void PlayNotificationSound() override { vellora::PlayNotificationSound(client_); }

private:
    Client& client_;
};

}  // namespace

void ReportStatus(Client& client, const std::wstring& text, bool suppressRepeats) {
    TickSoundGate gate(client);
    StatusLine(client.session, client.settings, gate, text, suppressRepeats);
}

void ReportStatusString(Client& client, std::int32_t id, bool suppressRepeats) {
    ReportStatus(client, LoadResString(id), suppressRepeats);
}

void PlayNotificationSound(Client& client) {
    // Several events of one tick (an error line, the alert for the batch, a
    // friend joining) would otherwise restart the sound over each other.
    if (client.poll.InTimer) {
        if (client.poll.SoundStartedThisTick) return;
        client.poll.SoundStartedThisTick = true;
    }
    client.status->PlayNotificationSound();
}

void SetMustSpace(Client& client, bool value) {
    client.MustSpace = value;
    client.view->SetDialogsMustSpace(value);
}

}  // namespace vellora
