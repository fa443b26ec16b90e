// The notifications of the main window object: the toaster, the
// notification sound and the hover help, with the composing callbacks of the
// user list, the docked column and the dialog windows.
#include "notify/notifications_win32.h"

#include "core/frm_main_win32.h"
#include "notify/sound_win32.h"
#include "notify/toaster_win32.h"
#include "notify/tooltip_text.h"
#include "notify/tooltip_win32.h"
#include "resources/string_ids.h"
#include "resources/strings.h"
#include "text/rtf_text.h"
#include "view/pictures_win32.h"

namespace vellora {

namespace {

// The tools whose texts are composed while the mouse moves over them.
enum TipCallback : ToolCallback {
    kUserListTip = 1,  // the user list: the user under the mouse
    kDockedTip = 2,    // the main window: the docked dialog under the mouse
    kDialogTip = 3,    // an undocked dialog window: its user
};

WindowId IdOf(HWND window) { return reinterpret_cast<WindowId>(window); }

class WindowNotifications : public Notifications {
public:
    explicit WindowNotifications(FrmMain& main)
        : main_(main),
          sound_(device_, [this](bool playing) { SoundPlayingChanged(playing); }),
          toaster_(main.client.settings),
          tips_([this](ToolCallback callback, HWND tool, POINT mouse) { RunTipCallback(callback, tool, mouse); }) {}

    ~WindowNotifications() override {
        // Whoever followed the sound is gone by now.
        if (sound_.Playing()) device_.Stop();
    }

    // --- toasters
    void ShowToaster(std::int32_t kind, const std::wstring& user, const std::wstring& text, std::int32_t timeOfDay,
                     PictureHandle picture, bool held) override {
        toaster_.Show(kind, user, text, timeOfDay, PictureStore::Bitmap(picture), held);
    }
    void ShowErrorToaster(const std::wstring& line, std::int32_t timeOfDay) override {
        // A status line is plain text; the toaster's lines are rich text.
        toaster_.Show(kToasterEvent, L"", EscapeRtf(line), timeOfDay, nullptr, main_.client.ToasterHold);
    }
    void ToasterTick(std::uint32_t lifetimeMs) override { toaster_.Tick(lifetimeMs); }

    // --- sounds
    void PlayNotificationSound() override { PlaySoundFile(main_.client.settings.SoundFile); }
    void PlaySoundFile(const std::wstring& file) override {
        main_.client.LastAlertTick = TickNow();
        sound_.Play(file);
    }
    void StopNotificationSound() override { sound_.Stop(); }
    bool SoundPlaying() const override { return sound_.Playing(); }
    bool ChooseSoundFile(HWND owner, std::wstring& file) override { return ChooseWaveFile(owner, file); }

    // --- tooltips
    void SetToolTipVar(std::int32_t mode) override;
    void RegisterMainToolTips() override { RegisterAllTooltips(); }
    void SetDialogToolTips(HWND parent, HWND dialog, HWND pane, HWND input, HWND label,
                           const std::wstring& user) override;
    void RaiseUserTooltip(HWND parent, HWND tool, std::int32_t captionId, std::int32_t userId,
                          const std::wstring& user, std::int32_t age, std::uint32_t lastMessage) override;
    void RemoveTooltipsOf(HWND parent) override { tips_.Tools().RemoveOf(IdOf(parent)); }
    void RemoveTooltip(HWND tool) override { tips_.Tools().Remove(IdOf(tool)); }
    void TooltipSuspend() override { tips_.Tools().Suspend(); }
    void TooltipResume() override { tips_.Tools().Resume(); }

private:
    void SoundPlayingChanged(bool playing) {
        if (Menus* menus = main_.GetMenus()) menus->SoundPlayingChanged(playing);
    }
    void RegisterAllTooltips();
    void AddTool(HWND parent, HWND tool, const std::wstring& title, ToolCallback callback) {
        if (tool) tips_.Tools().Add(IdOf(parent), IdOf(tool), title, L"", callback, kTooltipHide);
    }
    void RunTipCallback(ToolCallback callback, HWND tool, POINT mouse);
    void UserListTipCallback(HWND list, POINT mouse);
    void DialogTipCallback(HWND dialogWindow);

