#pragma once
// Menus and the settings sheet: the options menu (menu 1000, under the "..."
// button), the user menu (1100, on a user row or a dialog) with its staff
// section (1190-1199), the self menu (1101) of a staff account, their
// commands, and the modal settings sheet that "More Options" opens.
//
// The main window object owns one Menus, made by MakeMenus (defined with the
// facility's implementation) when Form_Load loads the menus, until
// Form_Unload destroys them. It reaches the main window object, and through
// it the other facilities, by the reference it is made with.

#include <windows.h>

#include <cstdint>
#include <memory>
#include <string>

namespace vellora {

class FrmMain;

class Menus {
public:
    // Destroys the menus.
    virtual ~Menus() = default;

    // The options button was clicked.
    virtual void EnterOptMenu() = 0;
    // The user menu for row Row of the user list (the context-menu key, or a
    // right click with FromMouse).
    virtual void EnterUserMenuForRow(int row, bool fromMouse) = 0;
    // The user menu for a user by name (a dialog or its tab label).
    virtual void EnterUserMenu(const std::wstring& user, bool fromMouse) = 0;
    // The own account belongs to the chat's staff (see MainWindow).
    virtual void SwitchToStaffMenus() = 0;
    // A setting behind an options-menu item changed (see ConfigEffects).
    virtual void CheckOptionsMenuItem(std::int32_t id, bool checked) = 0;
    // True for the settings sheet's window while it is open.
    virtual bool IsSettingsWindow(HWND window) const = 0;
    // The notification sound started or stopped: the settings sheet's stop
    // button follows while its events page is open.
    virtual void SoundPlayingChanged(bool playing) = 0;
};

// Loads the menus (Form_Load).
std::unique_ptr<Menus> MakeMenus(FrmMain& main);

}  // namespace vellora
