#pragma once
// The roster: one entry per user present in the chat, in the order of the
// rows of the main user list (row i shows entry i).

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "net/clock.h"

namespace vellora {

// An entry's avatar as the picture layer hands it out: 0 none yet, -1 loading
// failed (not tried again), anything else a picture the entry owns.
using PictureHandle = std::intptr_t;
inline constexpr PictureHandle kNoPicture = 0;
inline constexpr PictureHandle kPictureFailed = -1;

inline bool HoldsPicture(PictureHandle picture) { return picture != kNoPicture && picture != kPictureFailed; }

// What a user-list row shows on its left: an icon, -1 while no picture is
// known, -2 when making the icon failed.
using RowPicture = std::intptr_t;
inline constexpr RowPicture kRowPicturePending = -1;
inline constexpr RowPicture kRowPictureFailed = -2;

struct RosterEntry {
    std::wstring Name;    // as the chat lists it; staff carry "club-team: " before it
    std::wstring PicStr;  // picture source from the user list
    std::int32_t UserId = 0;
    std::int32_t Age = -1;  // -1 not retrieved, -2 being retrieved, 0 unknown, else years
    Tick LastActivity = 0;
    bool ShowNormal = true;  // false: the row is drawn grayed out
    bool IsIgnored = false;
    PictureHandle Picture = kNoPicture;
    std::uint8_t PictureFailures = 0;  // downloads of PicStr that failed in transport
    bool JoinNotified = false;  // no friend-join notification is due any more
};

using Roster = std::vector<RosterEntry>;

// A user as the chat server's user list names them.
struct ListedUser {
    std::int32_t Id = 0;
    std::wstring Name;
    std::wstring Src;
};

// Index of the entry whose Name equals Name exactly, or -1.
int FindRosterEntry(const Roster& roster, std::wstring_view name);

}  // namespace vellora
