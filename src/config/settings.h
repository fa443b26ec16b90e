#pragma once
// The per-account settings values, named like their keys in the settings
// file. The start values are those a fresh account gets.

#include <cstdint>
#include <string>

namespace vellora {

struct Settings {
    bool AutoLogin = false;
    bool SingleWindow = true;
    bool DialogToaster = true;
    bool ErrorToaster = false;
    bool ExcludeDialogMessages = false;
    bool IdleToaster = false;
    std::int32_t FriendsPopup = 1;  // 0 nothing, 1 toaster with picture, 2 toaster at once, 3 open dialog
    bool SuppressDialogs = false;
    bool PostSongs = false;
    bool RetrieveUserAges = false;
    bool ShowTimes = false;
    std::int32_t ShowToolTips = 2;  // 0 never, 1 user information only, 2 always
    bool StatusBar = true;
    std::int32_t GrayOrHilightUsersMode = 2;       // 0..3
    std::int32_t GrayOrHilightUsersIdleTime = 15;  // minutes, 3..60
    bool AutoHideDialogTextBoxes = false;
    std::wstring SoundFile;
    bool SoundPlay = false;
};

}  // namespace vellora
