#include "chat/getdata_answer.h"

#include "chat/getdata_parser.h"
#include "core/client_events.h"
#include "resources/string_ids.h"
#include "resources/strings.h"
#include "text/case.h"
#include "text/replace_all.h"
#include "text/time_of_day.h"
#include "text/un_html.h"
#include "view/roster_merge.h"

namespace vellora {
namespace {

constexpr std::wstring_view kStaffPrefix = L"club-team: ";
// The chat server cuts a line at 2000 bytes; one that holds far more would
// sit in the panes' rings and documents until it is pushed out.
constexpr std::size_t kMaxLineChars = 65536;

// Text cut to at most kMaxLineChars, never between the halves of a pair.
std::wstring CutLong(std::wstring text) {
    if (text.size() <= kMaxLineChars) return text;
    std::size_t keep = kMaxLineChars;
    if (text[keep - 1] >= 0xD800 && text[keep - 1] <= 0xDBFF) --keep;
    text.resize(keep);
    return text;
}

void ShowChatLines(Client& client, const std::vector<ChatRecord>& chats) {
    std::int32_t time = TimeOfDaySeconds();
    client.AlertSoundDue = false;
    for (const ChatRecord& chat : chats) {
        if (client.MustSpace) {
            for (const wchar_t* line : {L"", L"   Reconnected", L""}) {
                std::wstring text = line;
                client.view->InMessage(kUserLineType, L"", text, -1);
            }
            client.MustSpace = false;
        }
        std::wstring msg = CutLong(UnHtml(chat.Msg));
        client.view->InMessage(chat.Type, CutLong(chat.Name), msg, time);
    }
    if (!client.ChatBatchSeen) {
        client.ChatBatchSeen = true;
        SetMustSpace(client, false);
    }
    if (client.AlertSoundDue && client.settings.SoundPlay) PlayNotificationSound(client);
}

// The own user must be listed; the listed spelling of the name wins, and a
// listing with the staff prefix switches to the staff menus.
void CheckOwnPresence(Client& client) {
    std::wstring& userName = client.session.UserName;
    if (FindRosterEntry(client.roster, userName) >= 0) return;
    std::wstring staffName = std::wstring(kStaffPrefix) + userName;
    for (const RosterEntry& entry : client.roster) {
        if (EqualsNoCase(entry.Name, userName)) {
            userName = entry.Name;
            return;
        }
        if (EqualsNoCase(entry.Name, staffName)) {
            userName = entry.Name;
            client.window->SwitchToStaffMenus();
            return;
        }
    }
    ReportStatus(client, kInvisibilityNotice, false);
    SetMustSpace(client, true);
}

// Every answer carries the counts, and they seldom change: an unchanged
// text is not drawn again twice a second.
void ShowCounts(Client& client, const std::optional<ParticipantCounts>& counts) {
    if (!counts) return;
    std::wstring text = CountsText(counts->Active, counts->Passive);
    if (text == client.CountsShown) return;
    client.CountsShown = text;
    client.window->SetStatusBarText(text);
}

}  // namespace

std::wstring CountsText(const std::wstring& active, const std::wstring& passive) {
    if (active == L"0") return ReplaceAllNoCase(LoadResString(kStrListeners), L"%L", passive);
    if (passive != L"0") {
        std::wstring text = ReplaceAllNoCase(LoadResString(kStrChattersAndListeners), L"%L", passive);
        return ReplaceAllNoCase(text, L"%C", active);
    }
    return ReplaceAllNoCase(LoadResString(kStrChatters), L"%C", active);
}

void HandleGetdataAnswer(Client& client, std::string_view body, bool fromCurrentLogin) {
    GetdataAnswer answer = ParseGetdata(body);
    Session& s = client.session;

    // A cut-off answer is only reported; the chat lines and counts it does
    // carry are still used, its user list is not.
    if (!answer.Complete) {
        bool wasDisconnected = s.Disconnected;
        ReportStatusString(client, kStrPackageIncomplete, false);
        s.Disconnected = wasDisconnected;
    }

    if (answer.Denied) {
        // Reporting a stale denial would throw away the login that has just
        // replaced its session, and log in once more for nothing.
        if (s.Disconnected || !fromCurrentLogin) {
            ShowCounts(client, answer.Counts);
        } else {
            ReportStatusString(client, kStrLoginInvalid, true);
            SetMustSpace(client, true);
        }
        return;
    }

    if (answer.Complete && !answer.Users.empty()) MergeUserList(client, answer.Users);
    if (!answer.Chats.empty()) ShowChatLines(client, answer.Chats);
    if (answer.Complete && !s.Disconnected) CheckOwnPresence(client);
    ShowCounts(client, answer.Counts);
}

}  // namespace vellora
