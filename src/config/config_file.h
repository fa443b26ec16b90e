#pragma once
// The settings file of an account: SaveConfig writes the current settings,
// relation lists and remembered password; ApplyConfig reads them back, either
// only the password and automatic-login flag (login form) or every setting
// (after a successful login).

#include <cstdint>
#include <string>

#include "config/settings.h"
#include "core/session.h"
#include "view/relation_list.h"

namespace vellora {

// Files this large or larger are not read.
inline constexpr std::uint64_t kConfigFileLimit = 0x4000000;

// Options menu items whose check marks follow settings.
inline constexpr std::int32_t kMenuShowTimes = 1080;
inline constexpr std::int32_t kMenuIdleToaster = 1081;

// What applying settings does to the windows. The window layer implements it;
// tests record the calls.
class ConfigEffects {
public:
    virtual ~ConfigEffects() = default;
    // FriendsPopup was set from the file.
    virtual void FriendsToasterChanged() = 0;
    // The tooltip mode (0 to 2) was read from the file.
    virtual void SetToolTipVar(std::int32_t mode) = 0;
    // Checks or unchecks an item of the options menu (kMenuShowTimes,
    // kMenuIdleToaster).
    virtual void CheckOptionsMenuItem(std::int32_t id, bool checked) = 0;
    // FriendsPopup is 0 after a full reading: no friends-present popup at
    // chat entry (FriendsAtEntryDone := true).
    virtual void SetFriendsAtEntryDone() = 0;
    // Shows or hides the status bar; RealResize(true) follows at once.
    virtual void ShowStatusBar(bool shown) = 0;
    // Lays the main window out again.
    virtual void RealResize(bool full) = 0;
};

// Writes the settings file of session.ConfigName: UTF-16 with its mark, one
// CR LF line per key in a fixed order, the password only when
// session.SavedPassword is set. Does nothing without an account name. False
// when the file could not be written (callers stay silent about it).
bool SaveConfig(const Session& session, const Settings& settings, const RelationLists& lists);

// Reads the settings file of ConfigFile (an account name). First resets
// AutoLogin, SingleWindow, FriendsPopup, StatusBar, the two gray-out values
// and DialogToaster to their defaults. With AndApply false only "Password"
// (into session.Password and session.SavedPassword) and "AutoLogin" are
// taken; with true every other setting, the lists being added to. A missing,
// empty or oversized file leaves the defaults. The status bar is shown or
// hidden and the window laid out again in both cases.
void ApplyConfig(const std::wstring& configFile, bool andApply, Session& session, Settings& settings,
                 RelationLists& lists, ConfigEffects& effects);

}  // namespace vellora
