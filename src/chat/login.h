#pragma once
// Login and chat entry: a form login at the club web server (web session
// cookie), the club page with the user's numeric id, the chat entry at the
// chat server (chat session cookie) and the participation request. The same
// sequence serves the login form and every automatic re-login of the poll
// loop.

#include <string>
#include <string_view>

#include "core/client.h"

namespace vellora {

// Every request of the login waits at most this long for the next data.
inline constexpr std::uint32_t kProtocolTimeoutMs = 4000;
// After a kick or ban the next login waits this long.
inline constexpr std::uint32_t kKickDelayMs = 5000;

// Runs the login sequence; on success the login phase is over and the chat
// is entered. Every failure is reported through the status line, except the
// three silent stops (kick delay not over, a session cookie without its ";",
// no chat session cookie at all); Disconnected stays true then. The two
// cookie stops are silent only once: from the second in a row without a
// successful login between them, "Login failed." is reported.
void LoginSequence(Client& client);

// The login form's entry: runs the login sequence and, once the chat was
// entered, shows the main window and returns false. True means the login
// failed and the form stays.
bool TryLogin(Client& client);

// Fires the logout request at shutdown without waiting for an answer; does
// nothing while not in the chat.
void SendLogout(const Client& client);

// Pieces of the sequence, exposed for tests.

enum class CookieSearch { Found, Missing, Unterminated };
// The value of the cookie whose header text is Marker (such as
// "Set-Cookie: PHPSESSID="): the text after it up to the next ";". A value
// whose ";" is not on the same header line counts as unterminated.
CookieSearch FindCookie(std::string_view answer, std::string_view marker, std::string& value);

// The numeric user id in the club page: after the logout block marker, the
// text behind "/club/clubcard/" up to the end of its line or a quote, which
// must be a decimal integer in canonical form within 32 bits.
bool ReadUserId(std::string_view page, std::string& userId);

// Not empty, an optional minus sign, digits without leading zeros, within
// the signed 32-bit range: the text equals its own number written back.
bool IsCanonicalInt32(std::string_view text);

}  // namespace vellora
