#include "chat/login.h"

#include <cstdint>

#include "chat/requests.h"
#include "core/client_events.h"
#include "net/http_client.h"
#include "resources/string_ids.h"
#include "text/codepage.h"

namespace vellora {
namespace {

constexpr std::string_view kPhpCookie = "Set-Cookie: PHPSESSID=";
constexpr std::string_view kJavaCookie = "Set-Cookie: JSESSIONID=";
constexpr std::string_view kLogoutMarkerDouble = "<div id=\"logoutContent\">";
constexpr std::string_view kLogoutMarkerSingle = "<div id='logoutContent'>";
constexpr std::string_view kClubcardLink = "/club/clubcard/";
constexpr std::string_view kEntryRefused = "Ein Login in den Chat ist nicht m&ouml;glich.";
constexpr std::string_view kDenied = "Denied, please login.";

// A server that leaves out a cookie once may have hiccuped; one that does it
// again keeps the client out of the chat, and the user is told.
constexpr std::int32_t kSilentStopsReported = 2;

bool Request(const std::string& address, const Client& client, const std::string& request, std::string& answer,
             bool keepHeaders) {
    return HttpRequest(address, client.endpoints.Port, request, answer, kProtocolTimeoutMs, keepHeaders);
}

bool Contains(std::string_view text, std::string_view what) { return text.find(what) != std::string_view::npos; }

// A login that stops for a cookie without its end, or without the chat's
// cookie at all: silent at first.
void SilentStop(Client& client) {
    if (++client.session.SilentLoginStops >= kSilentStopsReported) ReportStatusString(client, kStrLoginFailed, true);
}

}  // namespace

bool IsCanonicalInt32(std::string_view text) {
    std::string_view digits = text;
    bool negative = !digits.empty() && digits.front() == '-';
    if (negative) digits.remove_prefix(1);
    if (digits.empty() || digits.size() > 10) return false;
    for (char c : digits) {
        if (c < '0' || c > '9') return false;
    }
    if (digits.front() == '0') return digits.size() == 1 && !negative;  // "0" only; not "00", "012" or "-0"
    std::int64_t value = 0;
    for (char c : digits) value = value * 10 + (c - '0');
    return negative ? value <= 2147483648LL : value <= 2147483647LL;
}

CookieSearch FindCookie(std::string_view answer, std::string_view marker, std::string& value) {
    std::size_t at = answer.find(marker);
    if (at == std::string_view::npos) return CookieSearch::Missing;
    std::size_t start = at + marker.size();
    std::size_t semicolon = answer.find(';', start);
    if (semicolon == std::string_view::npos) return CookieSearch::Unterminated;
    // A ";" on a later line would pull the following header lines into the
    // value, and from there into our own request headers.
    std::size_t lineEnd = answer.find_first_of("\r\n", start);
    if (lineEnd != std::string_view::npos && lineEnd < semicolon) return CookieSearch::Unterminated;
    value.assign(answer.substr(start, semicolon - start));
    return CookieSearch::Found;
}

bool ReadUserId(std::string_view page, std::string& userId) {
    std::size_t marker = page.find(kLogoutMarkerDouble);
    if (marker == std::string_view::npos) marker = page.find(kLogoutMarkerSingle);
    if (marker == std::string_view::npos) return false;
    std::size_t link = page.find(kClubcardLink, marker);
    if (link == std::string_view::npos) return false;
    std::string_view id = page.substr(link + kClubcardLink.size());
    for (char stop : {'\r', '\n', '"', '\''}) {
        std::size_t cut = id.find(stop);
        if (cut != std::string_view::npos) id = id.substr(0, cut);
    }
    if (!IsCanonicalInt32(id)) return false;
    userId.assign(id);
    return true;
}

void LoginSequence(Client& client) {
    Session& s = client.session;
    const Endpoints& e = client.endpoints;

    if (s.KickTick != kNoTick) {
        if (!TickElapsed(s.KickTick, kKickDelayMs)) return;
        s.KickTick = kNoTick;
    }
    s.Disconnected = true;
    client.ChatBatchSeen = false;

    std::string answer;
    if (!Request(e.ClubAddress, client, LoginFormRequest(e, WideToAnsi(s.LoginName), WideToAnsi(s.Password)),
                 answer, true)) {
        ReportStatusString(client, kStrConnectFailed, true);
        return;
    }
    std::string phpSessionId;
    switch (FindCookie(answer, kPhpCookie, phpSessionId)) {
        case CookieSearch::Missing:
            ReportStatusString(client, kStrNoSessionId, true);
            return;
        case CookieSearch::Unterminated:
            SilentStop(client);
            return;
        case CookieSearch::Found:
            break;
    }
    s.PhpSessionId = AnsiToWide(phpSessionId);

    // A re-login keeps the id it found before and saves a request.
    if (s.OwnUserId.empty()) {
        std::string page;
        std::string userId;
        if (!Request(e.ClubAddress, client, UserIdPageRequest(e, phpSessionId), page, false) ||
            !ReadUserId(page, userId)) {
            ReportStatusString(client, kStrNoUserId, true);
            return;
        }
        s.OwnUserId = AnsiToWide(userId);
    }

    answer.clear();
    if (!Request(e.ChatAddress, client, ChatEnterRequest(e, WideToAnsi(s.OwnUserId), phpSessionId), answer, true)) {
        ReportStatusString(client, kStrTimeout, true);
        return;
    }
    if (Contains(answer, kEntryRefused)) {
        ReportStatusString(client, kStrEntryRefused, true);
        return;
    }
    std::string jSessionId;
    if (FindCookie(answer, kJavaCookie, jSessionId) != CookieSearch::Found) {
        SilentStop(client);
        return;
    }
    s.JSessionId = AnsiToWide(jSessionId);

    // A participation request that fails is taken as an answer without denial.
    std::string participation;
    Request(e.ChatAddress, client, ParticipateRequest(e, jSessionId), participation, false);
    if (Contains(participation, kDenied)) {
        ReportStatusString(client, kStrDenied, true);
        return;
    }

    client.LastChatLineTick = TickNow();
    client.LastAlertTick = client.LastChatLineTick;
    s.SilentLoginStops = 0;
    s.LoginPhase = false;
    s.Disconnected = false;
}

bool TryLogin(Client& client) {
    LoginSequence(client);
    if (client.session.LoginPhase) return true;
    client.window->ShowMainWindow();
    return false;
}

void SendLogout(const Client& client) {
    if (client.session.Disconnected) return;
    const Endpoints& e = client.endpoints;
    HttpSend(e.ChatAddress, e.Port, LogoutRequest(e, WideToAnsi(client.session.JSessionId)), false);
}

}  // namespace vellora
