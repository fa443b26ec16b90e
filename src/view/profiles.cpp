#include "view/profiles.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <limits>

#include "core/client_events.h"
#include "text/codepage.h"
#include "text/rtf_text.h"
#include "text/time_of_day.h"
#include "text/un_html.h"
#include "view/attention.h"
#include "view/dialog_routing.h"

namespace vellora {
namespace {

constexpr std::wstring_view kSmallAvatarPath = L"/sendrix/incl/images/club/avatar/s/";
constexpr std::size_t kExtensionLength = 4;
// The club's default avatars, which the program carries itself.
constexpr std::array<std::wstring_view, 10> kPlaceholderNames = {
    L"F_UNDER18", L"F_18_25", L"F_25_35", L"F_35_45", L"F_OVER45",
    L"M_UNDER18", L"M_18_25", L"M_25_35", L"M_35_45", L"M_OVER45"};

constexpr std::wstring_view kAgeMarker = L"<td class='left'>Alter:</td><td>";
constexpr std::wstring_view kCellEnd = L"</td>";
constexpr std::wstring_view kPlaceMarker = L"<td>Ort:</td><td>";
constexpr std::wstring_view kPlaceEnd = L"&nbsp;&nbsp;(<img src='";

constexpr std::uint32_t kOwnProfileIntervalMs = 300000;
constexpr std::wstring_view kJoinedSuffix = L" is in the chat";

bool IsBlank(wchar_t c) { return c == L' ' || c == L'\t' || c == L'\r' || c == L'\n'; }

std::wstring Trimmed(const std::wstring& text) {
    std::size_t first = 0;
    std::size_t last = text.size();
    while (first < last && IsBlank(text[first])) ++first;
    while (last > first && IsBlank(text[last - 1])) --last;
    return text.substr(first, last - first);
}

// The number the text starts with (blanks before it allowed), 0 when none;
// a number too large for 32 bits reads as the largest one.
std::int32_t LeadingNumber(std::wstring_view text) {
    std::size_t i = 0;
    while (i < text.size() && IsBlank(text[i])) ++i;
    std::int64_t value = 0;
    for (; i < text.size() && text[i] >= L'0' && text[i] <= L'9'; ++i) {
        value = std::min<std::int64_t>(value * 10 + (text[i] - L'0'), std::numeric_limits<std::int32_t>::max());
    }
    return static_cast<std::int32_t>(value);
}

// A user id as the login read it; false when it is no usable number.
bool ParseUserId(const std::wstring& text, std::int32_t& id) {
    const std::string digits = WideToAnsi(text);
    const char* end = digits.data() + digits.size();
    auto [stop, error] = std::from_chars(digits.data(), end, id);
    return error == std::errc() && stop == end && id != 0;
}

bool IsFriend(const Client& client, const std::wstring& name) { return FindInList(client.lists.Friends, name) >= 0; }

}  // namespace

std::optional<ProfileFacts> ReadProfilePage(std::string_view body) {
    const std::wstring page = AnsiToWide(body);
    std::size_t ageAt = page.find(kAgeMarker);
    if (ageAt == std::wstring::npos) return std::nullopt;
    ageAt += kAgeMarker.size();
    std::size_t ageEnd = page.find(kCellEnd, ageAt);
    if (ageEnd == std::wstring::npos) return std::nullopt;
    std::wstring age = Trimmed(UnHtmlField(std::wstring_view(page).substr(ageAt, ageEnd - ageAt)));

    std::wstring place;
    std::size_t placeAt = page.find(kPlaceMarker, ageEnd);
    if (placeAt != std::wstring::npos) {
        placeAt += kPlaceMarker.size();
        std::size_t placeEnd = page.find(kPlaceEnd, placeAt);
        if (placeEnd == std::wstring::npos) return std::nullopt;
        place = Trimmed(UnHtmlField(std::wstring_view(page).substr(placeAt, placeEnd - placeAt)));
    }

    ProfileFacts facts;
    facts.Age = LeadingNumber(age);
    if (!age.empty() && !place.empty()) {
        facts.DisplayText = age + L", " + place;
    } else if (!place.empty()) {
        facts.DisplayText = L"???, " + place;
    } else {
        facts.DisplayText = age;
    }
    return facts;
}

std::wstring PlaceholderName(const Client& client, const std::wstring& picStr) {
    const std::wstring prefix = L"http://" + AnsiToWide(client.endpoints.ClubHost) + std::wstring(kSmallAvatarPath);
    if (picStr.size() < prefix.size() + kExtensionLength || picStr.compare(0, prefix.size(), prefix) != 0) {
        return std::wstring();
    }
    std::wstring name = picStr.substr(prefix.size(), picStr.size() - prefix.size() - kExtensionLength);
    bool known = std::find(kPlaceholderNames.begin(), kPlaceholderNames.end(), name) != kPlaceholderNames.end();
    return known ? name : std::wstring();
}

RowPicture ProfilePictures::TakePicture(RosterEntry& entry, PictureHandle picture) {
    ViewWindow& w = *client_.viewWindow;
    PictureHandle copy = w.CopyPicture(picture, kPictureWidth, kPictureHeight);
    if (copy == kNoPicture) {
        entry.Picture = kPictureFailed;
        return kRowPictureFailed;
    }
    entry.Picture = copy;
    RowPicture icon = w.MakeUserIcon(copy);
    return icon != 0 ? icon : kRowPictureFailed;
}

void ProfilePictures::NotifyFriendJoined(RosterEntry& entry) {
    if (entry.JoinNotified || client_.settings.FriendsPopup != kFriendsPopupToasterWithPicture ||
        !IsFriend(client_, entry.Name))
        return;
    PictureHandle picture = HoldsPicture(entry.Picture) ? entry.Picture : kNoPicture;
    RequestToaster(client_, kToasterEvent, entry.Name, EscapeRtf(entry.Name) + std::wstring(kJoinedSuffix),
                   TimeOfDaySeconds(), picture);
    if (client_.settings.SoundPlay) PlayNotificationSound(client_);
    entry.JoinNotified = true;
}

RowPicture ProfilePictures::NewEntryPicture(std::size_t index) {
    if (index >= client_.roster.size()) return kRowPicturePending;
    std::wstring name = PlaceholderName(client_, client_.roster[index].PicStr);
    if (name.empty()) return kRowPicturePending;
    ViewWindow& w = *client_.viewWindow;
    PictureHandle placeholder = w.LoadPlaceholderPicture(name);
    if (placeholder == kNoPicture) return kRowPicturePending;
    RosterEntry& entry = client_.roster[index];
    RowPicture icon = TakePicture(entry, placeholder);
    w.ReleasePicture(placeholder);
    // The first user list after a login names those who were there already.
    if (client_.ChatBatchSeen) NotifyFriendJoined(entry);
    return icon;
}

bool ProfilePictures::NextPictureToLoad(std::wstring& picUrl) {
    const PollState& poll = client_.poll;
    if (!poll.PendingPicUrl.empty() || poll.SideWaitTicks != 0 || poll.PendingUid != 0) return false;
    // Friends first, and a friend whose arrival waits for the picture before
    // everybody else.
    const RosterEntry* chosen = nullptr;
    int chosenPriority = -1;
    for (const RosterEntry& entry : client_.roster) {
        if (entry.Picture != kNoPicture) continue;
        int priority = 0;
        if (IsFriend(client_, entry.Name))
            priority = !entry.JoinNotified && client_.settings.FriendsPopup == kFriendsPopupToasterWithPicture ? 2 : 1;
        if (priority > chosenPriority) {
            chosen = &entry;
            chosenPriority = priority;
        }
        if (priority == 2) break;
    }
    if (!chosen) return false;
    picUrl = chosen->PicStr;
    return true;
}

bool ProfilePictures::NextAgeToRetrieve(std::int32_t& uid) {
    const PollState& poll = client_.poll;
    if (!poll.PendingPicUrl.empty() || poll.SideWaitTicks != 0 || poll.PendingUid != 0) return false;
    // Whatever was asked before has ended, answered or not.
    client_.OwnProfileRefresh = false;
    if (client_.settings.RetrieveUserAges) {
        for (RosterEntry& entry : client_.roster) {
            if (entry.Age != -1) continue;
            entry.Age = -2;
            uid = entry.UserId;
            client_.PendingAgeUser = entry.Name;
            return true;
        }
    }
    // The own page is fetched every five minutes whatever RetrieveUserAges
    // says; nothing on it is used.
    std::int32_t ownId = 0;
    if (!TickElapsed(client_.LastOwnProfile, kOwnProfileIntervalMs)) return false;
    if (!ParseUserId(client_.session.OwnUserId, ownId)) return false;
    uid = ownId;
    client_.PendingAgeUser = client_.session.UserName;
    client_.OwnProfileRefresh = true;
    return true;
}

void ProfilePictures::PictureLoaded(const std::wstring& picUrl, const std::string& body) {
    ViewWindow& w = *client_.viewWindow;
    bool decodeTried = false;
    PictureHandle decoded = kNoPicture;
    auto decode = [&] {
        if (!decodeTried && !body.empty()) decoded = w.DecodePicture(body);
        decodeTried = true;
        return decoded;
    };

    for (std::size_t i = 0; i < client_.roster.size(); ++i) {
        RosterEntry& entry = client_.roster[i];
        if (entry.PicStr != picUrl || entry.Picture != kNoPicture) continue;
        if (decode() == kNoPicture) {
            // Fetching it again would bring the same bytes.
            entry.Picture = kPictureFailed;
            client_.window->SetUserRowPicture(i, kRowPictureFailed);
            continue;
        }
        client_.window->SetUserRowPicture(i, TakePicture(entry, decoded));
        NotifyFriendJoined(entry);
    }
    for (const std::unique_ptr<Form2>& dialog : client_.Dialogs) {
        if (!dialog->NeedPic || dialog->FullPictureString != picUrl || decode() == kNoPicture) continue;
        dialog->hBmp = dialog->window->SetPicture(decoded);
        SetDialogIcons(decoded, *dialog);
        dialog->NeedPic = false;
    }
    if (decoded != kNoPicture) w.ReleasePicture(decoded);
}

void ProfilePictures::PictureFailed(const std::wstring& picUrl) {
    for (std::size_t i = 0; i < client_.roster.size(); ++i) {
        RosterEntry& entry = client_.roster[i];
        if (entry.PicStr != picUrl || entry.Picture != kNoPicture) continue;
        if (++entry.PictureFailures < kPictureAttempts) continue;
        entry.Picture = kPictureFailed;
        client_.window->SetUserRowPicture(i, kRowPictureFailed);
    }
}

void ProfilePictures::ProfileLoaded(std::int32_t uid, const std::string& body) {
    if (client_.OwnProfileRefresh) {
        // The periodic request for the own page: nothing on it is read.
        client_.OwnProfileRefresh = false;
        client_.LastOwnProfile = TickNow();
        return;
    }
    std::optional<ProfileFacts> facts = ReadProfilePage(body);
    if (!facts) return;
    for (std::size_t i = 0; i < client_.roster.size(); ++i) {
        if (client_.roster[i].UserId != uid) continue;
        client_.roster[i].Age = facts->Age;
        client_.window->SetUserRowDetail(i, facts->DisplayText);
        break;
    }
    for (const std::unique_ptr<Form2>& dialog : client_.Dialogs) {
        if (dialog->DlgUser != client_.PendingAgeUser) continue;
        dialog->DlgAge = std::to_wstring(facts->Age);
        dialog->window->SetCaption(DialogCaption(dialog->DlgUser, &facts->DisplayText));
        if (dialog->IsDocked) dialog->window->RedrawLabel();
    }
    client_.OwnProfileRefresh = false;
    client_.LastOwnProfile = TickNow();
}

void ProfilePictures::ReleasePicture(PictureHandle picture) { client_.viewWindow->ReleasePicture(picture); }

}  // namespace vellora
