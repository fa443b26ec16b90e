#include "chat/send.h"

#include <string_view>

#include "chat/login.h"
#include "chat/requests.h"
#include "core/client_events.h"
#include "net/http_client.h"
#include "resources/string_ids.h"
#include "resources/strings.h"
#include "text/codepage.h"
#include "text/codings.h"
#include "text/time_of_day.h"

namespace vellora {
namespace {

constexpr std::string_view kBanned = "'message':{'title':'Sorry','txt':'Sie wurden aus dem Chat geworfen";
constexpr std::string_view kDenied = "Denied, please login.";

struct PostResult {
    std::int32_t error = 0;  // 0: the server took the line
    bool disconnectedAfter = false;
};

// What the server's answer to a post says. Only a success status took the
// line: an error page, a redirect or a denial did not, and the typed text
// must stay for another try.
PostResult ReadPostAnswer(std::string_view answer) {
    std::string_view body = HttpBody(answer);
    if (body.find(kBanned) != std::string_view::npos) return {kStrBanned, true};
    if (body.find(kDenied) != std::string_view::npos) return {kStrNotSent, true};
    int status = HttpStatusCode(answer);
    // Without a status line nobody knows what the server did with the line.
    if (status == 0) return {kStrMaybeNotSent, false};
    if (status < 200 || status > 299) return {kStrNotSent, false};
    return {};
}

}  // namespace

bool SendMsg(Client& client, const std::wstring& realMsg, const std::wstring& fromDialog) {
    if (realMsg.empty()) return false;
    Session& s = client.session;
    PostResult result{kStrNotConnected, true};
    if (!s.Disconnected) {
        const Endpoints& e = client.endpoints;
        std::string request = SendMessageRequest(e, WideToAnsi(s.JSessionId), WideToAnsi(realMsg));
        std::string answer;
        // The server may have taken the line before the answer was lost.
        result = {kStrMaybeNotSent, false};
        if (HttpRequest(e.ChatAddress, e.Port, request, answer, kProtocolTimeoutMs, true)) {
            result = ReadPostAnswer(answer);
        }
        if (result.error == 0) return true;
        // A lost login: the poll loop logs in again, and says so when back.
        if (result.error == kStrNotSent && result.disconnectedAfter) SetMustSpace(client, true);
    }

    std::wstring text = LoadResString(result.error);
    bool shownInDialog =
        !fromDialog.empty() && client.view->ShowErrorInDialog(fromDialog, L"*** " + text, TimeOfDaySeconds());
    if (!shownInDialog) ReportStatus(client, text, false);
    s.Disconnected = result.disconnectedAfter;
    return false;
}

bool MainEnter(Client& client, const std::wstring& input) {
    return SendMsg(client, PercentEncodeAll(BlankControlCharacters(input)), L"");
}

}  // namespace vellora
