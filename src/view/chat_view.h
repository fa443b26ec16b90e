#pragma once
// What the protocol hands to the chat view: lines for the chat pane (which
// also routes copies to dialogs, raises toasters and notices kicks), the
// reconnect marks of the dialogs, and error lines for a dialog. The chat
// rendering and dialog routing implement it; tests record.

#include <cstdint>
#include <string>

namespace vellora {

// The type of a chat line (xType).
enum LineType : std::int32_t {
    kRerenderType = -2,    // no line: draw the pane again
    kStatusLineType = -1,  // a line of the client itself
    kUserLineType = 1,     // a user's line
    kSystemLineType = 2,   // the chat's own line about a user
    kOpenDialog = 3,       // no line: open the dialog with the user (DialogMessage)
};

class ChatView {
public:
    virtual ~ChatView() = default;

    // One line for the chat pane. xType is the server's message type (1 a
    // user's message, 2 a system line about a user), -1 a line of the client
    // itself, -2 a request to draw the pane again; xMsgTime is seconds since
    // midnight or -1. On return xMsg holds the text stored for the line.
    virtual void InMessage(std::int32_t xType, const std::wstring& xUserName, std::wstring& xMsg,
                           std::int32_t xMsgTime) = 0;

    // Sets the reconnect mark of every open dialog, so each writes the
    // "Reconnected" separator before its next line. The main window's own
    // mark is Client::MustSpace; SetMustSpace (core/client_events.h) sets both.
    virtual void SetDialogsMustSpace(bool value) = 0;

    // Shows Line as a type-2 line with no sender in the first open dialog
    // whose user is DlgUser (exact comparison). False when no such dialog is
    // open; the caller then reports through the status line.
    virtual bool ShowErrorInDialog(const std::wstring& dlgUser, const std::wstring& line, std::int32_t time) = 0;
};

}  // namespace vellora