    FrmMain& main_;
    WaveSoundDevice device_;
    NotificationSound sound_;
    Toaster toaster_;
    Tooltips tips_;
    std::int32_t mode_ = kToolTipsNever;  // the facility runs in modes 1 and 2
};

void WindowNotifications::SetToolTipVar(std::int32_t mode) {
    if (mode == mode_) return;
    if (mode_ == kToolTipsNever && mode > kToolTipsNever) tips_.Start();
    if (mode == kToolTipsNever && mode_ > kToolTipsNever) tips_.Stop();
    mode_ = mode;
    RegisterAllTooltips();
}

void WindowNotifications::RegisterAllTooltips() {
    const MainWindowParts& h = main_.h;
    ToolList& tools = tips_.Tools();
    if (h.MainWindow) tools.RemoveOf(IdOf(h.MainWindow));
    for (const std::unique_ptr<Form2>& dialog : main_.client.Dialogs) {
        if (dialog->window) tools.RemoveOf(dialog->window->Window());
    }
    // Before the main window exists there is nothing to register.
    if (mode_ == kToolTipsNever || !h.MainWindow) return;
    AddTool(h.MainWindow, h.MainWindow, L"", kDockedTip);
    AddTool(h.MainWindow, h.hUserList, L"", kUserListTip);
    if (mode_ == kToolTipsAlways) {
        AddTool(h.MainWindow, h.hChatPane, LoadResString(kStrTipChat), kNoCallback);
        AddTool(h.MainWindow, h.hMainInput, LoadResString(kStrTipMainInput), kNoCallback);
        AddTool(h.MainWindow, h.hOptionsButton, LoadResString(kStrTipOptionsButton), kNoCallback);
        AddTool(h.MainWindow, h.hStatusBar, LoadResString(kStrTipStatusBar), kNoCallback);
    }
    if (Conversations* dialogs = main_.GetConversations()) dialogs->RegisterDialogToolTips();
}

void WindowNotifications::SetDialogToolTips(HWND parent, HWND dialog, HWND pane, HWND input, HWND label,
                                            const std::wstring& user) {
    if (mode_ == kToolTipsNever) return;
    AddTool(parent, dialog, L"", kDialogTip);
    if (mode_ != kToolTipsAlways) return;
    AddTool(parent, pane, TooltipTitle(kStrTipDialogPane, user), kNoCallback);
    AddTool(parent, input, TooltipTitle(kStrTipDialogInput, user), kNoCallback);
    // The tab label always sits on the main window.
    AddTool(main_.h.MainWindow, label, TooltipTitle(kStrTipTabLabel, user), kNoCallback);
}

void WindowNotifications::RaiseUserTooltip(HWND parent, HWND tool, std::int32_t captionId, std::int32_t userId,
                                           const std::wstring& user, std::int32_t age, std::uint32_t lastMessage) {
    const TooltipUser who{userId, user, age, lastMessage};
    tips_.Tools().Add(IdOf(parent), IdOf(tool), TooltipTitle(captionId, user), UserTooltipTable(main_.client, who),
                      kKeepCallback, kTooltipRelayout);
}

void WindowNotifications::RunTipCallback(ToolCallback callback, HWND tool, POINT mouse) {
    switch (callback) {
    case kUserListTip:
        UserListTipCallback(tool, mouse);
        break;
    case kDockedTip: {
        // Away from the docked dialogs (or after the last one closed) the
        // main window tells nothing, not the user it told last.
        Conversations* dialogs = main_.GetConversations();
        if (!dialogs || !dialogs->RaiseDockedDlgTooltip(mouse)) AddTool(main_.h.MainWindow, tool, L"", kDockedTip);
        break;
    }
    case kDialogTip:
        DialogTipCallback(tool);
        break;
    default:
        break;
    }
}

void WindowNotifications::UserListTipCallback(HWND list, POINT mouse) {
    POINT inside = mouse;
    ScreenToClient(list, &inside);
    const LRESULT hit = SendMessageW(list, LB_ITEMFROMPOINT, 0, MAKELPARAM(inside.x, inside.y));
    const Roster& roster = main_.client.roster;
    // The high word is set when the point lies below the last row.
    if (HIWORD(hit) == 0 && LOWORD(hit) < roster.size()) {
        const RosterEntry& entry = roster[LOWORD(hit)];
        const std::int32_t caption = IsOwnUserId(main_.client, entry.UserId) ? kStrTipOwnRow : kStrTipUserRow;
        RaiseUserTooltip(main_.h.MainWindow, list, caption, entry.UserId, entry.Name, entry.Age, entry.LastActivity);
    } else {
        tips_.Tools().Add(IdOf(main_.h.MainWindow), IdOf(list), LoadResString(kStrTipUserList), L"", kKeepCallback,
                          kTooltipHide);
    }
}

void WindowNotifications::DialogTipCallback(HWND dialogWindow) {
    for (const std::unique_ptr<Form2>& dialog : main_.client.Dialogs) {
        if (!dialog->window || dialog->window->Window() != IdOf(dialogWindow) || dialog->IsDocked) continue;
        RaiseUserTooltip(dialogWindow, dialogWindow, kStrTipDialogPicture, dialog->DlgUserID, dialog->DlgUser,
                         AgeNumber(dialog->DlgAge), dialog->LastMsgTime);
        return;
    }
}

}  // namespace

std::unique_ptr<Notifications> MakeNotifications(FrmMain& main) {
    return std::make_unique<WindowNotifications>(main);
}

}  // namespace vellora
