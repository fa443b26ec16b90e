#include "view/view_wiring.h"

#include "text/rtf_text.h"
#include "view/chat_render.h"
#include "view/user_relations.h"

namespace vellora {

void ChatViewRouting::InMessage(std::int32_t xType, const std::wstring& xUserName, std::wstring& xMsg,
                                std::int32_t xMsgTime) {
    vellora::InMessage(client_, xType, xUserName, xMsg, xMsgTime);
}

void ChatViewRouting::SetDialogsMustSpace(bool value) {
    for (const std::unique_ptr<Form2>& dialog : client_.Dialogs) dialog->MustSpace = value;
}

bool ChatViewRouting::ShowErrorInDialog(const std::wstring& dlgUser, const std::wstring& line, std::int32_t time) {
    Form2* dialog = FindDialog(client_.Dialogs, dlgUser);
    if (!dialog) return false;
    dialog->InMessage(kSystemLineType, L"", EscapeRtf(line), time, client_.settings);
    return true;
}

void ConnectView(Client& client, ViewLogic& logic, ViewWindow& window) {
    client.view = &logic.view;
    client.pictures = &logic.pictures;
    client.viewWindow = &window;
    client.hooks.GrayIdleUsers = [&client] { GrayIdleUsers(client); };
}

}  // namespace vellora
