#include "notify/tooltip_text.h"

#include <charconv>

#include "resources/string_ids.h"
#include "resources/strings.h"
#include "text/codepage.h"
#include "text/replace_all.h"

namespace vellora {
namespace {

// Control characters (line breaks, tabs) would be taken as the tooltip's
// own separators.
std::wstring PlainName(const std::wstring& name) {
    std::wstring plain = name;
    for (wchar_t& c : plain) {
        if (c < L' ') c = L' ';
    }
    return plain;
}

// The whole text as a decimal number, or nothing.
bool ParseNumber(const std::wstring& text, std::int32_t& number) {
    const std::string digits = WideToAnsi(text);
    const char* end = digits.data() + digits.size();
    auto [stop, error] = std::from_chars(digits.data(), end, number);
    return !digits.empty() && error == std::errc() && stop == end;
}

std::int32_t RelationString(const Client& client, const TooltipUser& user) {
    if (IsOwnUserId(client, user.userId)) return kStrRelationSelf;
    if (FindInList(client.lists.Friends, user.name) >= 0) return kStrRelationFriend;
    if (FindInList(client.lists.Banned, user.name) >= 0) return kStrRelationIgnored;
    if (FindInList(client.lists.TempIgnored, user.name) >= 0) return kStrRelationTempIgnored;
    return kStrRelationNone;
}

std::wstring AgeText(const Client& client, const TooltipUser& user) {
    if (user.age == -1) return LoadResString(client.settings.RetrieveUserAges ? kStrAgeNotYetRetrieved : kStrAgeNotRetrieved);
    // A user's own profile page is fetched now and then as well; that fetch
    // is not the one that brings this user's age.
    if (user.age == -2 && client.poll.PendingUid == user.userId && user.userId != 0 && !client.OwnProfileRefresh) {
        return LoadResString(kStrAgeRetrieving);
    }
    if (user.age >= 1) return ReplaceAll(LoadResString(kStrAgeYears), L"%A", std::to_wstring(user.age));
    return LoadResString(kStrAgeUnknown);
}

std::wstring IdleText(const TooltipUser& user) {
    constexpr std::uint32_t kDay = 86400, kHour = 3600, kMinute = 60;
    // Without a time of activity the user has not been seen doing anything.
    const std::uint32_t s = user.lastMessage == 0 ? kDay : TickSince(user.lastMessage) / 1000;
    if (s >= kDay) return LoadResString(kStrLastLongAgo);
    if (s >= kHour) return ReplaceAll(LoadResString(kStrLastHours), L"%I", std::to_wstring(s / kHour));
    if (s < kMinute) return ReplaceAll(LoadResString(kStrLastSeconds), L"%I", std::to_wstring(s));
    return ReplaceAll(LoadResString(kStrLastMinutes), L"%I", std::to_wstring(s / kMinute));
}

}  // namespace

bool IsOwnUserId(const Client& client, std::int32_t userId) {
    std::int32_t own = 0;
    return ParseNumber(client.session.OwnUserId, own) && own == userId;
}

std::int32_t AgeNumber(const std::wstring& ageText) {
    std::int32_t age = 0;
    return ParseNumber(ageText, age) ? age : 0;
}

std::wstring TooltipTitle(std::int32_t captionId, const std::wstring& name) {
    return ReplaceAll(LoadResString(captionId), L"%U", PlainName(name));
}

std::wstring UserTooltipTable(const Client& client, const TooltipUser& user) {
    std::wstring table = LoadResString(kStrTipUserDetails);
    table = ReplaceAll(table, L"%R", LoadResString(RelationString(client, user)));
    table = ReplaceAll(table, L"%A", AgeText(client, user));
    table = ReplaceAll(table, L"%I", IdleText(user));
    // "%P" goes before the name comes in: a name may hold those letters.
    table = ReplaceAll(table, L"%P", L"");
    table = ReplaceAll(table, L"%U", PlainName(user.name));
    if (!table.empty() && table.front() == L'\r') table.erase(0, 1);
    return table;
}

}  // namespace vellora
