// Notifications until toasters, sounds and tooltips exist: nothing shows and
// nothing plays.
#include "notify/notifications_win32.h"

namespace vellora {

namespace {

class NoNotifications : public Notifications {
public:
    void ShowToaster(std::int32_t, const std::wstring&, const std::wstring&, std::int32_t, PictureHandle,
                     bool) override {}
    void ShowErrorToaster(const std::wstring&, std::int32_t) override {}
    void ToasterTick(std::uint32_t) override {}
    void PlayNotificationSound() override {}
    void PlaySoundFile(const std::wstring&) override {}
    void StopNotificationSound() override {}
    bool SoundPlaying() const override { return false; }
    bool ChooseSoundFile(HWND, std::wstring&) override { return false; }
    void SetToolTipVar(std::int32_t) override {}
    void RegisterMainToolTips() override {}
    void SetDialogToolTips(HWND, HWND, HWND, HWND, HWND, const std::wstring&) override {}
    void RaiseUserTooltip(HWND, HWND, std::int32_t, std::int32_t, const std::wstring&, std::int32_t,
                          std::uint32_t) override {}
    void RemoveTooltipsOf(HWND) override {}
    void TooltipSuspend() override {}
    void TooltipResume() override {}
};

}  // namespace

std::unique_ptr<Notifications> MakeNotifications(FrmMain&) { return std::make_unique<NoNotifications>(); }

}  // namespace vellora
