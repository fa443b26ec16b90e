#pragma once
// The getdata answer: an HTML page whose scripts carry the user list
// (top.showUser), the chat lines since the last poll (var chats) and the
// participant counts (top.setUserCounts). Each part is found by its opening
// text, first occurrence only; values are single-quoted and end at the first
// occurrence of the text that follows them. A missing marker ends the list,
// batch or statement being read, and what was read before it stands.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "view/roster.h"

namespace vellora {

struct ChatRecord {
    std::int32_t Type = 0;  // one digit; a non-digit reads as 0
    std::wstring Name;      // as it stands
    std::wstring Msg;       // still with its HTML entities
};

struct ParticipantCounts {
    std::wstring Active;   // chatters, decimal text as sent
    std::wstring Passive;  // listeners
};

struct GetdataAnswer {
    bool Complete = false;  // the body ends with "</html>" (and perhaps a line break)
    bool Denied = false;    // "Denied, please login." outside the user list and chat lines
    std::vector<ListedUser> Users;  // empty when absent or empty
    std::vector<ChatRecord> Chats;
    std::optional<ParticipantCounts> Counts;
};

GetdataAnswer ParseGetdata(std::string_view body);

// A user record's id: a decimal number within the signed 32-bit range; any
// other text reads as 0.
std::int32_t ReadListedId(std::string_view text);

}  // namespace vellora
