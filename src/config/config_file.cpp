#include "config/config_file.h"

#include <cmath>
#include <optional>

#include "config/config_folder.h"
#include "config/config_lines.h"
#include "config/portable.h"
#include "core/files.h"
#include "text/case.h"
#include "text/scrambler.h"

namespace vellora {
namespace {

bool HoldsLineBreak(std::wstring_view text) { return text.find_first_of(L"\r\n") != std::wstring_view::npos; }

// A line break inside a value would start a new line of the file. A sound
// file path cannot hold one (Windows file names never do), so such a path is
// stored empty; names holding one are left out of their list.
std::wstring StorableValue(const std::wstring& value) { return HoldsLineBreak(value) ? std::wstring() : value; }

std::wstring StorableList(const RelationList& list) {
    RelationList kept;
    for (const std::wstring& name : list) {
        if (!HoldsLineBreak(name)) kept.push_back(name);
    }
    return JoinList(kept);
}

bool ReadFlag(std::wstring_view value) { return LeadingNumber(value) != 0; }

// The value rounded to a whole number when it lies within [Low, High].
std::optional<std::int32_t> ReadNumber(std::wstring_view value, std::int32_t low, std::int32_t high) {
    double number = std::nearbyint(LeadingNumber(value));
    if (!(number >= low && number <= high)) return std::nullopt;
    return static_cast<std::int32_t>(number);
}

// Keys whose value is only a Boolean setting.
struct FlagKey {
    std::wstring_view key;
    bool Settings::*setting;
};
constexpr FlagKey kFlagKeys[] = {
    {L"autologin", &Settings::AutoLogin},
    {L"singlewindow", &Settings::SingleWindow},
    {L"dialogtoaster", &Settings::DialogToaster},
    {L"errortoaster", &Settings::ErrorToaster},
    {L"errorpopup", &Settings::ErrorToaster},  // the key's older name
    {L"statusbar", &Settings::StatusBar},
    {L"autohidedialogtextboxes", &Settings::AutoHideDialogTextBoxes},
    {L"suppressdialogs", &Settings::SuppressDialogs},
    {L"excludedialogmessages", &Settings::ExcludeDialogMessages},
    {L"postsongs", &Settings::PostSongs},
    {L"soundplay", &Settings::SoundPlay},
    {L"retrieveuserages", &Settings::RetrieveUserAges},
};

void ApplyFullLine(const std::wstring& key, std::wstring_view value, Settings& settings, RelationLists& lists,
                   ConfigEffects& effects) {
    for (const FlagKey& flag : kFlagKeys) {
        if (key == flag.key) {
            settings.*flag.setting = ReadFlag(value);
            return;
        }
    }
    if (key == L"idletoaster") {
        settings.IdleToaster = ReadFlag(value);
        effects.CheckOptionsMenuItem(kMenuIdleToaster, settings.IdleToaster);
    } else if (key == L"showtimes") {
        settings.ShowTimes = ReadFlag(value);
        effects.CheckOptionsMenuItem(kMenuShowTimes, settings.ShowTimes);
    } else if (key == L"grayorhilightusersmode") {
        if (auto mode = ReadNumber(value, 0, 3)) settings.GrayOrHilightUsersMode = *mode;
    } else if (key == L"grayorhilightusersidletime") {
        if (auto minutes = ReadNumber(value, 3, 60)) settings.GrayOrHilightUsersIdleTime = *minutes;
    } else if (key == L"friendspopup") {
        if (auto popup = ReadNumber(value, 0, 3)) {
            settings.FriendsPopup = *popup;
            effects.FriendsToasterChanged();
        }
    } else if (key == L"showtooltips") {
        if (auto mode = ReadNumber(value, 0, 2)) {
            settings.ShowToolTips = *mode;
            effects.SetToolTipVar(*mode);
        }
    } else if (key == L"soundfile") {
        settings.SoundFile = value;
    } else if (key == L"friends") {
        ParseList(value, lists.Friends);
    } else if (key == L"banned") {
        ParseList(value, lists.Banned);
    }
}

}  // namespace

bool SaveConfig(const Session& session, const Settings& settings, const RelationLists& lists) {
    if (session.ConfigName.empty()) return false;
    std::wstring text;
    auto line = [&text](std::wstring_view key, std::wstring_view value) {
        text += key;
        text += value;
        text += L"\r\n";
    };
    auto flag = [&line](std::wstring_view key, bool on) { line(key, on ? L"1" : L"0"); };
    auto number = [&line](std::wstring_view key, std::int32_t value) { line(key, std::to_wstring(value)); };

    if (!session.SavedPassword.empty()) {
        line(L"Password=", EncodeSavedPassword(session.SavedPassword, session.ConfigName));
    }
    flag(L"AutoLogin=", settings.AutoLogin);
    flag(L"SingleWindow=", settings.SingleWindow);
    flag(L"DialogToaster=", settings.DialogToaster);
    flag(L"ErrorToaster=", settings.ErrorToaster);
    flag(L"ExcludeDialogMessages=", settings.ExcludeDialogMessages);
    flag(L"IdleToaster=", settings.IdleToaster);
    number(L"FriendsPopup=", settings.FriendsPopup);
    flag(L"SuppressDialogs=", settings.SuppressDialogs);
    flag(L"PostSongs=", settings.PostSongs);
    flag(L"RetrieveUserAges=", settings.RetrieveUserAges);
    flag(L"ShowTimes=", settings.ShowTimes);
    number(L"ShowToolTips=", settings.ShowToolTips);
    flag(L"StatusBar=", settings.StatusBar);
    number(L"GrayOrHilightUsersMode=", settings.GrayOrHilightUsersMode);
    number(L"GrayOrHilightUsersIdleTime=", settings.GrayOrHilightUsersIdleTime);
    flag(L"AutoHideDialogTextBoxes=", settings.AutoHideDialogTextBoxes);
    line(L"SoundFile=", StorableValue(settings.SoundFile));
    flag(L"SoundPlay=", settings.SoundPlay);
    line(L"Friends=", StorableList(lists.Friends));
    line(L"Banned=", StorableList(lists.Banned));

    const bool written = WriteFileBytes(ConfigFilePath(session.ConfigName), EncodeConfigText(text));
    NoteSettingsWrite(written);
    return written;
}

void ApplyConfig(const std::wstring& configFile, bool andApply, Session& session, Settings& settings,
                 RelationLists& lists, ConfigEffects& effects) {
    const Settings defaults;
    settings.AutoLogin = defaults.AutoLogin;
    settings.SingleWindow = defaults.SingleWindow;
    settings.FriendsPopup = defaults.FriendsPopup;
    settings.StatusBar = defaults.StatusBar;
    settings.GrayOrHilightUsersMode = defaults.GrayOrHilightUsersMode;
    settings.GrayOrHilightUsersIdleTime = defaults.GrayOrHilightUsersIdleTime;
    settings.DialogToaster = defaults.DialogToaster;

    std::optional<std::string> bytes = ReadFileBytes(ConfigFilePath(configFile), kConfigFileLimit);
    if (bytes && !bytes->empty()) {
        ForEachConfigLine(DecodeConfigBytes(*bytes), [&](std::wstring_view rawKey, std::wstring_view value) {
            // No key is longer than this; a huge line need not be copied.
            if (rawKey.size() > 32) return;
            std::wstring key = LowerCase(rawKey);
            if (andApply) {
                ApplyFullLine(key, value, settings, lists, effects);
            } else if (key == L"password") {
                session.Password = DecodeSavedPassword(value, configFile);
                session.SavedPassword = session.Password;
            } else if (key == L"autologin") {
                settings.AutoLogin = ReadFlag(value);
            }
        });
    }

    if (andApply && settings.FriendsPopup == kFriendsPopupNothing) effects.SetFriendsAtEntryDone();
    effects.ShowStatusBar(settings.StatusBar);
    effects.RealResize(true);
}

}  // namespace vellora
