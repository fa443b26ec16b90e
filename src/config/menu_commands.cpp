#include "config/menu_commands.h"

#include "chat/send.h"
#include "config/config_file.h"
#include "text/codings.h"
#include "view/chat_render.h"
#include "view/dialog_routing.h"
#include "view/lists_dialog.h"
#include "view/user_relations.h"

namespace vellora {
namespace {

static_assert(kMenuShowTimes == IDM_SHOW_TIMES && kMenuIdleToaster == IDM_IDLE_TOASTER);

void Save(Client& client) { SaveConfig(client.session, client.settings, client.lists); }

void ToggleShowTimes(Client& client, MenuWindows& windows) {
    client.settings.ShowTimes = !client.settings.ShowTimes;
    windows.CheckOptionsMenuItem(IDM_SHOW_TIMES, client.settings.ShowTimes);
    RerenderAllDialogs(client);
    client.viewWindow->ShowToaster(kToasterRedraw, L"", L"", -1, kNoPicture, false);
    Save(client);
}

void ToggleIdleToaster(Client& client, MenuWindows& windows) {
    client.settings.IdleToaster = !client.settings.IdleToaster;
    windows.CheckOptionsMenuItem(IDM_IDLE_TOASTER, client.settings.IdleToaster);
    Save(client);
}

// Open dialog: with the user's picture while they are in the chat; for a
// user who left, only a dialog that is still open comes forward.
void OpenDialogWith(Client& client, const std::wstring& user) {
    if (FindRosterEntry(client.roster, user) < 0 && !FindDialog(client.Dialogs, user)) return;
    DialogMessage(client, kOpenDialog, user, false, L"", L"", 0);
}

// A staff command is an ordinary chat line.
void SendStaffCommand(Client& client, const wchar_t* verb, const std::wstring& user) {
    SendMsg(client, PercentEncodeAll(verb + user), L"");
}

}  // namespace

UserMenuKind UserMenuFor(const Client& client, const std::wstring& user) {
    if (user.empty()) return UserMenuKind::None;
    return user == client.session.UserName ? UserMenuKind::Self : UserMenuKind::User;
}

bool AddItemsEnabled(const Client& client, const std::wstring& user) {
    return IsInNoList(client, user) && !client.ListsDialog.ListsDialogOpen;
}

void CheckOptionsMenu(const Settings& settings, MenuWindows& windows) {
    windows.CheckOptionsMenuItem(IDM_SHOW_TIMES, settings.ShowTimes);
    windows.CheckOptionsMenuItem(IDM_IDLE_TOASTER, settings.IdleToaster);
}

void RunOptionsCommand(Client& client, std::int32_t command, MenuWindows& windows) {
    switch (command) {
    case IDM_FRIENDS:
        OpenListDialog(client, kFriendsList);
        break;
    case IDM_TEMP_IGNORED:
        OpenListDialog(client, kTempIgnoredList);
        break;
    case IDM_IGNORED:
        OpenListDialog(client, kIgnoredList);
        break;
    case IDM_CLOSE_OFFLINE:
    case IDM_CLOSE_IDLE:
    case IDM_CLOSE_DOCKED:
    case IDM_CLOSE_UNDOCKED:
    case IDM_CLOSE_ALL:
        windows.CloseDialogs(command);
        break;
    case IDM_SHOW_TIMES:
        ToggleShowTimes(client, windows);
        break;
    case IDM_IDLE_TOASTER:
        ToggleIdleToaster(client, windows);
        break;
    case IDM_MORE_OPTIONS:
        windows.ShowSettingsDialog();
        break;
    default:
        break;
    }
}

void RunUserCommand(Client& client, const std::wstring& user, std::int32_t command) {
    switch (command) {
    case IDM_OPEN_DIALOG:
        OpenDialogWith(client, user);
        break;
    case IDM_TALK_TO:
        AttacheToName(client, user);
        break;
    case IDM_ADD_FRIEND:
        AddToRelationList(client, kFriendsList, user);
        break;
    case IDM_IGNORE:
        AddToRelationList(client, kIgnoredList, user);
        break;
    case IDM_TEMP_IGNORE:
        AddToRelationList(client, kTempIgnoredList, user);
        break;
    case IDM_KICK:
        SendStaffCommand(client, L"/kick ", user);
        break;
    case IDM_MUTE:
        SendStaffCommand(client, L"/mute ", user);
        break;
    case IDM_BAN:
        SendStaffCommand(client, L"/ban ", user);
        break;
    default:
        break;
    }
}

}  // namespace vellora
