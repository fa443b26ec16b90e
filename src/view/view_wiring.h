#pragma once
// Puts the chat view behind the interfaces the protocol calls: the chat
// pane's InMessage with dialog routing (ChatView), avatars and profiles
// (UserPictures) and the idle graying of the poll tick.

#include "core/client.h"
#include "view/profiles.h"

namespace vellora {

class ChatViewRouting : public ChatView {
public:
    explicit ChatViewRouting(Client& client) : client_(client) {}
    void InMessage(std::int32_t xType, const std::wstring& xUserName, std::wstring& xMsg,
                   std::int32_t xMsgTime) override;
    void SetDialogsMustSpace(bool value) override;
    bool ShowErrorInDialog(const std::wstring& dlgUser, const std::wstring& line, std::int32_t time) override;

private:
    Client& client_;
};

// The view's implementations for one client; lives as long as the client.
struct ViewLogic {
    explicit ViewLogic(Client& client) : view(client), pictures(client) {}
    ChatViewRouting view;
    ProfilePictures pictures;
};

// Wires Logic and the window layer's Window into Client.
void ConnectView(Client& client, ViewLogic& logic, ViewWindow& window);

}  // namespace vellora
