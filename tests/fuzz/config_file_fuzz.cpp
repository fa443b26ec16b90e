// Settings files with arbitrary bytes: reading never crashes, and what was
// read is written and read back unchanged, to the byte the second time.
//
// Input: the file's bytes.

#include <unistd.h>

#include <cstdlib>
#include <string>

#include "config/config_file.h"
#include "config/config_folder.h"
#include "core/files.h"
#include "fuzz/fuzz_input.h"

namespace {

using namespace vellora;
using fuzz::Require;

struct NoEffects : ConfigEffects {
    void FriendsToasterChanged() override {}
    void SetToolTipVar(std::int32_t) override {}
    void CheckOptionsMenuItem(std::int32_t, bool) override {}
    void SetFriendsAtEntryDone() override {}
    void ShowStatusBar(bool) override {}
    void RealResize(bool) override {}
};

bool SameSettings(const Settings& a, const Settings& b) {
    return a.AutoLogin == b.AutoLogin && a.SingleWindow == b.SingleWindow && a.DialogToaster == b.DialogToaster &&
           a.ErrorToaster == b.ErrorToaster && a.ExcludeDialogMessages == b.ExcludeDialogMessages &&
           a.IdleToaster == b.IdleToaster && a.FriendsPopup == b.FriendsPopup && a.SuppressDialogs == b.SuppressDialogs &&
           a.PostSongs == b.PostSongs && a.RetrieveUserAges == b.RetrieveUserAges && a.ShowTimes == b.ShowTimes &&
           a.ShowToolTips == b.ShowToolTips && a.StatusBar == b.StatusBar &&
           a.GrayOrHilightUsersMode == b.GrayOrHilightUsersMode &&
           a.GrayOrHilightUsersIdleTime == b.GrayOrHilightUsersIdleTime &&
           a.AutoHideDialogTextBoxes == b.AutoHideDialogTextBoxes && a.SoundFile == b.SoundFile &&
           a.SoundPlay == b.SoundPlay;
}

// Reads Account's file both ways, as the login form and the login do.
void Read(Session& session, Settings& settings, RelationLists& lists) {
    NoEffects effects;
    ApplyConfig(session.ConfigName, false, session, settings, lists, effects);
    ApplyConfig(session.ConfigName, true, session, settings, lists, effects);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const std::wstring folder = [] {
        char pattern[] = "/tmp/vellora-config-fuzz-XXXXXX";
        const char* made = ::mkdtemp(pattern);
        if (!made) std::abort();
        std::wstring path(made, made + std::char_traits<char>::length(made));
        OverrideAppDataFolder(path);
        return path;
    }();
    (void)folder;
    const std::wstring account = L"Fuzz";
    Require(WriteFileBytes(ConfigFilePath(account), std::string(reinterpret_cast<const char*>(data), size)),
            "the file could not be written");

    Session first;
    first.ConfigName = account;
    Settings settings;
    RelationLists lists;
    Read(first, settings, lists);
    first.SavedPassword = first.Password;
    Require(SaveConfig(first, settings, lists), "the settings could not be saved");
    const std::string saved = ReadFileBytes(ConfigFilePath(account), kConfigFileLimit).value_or("");

    Session second;
    second.ConfigName = account;
    Settings again;
    RelationLists listsAgain;
    Read(second, again, listsAgain);
    Require(second.Password == first.Password, "the password did not come back");
    Require(SameSettings(settings, again), "a setting did not come back");
    second.SavedPassword = second.Password;
    Require(SaveConfig(second, again, listsAgain), "the settings could not be saved again");
    Require(ReadFileBytes(ConfigFilePath(account), kConfigFileLimit).value_or("") == saved,
            "saving what was read changed the file");
    return 0;
}
