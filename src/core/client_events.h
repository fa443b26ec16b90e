#pragma once
// Reporting from inside the client's operations: status lines, the
// notification sound and the reconnect marks, with the rules every caller
// shares.

#include <cstdint>
#include <string>

#include "core/client.h"

namespace vellora {

// StatusLine with the client's session, settings and status target. Inside a
// poll tick the status line's sound counts as the tick's one sound.
void ReportStatus(Client& client, const std::wstring& text, bool suppressRepeats);
// The same with the text of string resource Id.
void ReportStatusString(Client& client, std::int32_t id, bool suppressRepeats);

// The notification sound with the configured sound file. A poll tick starts
// at most one notification sound, whatever asks for it during the tick.
void PlayNotificationSound(Client& client);

// Sets the reconnect mark of the main window and of every open dialog.
void SetMustSpace(Client& client, bool value);

}  // namespace vellora
