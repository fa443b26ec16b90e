#pragma once
// The user's relation lists (friends, ignored, temporarily ignored): ordered
// names, at most 100 each, looked up without regard to letter case.

#include <string>
#include <string_view>
#include <vector>

namespace vellora {

inline constexpr std::size_t kMaxListNames = 100;

using RelationList = std::vector<std::wstring>;

struct RelationLists {
    RelationList Friends;
    RelationList Banned;       // ignored users, stored in the settings file
    RelationList TempIgnored;  // kept for this run only
};

// Index of the first name equal to Name when both are lower-cased, or -1.
int FindInList(const RelationList& list, std::wstring_view name);

// Appends the names of a stored value ("a,b,c") to List: pieces trimmed of
// blanks, empty pieces dropped, and no more than 100 names in the list.
void ParseList(std::wstring_view value, RelationList& list);

// The stored form: names joined by "," without blanks.
std::wstring JoinList(const RelationList& list);

}  // namespace vellora
