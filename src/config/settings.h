#pragma once
// The per-account settings values, named like their keys in the settings
// file. The start values are those a fresh account gets.

#include <cstdint>
#include <string>

namespace vellora {

// GrayOrHilightUsersMode: which user rows are drawn grayed out.
enum GrayMode : std::int32_t {
    kGrayNobody = 0,
    kGrayIgnored = 1,         // ignored and temporarily ignored users
    kGrayIgnoredAndIdle = 2,  // those and users idle for GrayOrHilightUsersIdleTime
    kGrayAllButFriends = 3,
};

// FriendsPopup: what a friend's arrival in the chat does.
enum FriendsPopupMode : std::int32_t {
    kFriendsPopupNothing = 0,
    kFriendsPopupToasterWithPicture = 1,  // a toaster once the friend's picture is there
    kFriendsPopupToasterAtOnce = 2,
    kFriendsPopupOpenDialog = 3,
};

// ShowToolTips: which hover help shows.
enum ToolTipsMode : std::int32_t {
    kToolTipsNever = 0,
    kToolTipsUsersOnly = 1,
    kToolTipsAlways = 2,
};

struct Settings {
    bool AutoLogin = false;
    bool SingleWindow = true;
    bool DialogToaster = true;
    bool ErrorToaster = false;
    bool ExcludeDialogMessages = false;
    bool IdleToaster = false;
    std::int32_t FriendsPopup = kFriendsPopupToasterWithPicture;  // a FriendsPopupMode (3 and above: open dialog)
    bool SuppressDialogs = false;
    bool PostSongs = false;
    bool RetrieveUserAges = false;
    bool ShowTimes = false;
    std::int32_t ShowToolTips = kToolTipsAlways;  // a ToolTipsMode
    bool StatusBar = true;
    std::int32_t GrayOrHilightUsersMode = kGrayIgnoredAndIdle;  // a GrayMode
    std::int32_t GrayOrHilightUsersIdleTime = 15;  // minutes, 3..60
    bool AutoHideDialogTextBoxes = false;
    std::wstring SoundFile;
    bool SoundPlay = false;
};

}  // namespace vellora
