#include "view/roster_merge.h"

#include "view/lists_dialog.h"

namespace vellora {
namespace {

// Lets go of an entry that left: its picture and its row (the row now at
// RowIndex). The entry itself is dropped from the roster by the caller.
void ReleaseEntry(Client& client, RosterEntry& entry, std::size_t rowIndex) {
    if (HoldsPicture(entry.Picture)) client.pictures->ReleasePicture(entry.Picture);
    client.window->RemoveUserRow(rowIndex);
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
    // The entries that stay are moved up in place (Kept of them so far)
    // while the old roster is read (from Read on), so a list in quite
    // another order costs no more than one pass. Rows follow the same way:
    // the row of the entry at Read is always row Kept.
    const std::size_t oldCount = roster.size();
    std::size_t read = 0;
    std::size_t kept = 0;
    for (const ListedUser& user : users) {
        bool pastEnd = read >= oldCount;
        while (read < oldCount && roster[read].Name != user.Name) ReleaseEntry(client, roster[read++], kept);
        if (read < oldCount) {
            if (kept != read) roster[kept] = std::move(roster[read]);
            ++kept;
            ++read;
            continue;
        }
        // The old roster is used up: everything from here on is new.
        roster.resize(kept);
        AppendEntry(client, user, pastEnd);
        ++kept;
    }
    // The rest left; the last row goes first.
    for (std::size_t i = oldCount; i > read; --i) ReleaseEntry(client, roster[i - 1], kept + (i - 1 - read));
    roster.resize(kept);

    if (client.ListsDialogMode == kCollectingFriends) {
        ShowFriendsPresent(client);
        client.ListsDialogMode = kFriendsList;
        client.FriendsAtEntryDone = true;
    } else if (client.ListsDialogMode == kNoFriendPresent) {
        client.FriendsAtEntryDone = true;
    }
}

}  // namespace vellora
