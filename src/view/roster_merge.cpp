#include "view/roster_merge.h"

#include "view/lists_dialog.h"

namespace vellora {
namespace {

void RemoveEntry(Client& client, std::size_t index) {
    PictureHandle picture = client.roster[index].Picture;
    if (HoldsPicture(picture)) client.pictures->ReleasePicture(picture);
    client.roster.erase(client.roster.begin() + static_cast<std::ptrdiff_t>(index));
    client.window->RemoveUserRow(index);
}

// CollectFriend: the entry is new at the end of a roster that had no more
// entries to compare, the way every entry of the first list after entering
// the chat is.
void AppendEntry(Client& client, const ListedUser& user, bool collectFriend) {
    RosterEntry entry;
    entry.Name = user.Name;
    entry.PicStr = user.Src;
    entry.LastActivity = TickNow();
    SetInitialDrawingState(entry, client.settings.GrayOrHilightUsersMode, client.lists);
    entry.UserId = user.Id;  // Picture none, JoinNotified false, Age -1: the defaults
    client.roster.push_back(std::move(entry));

    std::size_t index = client.roster.size() - 1;
    RowPicture rowPicture = client.pictures->NewEntryPicture(index);
    // NewEntryPicture may have changed the entry; read it afresh.
    RosterEntry& added = client.roster[index];
    client.window->AddUserRow(added.Name, rowPicture, added.ShowNormal);

    if (!collectFriend || client.FriendsAtEntryDone) return;
    if (FindInList(client.lists.Friends, added.Name) >= 0) {
        client.ListsDialogMode = kCollectingFriends;
        AddFriendPresentRow(client, added.Name, added.PicStr);
        added.JoinNotified = true;
    } else if (client.ListsDialogMode == kFriendsList) {
        client.ListsDialogMode = kNoFriendPresent;
    }
}

}  // namespace

void SetInitialDrawingState(RosterEntry& entry, std::int32_t mode, const RelationLists& lists) {
    switch (mode) {
    case kGrayNobody:
        entry.ShowNormal = true;
        break;
    case kGrayIgnored:
    case kGrayIgnoredAndIdle:
        entry.ShowNormal = FindInList(lists.Banned, entry.Name) < 0 && FindInList(lists.TempIgnored, entry.Name) < 0;
        entry.IsIgnored = !entry.ShowNormal;
        break;
    case kGrayAllButFriends:
        entry.ShowNormal = FindInList(lists.Friends, entry.Name) >= 0;
        break;
    default:
        break;
    }
}

void MergeUserList(Client& client, const std::vector<ListedUser>& users) {
    Roster& roster = client.roster;
    std::size_t cursor = 0;
    for (const ListedUser& user : users) {
        bool pastEnd = cursor >= roster.size();
        while (cursor < roster.size() && roster[cursor].Name != user.Name) RemoveEntry(client, cursor);
        if (cursor >= roster.size()) AppendEntry(client, user, pastEnd);
        ++cursor;
    }
    while (roster.size() > cursor) RemoveEntry(client, roster.size() - 1);

    if (client.ListsDialogMode == kCollectingFriends) {
        ShowFriendsPresent(client);
        client.ListsDialogMode = kFriendsList;
        client.FriendsAtEntryDone = true;
    } else if (client.ListsDialogMode == kNoFriendPresent) {
        client.FriendsAtEntryDone = true;
    }
}

}  // namespace vellora
