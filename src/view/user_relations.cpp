#include "view/user_relations.h"

#include <algorithm>

#include "config/config_file.h"
#include "view/dialog_routing.h"

namespace vellora {

std::uint32_t IdleMs(const Settings& settings) {
    constexpr std::uint32_t kMsPerMinute = 60000;
    return static_cast<std::uint32_t>(std::max(0, settings.GrayOrHilightUsersIdleTime)) * kMsPerMinute;
}

namespace {

bool IsIgnoredName(const Client& client, const std::wstring& name) {
    return FindInList(client.lists.Banned, name) >= 0 || FindInList(client.lists.TempIgnored, name) >= 0;
}

void SetRowNormal(Client& client, std::size_t index, bool normal) {
    RosterEntry& entry = client.roster[index];
    if (entry.ShowNormal == normal) return;
    entry.ShowNormal = normal;
    client.window->SetUserRowNormal(index, normal);
}

}  // namespace

RelationList* ListOfMode(Client& client, std::int32_t mode) {
    switch (mode) {
    case kFriendsList:
        return &client.lists.Friends;
    case kIgnoredList:
        return &client.lists.Banned;
    case kTempIgnoredList:
        return &client.lists.TempIgnored;
    default:
        return nullptr;
    }
}

bool GrayingDependsOn(std::int32_t grayMode, std::int32_t listMode) {
    if (listMode == kFriendsList) return grayMode == kGrayAllButFriends;
    return grayMode == kGrayIgnored || grayMode == kGrayIgnoredAndIdle;
}

bool IsInNoList(const Client& client, const std::wstring& xUser) {
    return FindInList(client.lists.Friends, xUser) < 0 && !IsIgnoredName(client, xUser);
}

void UpdateAllUserHilights(Client& client) {
    const std::int32_t mode = client.settings.GrayOrHilightUsersMode;
    if (mode < kGrayNobody || mode > kGrayAllButFriends) return;
    const std::uint32_t idleMs = IdleMs(client.settings);
    for (std::size_t i = 0; i < client.roster.size(); ++i) {
        RosterEntry& entry = client.roster[i];
        bool normal = true;
        if (mode == kGrayIgnored) {
            normal = !IsIgnoredName(client, entry.Name);
        } else if (mode == kGrayIgnoredAndIdle) {
            entry.IsIgnored = IsIgnoredName(client, entry.Name);
            normal = !entry.IsIgnored && !TickElapsed(entry.LastActivity, idleMs);
        } else if (mode == kGrayAllButFriends) {
            normal = FindInList(client.lists.Friends, entry.Name) >= 0;
        }
        SetRowNormal(client, i, normal);
    }
    if (mode == kGrayIgnoredAndIdle) client.LastHilightUpdate = TickNow();
}

void GrayIdleUsers(Client& client) {
    const std::uint32_t idleMs = IdleMs(client.settings);
    for (std::size_t i = 0; i < client.roster.size(); ++i) {
        if (client.roster[i].ShowNormal && TickElapsed(client.roster[i].LastActivity, idleMs)) {
            SetRowNormal(client, i, false);
        }
    }
    client.LastHilightUpdate = TickNow();
}

void FriendsToasterChanged(Client& client) {
    for (RosterEntry& entry : client.roster) entry.JoinNotified = true;
}

bool AddToRelationList(Client& client, std::int32_t mode, const std::wstring& user) {
    RelationList* list = ListOfMode(client, mode);
    if (!list || list->size() >= kMaxListNames) return false;
    list->push_back(user);
    if (GrayingDependsOn(client.settings.GrayOrHilightUsersMode, mode)) {
        UpdateAllUserHilights(client);
    }
    SaveConfig(client.session, client.settings, client.lists);
    return true;
}

void List1_DblClick(Client& client) {
    int row = client.window->SelectedUserRow();
    if (row < 0 || static_cast<std::size_t>(row) >= client.roster.size()) return;
    const RosterEntry& entry = client.roster[static_cast<std::size_t>(row)];
    if (entry.Name.empty() || entry.Name == client.session.UserName) return;
    if (client.viewWindow->IsShiftDown() || client.viewWindow->IsCtrlDown()) {
        AttacheToName(client, entry.Name);
        return;
    }
    // Copies, so nothing the call does to the roster can pull them away.
    std::wstring name = entry.Name;
    std::wstring picStr = entry.PicStr;
    DialogMessage(client, kOpenDialog, name, false, L"", picStr, 0);
}

void AttacheToName(Client& client, const std::wstring& xName) {
    ChatInput input = client.viewWindow->ReadChatInput();
    std::int32_t shift = static_cast<std::int32_t>(xName.size()) + 2;
    input.Text = xName + L": " + input.Text;
    input.SelStart += shift;
    input.SelEnd += shift;
    client.viewWindow->WriteChatInput(input);
}

}  // namespace vellora
