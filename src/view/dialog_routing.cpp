#include "view/dialog_routing.h"

#include "resources/string_ids.h"
#include "resources/strings.h"
#include "text/replace_all.h"
#include "view/attention.h"

namespace vellora {
namespace {

constexpr std::wstring_view kEntersSuffix = L" betritt den Raum.";

bool IsFriend(const Client& client, const std::wstring& user) { return FindInList(client.lists.Friends, user) >= 0; }

// Whether a line for a user without a dialog may open one. ToasterRaised is
// set when a friend's entry already raised its toaster here.
bool MayCreate(Client& client, std::int32_t xType, const std::wstring& user, bool fromSelf, const std::wstring& msg,
               std::int32_t time, bool& toasterRaised) {
    const Settings& s = client.settings;
    if (xType == kOpenDialog) return true;
    if (xType == kSystemLineType) {
        // Of the system lines, only a friend entering the chat counts.
        if (fromSelf || !std::wstring_view(msg).ends_with(kEntersSuffix) || !IsFriend(client, user)) return false;
        if (client.EntryPhaseOver) {
            if (s.FriendsPopup == kFriendsPopupToasterAtOnce) {
                RequestToaster(client, kToasterEvent, user, msg, time, UserPicture(client, user));
                toasterRaised = true;
            }
            if (s.FriendsPopup != kFriendsPopupToasterWithPicture) client.AlertSoundDue = true;
        }
        return s.FriendsPopup >= kFriendsPopupOpenDialog;
    }
    if (s.SuppressDialogs && !IsFriend(client, user)) return false;
    if (FindInList(client.lists.Banned, user) >= 0 || FindInList(client.lists.TempIgnored, user) >= 0) return false;
    // An own line that starts with a web address names no user.
    if (fromSelf && user == L"http") return false;
    // Own addressed lines open dialogs only while the history is read.
    return !(fromSelf && client.EntryPhaseOver);
}

Form2* CreateDialog(Client& client, std::int32_t xType, const std::wstring& user) {
    auto dialog = std::make_unique<Form2>();
    dialog->DlgUser = user;
    int index = FindRosterEntry(client.roster, user);
    // A user who is not in the chat: age not known yet, no id, never active.
    bool knowsAge = false;
    if (index >= 0) {
        const RosterEntry& entry = client.roster[static_cast<std::size_t>(index)];
        dialog->DlgAge = std::to_wstring(entry.Age);
        dialog->DlgUserID = entry.UserId;
        dialog->LastMsgTime = entry.LastActivity;
        knowsAge = entry.Age >= 0;
    }
    dialog->NeedPic = true;
    dialog->window = client.viewWindow->CreateDialogWindow(DialogCaption(user, knowsAge ? &dialog->DlgAge : nullptr));
    if (!dialog->window) return nullptr;
    client.Dialogs.push_back(std::move(dialog));
    Form2& created = *client.Dialogs.back();

    if (client.settings.SingleWindow) {
        created.window->Dock();
        created.IsDocked = true;
        if (xType == kOpenDialog) created.window->FocusInput();
        client.viewWindow->Relayout();
    } else {
        created.window->Show(xType == kOpenDialog && user != client.session.UserName);
    }
    return &created;
}

void GivePicture(Client& client, Form2& dialog, std::wstring picStr) {
    if (picStr.empty()) {
        int index = FindRosterEntry(client.roster, dialog.DlgUser);
        if (index < 0) return;
        picStr = client.roster[static_cast<std::size_t>(index)].PicStr;
    }
    if (!dialog.NeedPic) return;
    for (const RosterEntry& entry : client.roster) {
        if (entry.PicStr != picStr) continue;
        if (HoldsPicture(entry.Picture)) {
            dialog.hBmp = dialog.window->SetPicture(entry.Picture);
            SetDialogIcons(entry.Picture, dialog);
            // Shown now: later lines need not set it again.
            if (dialog.hBmp != kNoPicture) {
                dialog.NeedPic = false;
                return;
            }
        }
        break;
    }
    dialog.FullPictureString = picStr;
    dialog.NeedPic = true;
}

void WriteSeparator(Client& client, Form2& dialog) {
    if (!dialog.MustSpace) return;
    for (const wchar_t* text : {L"", L"   Reconnected", L""})
        dialog.InMessage(kUserLineType, L"", text, -1, client.settings);
    dialog.MustSpace = false;
}

void DrawAttention(Client& client, Form2& dialog, std::int32_t xType, const std::wstring& msg, std::int32_t time,
                   bool toasterRaised) {
    const Settings& s = client.settings;
    const std::wstring& user = dialog.DlgUser;
    if (xType == kSystemLineType && std::wstring_view(msg).ends_with(kEntersSuffix)) {
        // A user with an open dialog enters the chat.
        if (s.FriendsPopup == kFriendsPopupToasterAtOnce && !toasterRaised && IsFriend(client, user)) {
            RequestToaster(client, kToasterEvent, L"", msg, time, dialog.hBmp);
            toasterRaised = true;
        }
        if (s.FriendsPopup != kFriendsPopupToasterWithPicture) client.AlertSoundDue = true;
    }
    if (s.DialogToaster && xType != kOpenDialog) {
        if (!toasterRaised)
            RequestToaster(client, xType == kSystemLineType ? kToasterEvent : kToasterMessage, user, msg, time,
                           dialog.hBmp);
        client.AlertSoundDue = true;
    }
}

}  // namespace

std::wstring DialogCaption(const std::wstring& user, const std::wstring* ageText) {
    if (!ageText) return ReplaceAllNoCase(LoadResString(kStrDialogCaption), L"%U", user);
    std::wstring caption = ReplaceAllNoCase(LoadResString(kStrDialogCaptionWithAge), L"%U", user);
    return ReplaceAllNoCase(caption, L"%A", *ageText);
}

bool DialogMessage(Client& client, std::int32_t xType, const std::wstring& DlgUser, bool MsgFromSelf,
                   const std::wstring& xMsg, const std::wstring& PicStr, std::int32_t xMsgTime) {
    bool toasterRaised = false;
    Form2* dialog = FindDialog(client.Dialogs, DlgUser);
    if (!dialog) {
        if (!MayCreate(client, xType, DlgUser, MsgFromSelf, xMsg, xMsgTime, toasterRaised)) return false;
        dialog = CreateDialog(client, xType, DlgUser);
        if (!dialog) return false;
    }
    GivePicture(client, *dialog, PicStr);
    WriteSeparator(client, *dialog);

    if (MsgFromSelf) {
        dialog->InMessage(xType, client.session.UserName, xMsg, xMsgTime, client.settings);
    } else {
        dialog->InMessage(xType, DlgUser, xMsg, xMsgTime, client.settings);
        if (xType != kOpenDialog) dialog->LastMsgTime = TickNow();
    }

    // The own lines need no attention: a toaster would even show them under
    // the other user's name.
    if (MsgFromSelf) return true;
    if (client.EntryPhaseOver && xType != kStatusLineType)
        DrawAttention(client, *dialog, xType, xMsg, xMsgTime, toasterRaised);

    WindowId showing = ShowingWindow(client, *dialog);
    PopUpWindow(client, showing);
    if (xType == kOpenDialog) {
        dialog->window->FocusInput();
    } else {
        FlashAttention(client, showing);
    }
    return true;
}

}  // namespace vellora
