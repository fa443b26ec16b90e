#include "view/chat_render.h"

#include <algorithm>

#include "core/client_events.h"
#include "resources/string_ids.h"
#include "text/case.h"
#include "text/hidden_text.h"
#include "text/rtf_text.h"
#include "text/time_of_day.h"
#include "view/attention.h"
#include "view/dialog_routing.h"

namespace vellora {
namespace {

constexpr std::wstring_view kTeamPrefix = L"*** SENDRIX TALMOR Club Team:  ";
constexpr std::wstring_view kSystemPrefix = L"*** ";
constexpr std::wstring_view kBannedEnding = L" wurde aus dem Chat verbannt";
constexpr std::wstring_view kKickedEnding = L" wurde aus dem Chat geworfen";
constexpr std::size_t kEndingLength = 28;
constexpr std::wstring_view kSongStart = L"(listening to: ";
// A leave line reads "*** " + name + " verlässt den Raum.".
constexpr std::wstring_view kLeaveShape = L"***  verl\u00E4sst den Raum.";
constexpr std::size_t kLeaveHead = 4;
constexpr std::size_t kLeaveTail = 19;
constexpr std::wstring_view kTeamName = L"Club-Team";

constexpr std::uint32_t kAlertQuietMs = 300000;

std::wstring_view TrimLeft(std::wstring_view text) {
    while (!text.empty() && text.front() == L' ') text.remove_prefix(1);
    return text;
}

std::wstring_view TrimRight(std::wstring_view text) {
    while (!text.empty() && text.back() == L' ') text.remove_suffix(1);
    return text;
}

// Position of Needle in Text, letter case ignored.
std::size_t FindNoCase(std::wstring_view text, std::wstring_view needle) {
    for (std::size_t i = 0; i + needle.size() <= text.size(); ++i) {
        if (EqualsNoCase(text.substr(i, needle.size()), needle)) return i;
    }
    return std::wstring_view::npos;
}

bool IsSongLine(std::wstring_view msg) { return msg.starts_with(kSongStart) && msg.ends_with(L')'); }

bool IsLeaveLine(std::wstring_view msg) {
    std::wstring shape(msg.substr(0, kLeaveHead));
    shape += msg.substr(msg.size() > kLeaveTail ? msg.size() - kLeaveTail : 0);
    return shape == kLeaveShape;
}

// The own name as it stands in a line's rich text.
std::wstring OwnName(const Client& client) { return EscapeRtf(client.session.UserName); }

// The line, leading blanks aside, opens with the own name and a colon.
bool OpensWithOwnName(std::wstring_view msg, const std::wstring& ownName) {
    return !ownName.empty() && TrimLeft(msg).starts_with(ownName + L":");
}

std::wstring Rendered(const Client& client, const std::wstring& msg, const std::wstring& key, HiddenMode mode) {
    return RenderHiddenText(msg, key, mode, client.session.UserName);
}

// Clears ToasterHold when the line is done; a status line reported while a
// line is handled leaves the outer line's hold as it was.
class ToasterHoldScope {
public:
    explicit ToasterHoldScope(Client& client) : client_(client), before_(client.ToasterHold) {}
    ~ToasterHoldScope() { client_.ToasterHold = before_; }
    ToasterHoldScope(const ToasterHoldScope&) = delete;
    ToasterHoldScope& operator=(const ToasterHoldScope&) = delete;

private:
    Client& client_;
    bool before_;
};

void NoteActivity(Client& client, const std::wstring& user) {
    int index = FindRosterEntry(client.roster, user);
    if (index < 0) return;
    RosterEntry& entry = client.roster[static_cast<std::size_t>(index)];
    entry.LastActivity = TickNow();
    if (client.settings.GrayOrHilightUsersMode == kGrayIgnoredAndIdle && !entry.ShowNormal && !entry.IsIgnored) {
        entry.ShowNormal = true;
        client.window->SetUserRowNormal(static_cast<std::size_t>(index), true);
    }
}

void AlertCheck(Client& client) {
    client.ToasterHold = true;
    if (TickElapsed(client.LastAlertTick, kAlertQuietMs)) {
        client.LastAlertTick = TickNow();
        client.AlertSoundDue = true;
    }
}

void ToastIfUnseen(Client& client, std::int32_t xType, const std::wstring& user, const std::wstring& msg) {
    // The first batch after a login repeats the chat's history: old lines
    // are nothing to be told about.
    if (!client.ChatBatchSeen) return;
    if (IsLineSeen(client, client.viewWindow->ForegroundWindow(), xType, user, msg)) return;
    if (xType == kSystemLineType) {
        if (IsSongLine(msg) || IsLeaveLine(msg)) return;
        RequestToaster(client, kToasterEvent, L"", msg, TimeOfDaySeconds(), kNoPicture);
    } else {
        HiddenMode mode = OpensWithOwnName(msg, OwnName(client)) ? HiddenMode::Decode : HiddenMode::Placeholder;
        std::wstring text = UnderlineOwnName(Rendered(client, msg, user, mode), client.session.UserName);
        RequestToaster(client, kToasterMessage, user, text, TimeOfDaySeconds(), kNoPicture);
    }
    AlertCheck(client);
}

// Another user's line: one addressed to the own user goes to the dialog with
// its writer, without the own name.
bool RouteOthersLine(Client& client, const std::wstring& sender, std::wstring& msg, std::int32_t time) {
    const std::wstring own = OwnName(client);
    if (OpensWithOwnName(msg, own)) {
        msg = Rendered(client, msg, sender, HiddenMode::Decode);
        std::wstring_view rest = TrimLeft(msg);
        rest.remove_prefix(std::min(rest.size(), own.size() + 1));
        return DialogMessage(client, kUserLineType, sender, false, std::wstring(TrimLeft(rest)), L"", time);
    }
    const std::wstring needle = L": " + own + L":";
    bool addressed = !own.empty() && FindNoCase(msg, needle) != std::wstring::npos;
    msg = Rendered(client, msg, sender, HiddenMode::Placeholder);
    if (!addressed) return false;
    // The address is looked for again in the rendered text: a placeholder
    // before it has another length than the hidden run it replaces.
    std::size_t at = FindNoCase(msg, needle);
    if (at == std::wstring::npos) return false;
    // 'bob: anna: hi' seen by anna: 'bob: ' and what follows 'anna: '. Only a
    // blank is dropped behind the colon: anything else may be half of an
    // escape or of a group.
    std::size_t restAt = at + 2 + own.size() + 1;
    if (restAt < msg.size() && msg[restAt] == L' ') ++restAt;
    std::wstring copy = msg.substr(0, at + 2) + (restAt < msg.size() ? msg.substr(restAt) : std::wstring());
    return DialogMessage(client, kUserLineType, sender, false, copy, L"", time);
}

// An own line: every user it addresses gets a copy in their dialog.
bool RouteOwnLine(Client& client, std::wstring& msg, std::int32_t time) {
    msg = Rendered(client, msg, client.session.UserName, HiddenMode::Decode);
    bool shown = false;
    for (const AddressedCopy& copy : OwnLineCopies(msg)) {
        if (DialogMessage(client, kUserLineType, copy.User, true, copy.Text, L"", time)) shown = true;
    }
    return shown;
}

bool RouteUserLine(Client& client, const std::wstring& sender, std::wstring& msg, std::int32_t time) {
    if (!IsSongLine(msg)) {
        Tick now = TickNow();
        client.LastChatLineTick = now;
        client.LastAlertTick = now;
    }
    if (sender != client.session.UserName) return RouteOthersLine(client, sender, msg, time);
    return RouteOwnLine(client, msg, time);
}

void ReportKick(Client& client, std::int32_t stringId) {
    ReportStatusString(client, stringId, false);
    client.session.KickTick = TickNow();
    SetMustSpace(client, true);
    if (client.settings.SoundPlay) PlayNotificationSound(client);
    // The poll loop logs in again once the kick delay is over.
    client.session.Disconnected = true;
}

}  // namespace

std::vector<AddressedCopy> OwnLineCopies(std::wstring_view msg) {
    std::vector<AddressedCopy> copies;
    std::size_t nameStart = 0;
    while (nameStart <= msg.size()) {
        std::size_t colon = msg.find(L':', nameStart);
        if (colon == std::wstring_view::npos) break;
        std::wstring_view name = msg.substr(nameStart, colon - nameStart);
        // A team name carries a colon of its own. The chat lists team members
        // as "club-team: ", so the letter case of the prefix is not looked at.
        if (EqualsNoCase(name, kTeamName)) {
            colon = msg.find(L':', colon + 1);
            if (colon == std::wstring_view::npos) break;
            name = msg.substr(nameStart, colon - nameStart);
        } else if (name.empty() || name.find(L' ') != std::wstring_view::npos) {
            // The next name starts behind the colon and the blank after it.
            nameStart = colon + 2;
            continue;
        }
        std::wstring_view after = TrimLeft(msg.substr(colon + 1));
        AddressedCopy copy{std::wstring(name), std::wstring(after)};
        if (nameStart != 0) {
            copy.Text = std::wstring(TrimRight(msg.substr(0, nameStart - 1))) + L" " + copy.Text;
        }
        copies.push_back(std::move(copy));
        nameStart = colon + 2;
    }
    return copies;
}

bool IsLineSeen(const Client& client, WindowId foreground, std::int32_t xType, const std::wstring& xUserName,
                const std::wstring& xMsg) {
    const Settings& s = client.settings;
    if (!s.IdleToaster) return true;
    const ViewWindow& w = *client.viewWindow;
    const std::wstring own = OwnName(client);
    bool dialogLine = xType == kSystemLineType ||
                      (xType == kUserLineType && !own.empty() && xMsg.find(own + L": ") != std::wstring::npos);
    if (dialogLine) {
        for (const std::unique_ptr<Form2>& dialog : client.Dialogs) {
            if (dialog->DlgUser != xUserName) continue;
            if (dialog->window->Window() == foreground && !dialog->IsDocked && !w.IsMinimized(foreground)) {
                return true;
            }
            // The chat pane does not show the line then.
            if (s.ExcludeDialogMessages) return false;
        }
    }
    return w.IsMainWindowGroup(foreground);
}

bool LogToDialog(Client& client, const std::wstring& xUser, std::wstring& xMsg, std::int32_t xMsgTime) {
    const std::wstring own = OwnName(client);
    std::wstring user = xUser;
    if (std::wstring_view(xMsg).starts_with(kTeamPrefix)) {
        xMsg = std::wstring(kSystemPrefix) + xMsg.substr(kTeamPrefix.size());
        // The user the announcement is about stands between "*** " and the
        // 28-character ending.
        std::size_t head = kSystemPrefix.size();
        user = xMsg.size() > head + kEndingLength ? xMsg.substr(head, xMsg.size() - head - kEndingLength)
                                                  : std::wstring();
        if (!own.empty() && user == own) {
            // The first batch after a login repeats the chat's history.
            if (!client.ChatBatchSeen) return false;
            std::wstring_view ending = std::wstring_view(xMsg).substr(xMsg.size() - kEndingLength);
            if (ending == kBannedEnding) {
                ReportKick(client, kStrBanDetected);
            } else if (ending == kKickedEnding) {
                ReportKick(client, kStrKickDetected);
            }
            return false;
        }
    }
    if (!std::wstring_view(xMsg).starts_with(kSystemPrefix)) return false;
    return DialogMessage(client, kSystemLineType, user, user == own, xMsg, L"", xMsgTime);
}

void InMessage(Client& client, std::int32_t xType, const std::wstring& xUserName, std::wstring& xMsg,
               std::int32_t xMsgTime) {
    RtfPane& pane = client.viewWindow->ChatPane();
    if (xType == kRerenderType) {
        client.MainRing.Rerender(client.settings, pane);
        return;
    }
    if (xType != kUserLineType && xType != kSystemLineType && xType != kStatusLineType) return;
    ToasterHoldScope hold(client);

    xMsg = EscapeRtf(xMsg);
    if (xType == kUserLineType) NoteActivity(client, xUserName);
    if (xType != kStatusLineType && xUserName != client.session.UserName) {
        ToastIfUnseen(client, xType, xUserName, xMsg);
    }

    PaneLine line;
    line.Time = xMsgTime;
    if (xType == kSystemLineType) {
        line.ShownInDialog = LogToDialog(client, xUserName, xMsg, xMsgTime);
    } else if (xType == kUserLineType) {
        line.Prefix = BoldNamePrefix(xUserName);
        line.ShownInDialog = RouteUserLine(client, xUserName, xMsg, xMsgTime);
    }
    xMsg = UnderlineOwnName(xMsg, client.session.UserName);
    line.Text = xMsg;
    client.MainRing.Add(std::move(line), client.settings, pane);
}

void RerenderAllDialogs(Client& client) {
    for (const std::unique_ptr<Form2>& dialog : client.Dialogs) {
        dialog->InMessage(kRerenderType, L"", L"", 0, client.settings);
    }
    std::wstring none;
    InMessage(client, kRerenderType, L"", none, 0);
}

}  // namespace vellora
