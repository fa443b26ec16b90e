// Menus until they exist: the button and the right clicks open nothing.
#include "config/menus_win32.h"

namespace vellora {

namespace {

class NoMenus : public Menus {
public:
    void EnterOptMenu() override {}
    void EnterUserMenuForRow(int, bool) override {}
    void EnterUserMenu(const std::wstring&, bool) override {}
    void SwitchToStaffMenus() override {}
    void CheckOptionsMenuItem(std::int32_t, bool) override {}
    bool IsSettingsWindow(HWND) const override { return false; }
    void SoundPlayingChanged(bool) override {}
};

}  // namespace

std::unique_ptr<Menus> MakeMenus(FrmMain&) { return std::make_unique<NoMenus>(); }

}  // namespace vellora
