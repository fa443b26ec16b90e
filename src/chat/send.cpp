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

}  // namespace

bool SendMsg(Client& client, const std::wstring& realMsg, const std::wstring& fromDialog) {
    if (realMsg.empty()) return false;
    Session& s = client.session;
    std::int32_t error = 0;
    bool disconnectedAfter = true;
    if (s.Disconnected) {
        error = kStrNotConnected;
    } else {
        const Endpoints& e = client.endpoints;
        std::string request = SendMessageRequest(e, WideToAnsi(s.JSessionId), WideToAnsi(realMsg));
        std::string answer;
        if (!HttpRequest(e.ChatAddress, e.Port, request, answer, kProtocolTimeoutMs, false)) {
            // The server may have taken the line before the answer was lost.
            error = kStrMaybeNotSent;
            disconnectedAfter = false;
        } else if (answer.find(kBanned) != std::string::npos) {
            error = kStrBanned;
        } else {
            return true;
        }
    }

    std::wstring text = LoadResString(error);
    bool shownInDialog =
        !fromDialog.empty() && client.view->ShowErrorInDialog(fromDialog, L"*** " + text, TimeOfDaySeconds());
    if (!shownInDialog) ReportStatus(client, text, false);
    s.Disconnected = disconnectedAfter;
    return false;
}

bool MainEnter(Client& client, const std::wstring& input) {
    return SendMsg(client, PercentEncodeAll(input), L"");
}

}  // namespace vellora
