#include "view/dialog_send.h"

#include "chat/send.h"
#include "resources/string_ids.h"
#include "resources/strings.h"
#include "text/codings.h"
#include "text/hidden_text.h"
#include "text/replace_all.h"
#include "text/rtf_text.h"
#include "text/time_of_day.h"
#include "view/chat_render.h"

namespace vellora {
namespace {

void ShowNotOnline(Client& client, const Form2& dialog) {
    std::wstring text = ReplaceAllNoCase(LoadResString(kStrNotOnline), L"%U", dialog.DlgUser);
    std::wstring line = L"*** " + EscapeRtf(text);
    // The notice answers the user's own Enter: no toaster for it.
    bool holdBefore = client.ToasterHold;
    client.ToasterHold = true;
    LogToDialog(client, dialog.DlgUser, line, TimeOfDaySeconds());
    client.ToasterHold = holdBefore;
}

}  // namespace

bool DialogSendMsg(Client& client, Form2& dialog, const std::wstring& input) {
    if (FindRosterEntry(client.roster, dialog.DlgUser) < 0 && !dialog.HackSend) {
        if (!client.viewWindow->IsShiftDown()) {
            ShowNotOnline(client, dialog);
            return false;
        }
        dialog.HackSend = true;
    }
    std::wstring coded = EncodeForSend(BlankControlCharacters(input), client.session.UserName);
    if (coded.empty()) return false;
    // A name that cannot be coded would send the line to everybody unaddressed.
    std::wstring address = PercentEncodeAll(dialog.DlgUser + L": ");
    if (address.empty()) return false;
    return SendMsg(client, address + coded, dialog.DlgUser);
}

}  // namespace vellora
