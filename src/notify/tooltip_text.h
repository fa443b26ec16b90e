#pragma once
// The texts of the hover help: a heading (lines separated by "\r", the first
// one set apart by a rule) and a table (rows separated by "\r", each a label,
// a tab and a value). The user information tooltip tells a user's relation
// to the own user, the age and how long ago they were last active.

#include <cstdint>
#include <string>

#include "core/client.h"
#include "net/clock.h"

namespace vellora {

// A user as the information tooltip needs them.
struct TooltipUser {
    std::int32_t userId = 0;
    std::wstring name;
    std::int32_t age = -1;  // -2 being read, -1 not read, 0 unknown, else years
    Tick lastMessage = 0;   // last activity; 0 none known
};

// The heading of string CaptionId with every "%U" standing for the user's
// name. Names come from the server: they are shown as plain text, so a line
// break or tab in one must not start a new line or column.
std::wstring TooltipTitle(std::int32_t captionId, const std::wstring& name);

// True when UserId is the own user's (the login's user id, as a number).
bool IsOwnUserId(const Client& client, std::int32_t userId);

// A dialog's age text (DlgAge) as the number the tooltip takes; 0 when it
// is none.
std::int32_t AgeNumber(const std::wstring& ageText);

// The table of the information tooltip: "Relation", "Age" and "Last
// interaction" rows in the user-interface language.
std::wstring UserTooltipTable(const Client& client, const TooltipUser& user);

}  // namespace vellora
