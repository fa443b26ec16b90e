#include "config/settings_page.h"

#include <algorithm>
#include <utility>

#include "resources/resource_ids.h"
#include "view/user_relations.h"

namespace vellora {
namespace {

// What a changed value asks for when applied.
enum Effect : unsigned {
    kNoEffect = 0,
    kRedrawGrayOut = 1,
    kShowStatusBar = 2,
    kSetToolTips = 4,
    kLayout = 8,
    kFriendsPopupSet = 16,
    kRebuildChat = 32,
};

enum class Kind { Check, Radio, UpDown, DropDown, Edit };

// One control (or radio group, First to Last) bound to one setting.
struct Binding {
    Kind kind;
    int first;
    int last;
    bool Settings::*flag;
    std::int32_t Settings::*number;
    std::wstring Settings::*text;
    unsigned effect;
};

constexpr Binding Check(int id, bool Settings::*flag, unsigned effect = kNoEffect) {
    return {Kind::Check, id, id, flag, nullptr, nullptr, effect};
}
constexpr Binding Numbered(Kind kind, int first, int last, std::int32_t Settings::*number, unsigned effect) {
    return {kind, first, last, nullptr, number, nullptr, effect};
}

// In the order values are applied.
constexpr Binding kBindings[] = {
    Numbered(Kind::Radio, IDC_GRAY_NOBODY, IDC_GRAY_FRIENDS, &Settings::GrayOrHilightUsersMode, kRedrawGrayOut),
    Numbered(Kind::UpDown, IDC_IDLE_UPDOWN, IDC_IDLE_UPDOWN, &Settings::GrayOrHilightUsersIdleTime, kRedrawGrayOut),
    Check(IDC_STATUS_BAR, &Settings::StatusBar, kShowStatusBar),
    Numbered(Kind::Radio, IDC_TIPS_NEVER, IDC_TIPS_ALWAYS, &Settings::ShowToolTips, kSetToolTips),
    Check(IDC_DOCK_DIALOGS, &Settings::SingleWindow),
    Check(IDC_AUTO_HIDE_INPUT, &Settings::AutoHideDialogTextBoxes, kLayout),
    Numbered(Kind::DropDown, IDC_FRIENDS_POPUP, IDC_FRIENDS_POPUP, &Settings::FriendsPopup, kFriendsPopupSet),
    Check(IDC_DIALOG_TOASTER, &Settings::DialogToaster),
    Check(IDC_ERROR_TOASTER, &Settings::ErrorToaster),
    Check(IDC_SOUND_PLAY, &Settings::SoundPlay),
    {Kind::Edit, IDC_SOUND_FILE, IDC_SOUND_FILE, nullptr, nullptr, &Settings::SoundFile, kNoEffect},
    Check(IDC_FRIENDS_DIALOGS_ONLY, &Settings::SuppressDialogs),
    Check(IDC_EXCLUDE_DIALOG_LINES, &Settings::ExcludeDialogMessages, kRebuildChat),
    Check(IDC_RETRIEVE_AGES, &Settings::RetrieveUserAges),
    Check(IDC_POST_SONGS, &Settings::PostSongs),
};

void Fill(PageControls& page, const Binding& b, const Settings& s) {
    switch (b.kind) {
    case Kind::Check:
        page.SetChecked(b.first, s.*b.flag);
        break;
    case Kind::Radio:
        for (int id = b.first; id <= b.last; ++id) page.SetChecked(id, id - b.first == s.*b.number);
        break;
    case Kind::UpDown:
        page.SetNumber(b.first, kIdleMinutesLow, kIdleMinutesHigh, s.*b.number);
        break;
    case Kind::DropDown:
        page.SetSelection(b.first, s.*b.number);
        break;
    case Kind::Edit:
        page.SetText(b.first, s.*b.text);
        break;
    }
}

template <class T>
bool Assign(T& field, T value) {
    if (field == value) return false;
    field = std::move(value);
    return true;
}

// Reads one binding back; true when the value changed.
bool Read(const PageControls& page, const Binding& b, Settings& s) {
    switch (b.kind) {
    case Kind::Check:
        return Assign(s.*b.flag, page.Checked(b.first));
    case Kind::Radio:
        for (int id = b.first; id <= b.last; ++id) {
            if (page.Checked(id)) return Assign(s.*b.number, id - b.first);
        }
        return false;  // none chosen: the value stays
    case Kind::UpDown:
        return Assign(s.*b.number, std::clamp(page.Number(b.first), kIdleMinutesLow, kIdleMinutesHigh));
    case Kind::DropDown:
        return page.Selection(b.first) >= 0 && Assign(s.*b.number, page.Selection(b.first));
    case Kind::Edit:
        return Assign(s.*b.text, page.Text(b.first));
    }
    return false;
}

}  // namespace

void SyncPage(PageControls& page, bool save, Client& client, ConfigEffects& effects) {
    Settings& s = client.settings;
    if (!save) {
        for (const Binding& b : kBindings) {
            if (page.Has(b.first)) Fill(page, b, s);
        }
        return;
    }
    unsigned due = kNoEffect;
    for (const Binding& b : kBindings) {
        if (page.Has(b.first) && Read(page, b, s)) due |= b.effect;
    }
    if (due & kRedrawGrayOut) UpdateAllUserHilights(client);
    if (due & kShowStatusBar) effects.ShowStatusBar(s.StatusBar);
    if (due & kSetToolTips) effects.SetToolTipVar(s.ShowToolTips);
    if (due & kFriendsPopupSet) effects.FriendsToasterChanged();
    if (due & kRebuildChat) {
        std::wstring none;
        client.view->InMessage(kRerenderType, L"", none, 0);
    }
    SaveConfig(client.session, s, client.lists);
    if (due & kLayout) effects.RealResize(true);
}

void UpdateIdleMinutesState(PageControls& page) {
    if (!page.Has(IDC_GRAY_IDLE)) return;
    const bool idleRule = page.Checked(IDC_GRAY_IDLE);
    page.Enable(IDC_IDLE_MINUTES, idleRule);
    page.Enable(IDC_IDLE_UPDOWN, idleRule);
}

void UpdateEventsPageState(PageControls& page, bool soundPlaying) {
    if (!page.Has(IDC_FRIENDS_POPUP)) return;
    const bool toasterSource =
        page.Selection(IDC_FRIENDS_POPUP) > 0 || page.Checked(IDC_DIALOG_TOASTER) || page.Checked(IDC_ERROR_TOASTER);
    const bool sound = toasterSource && page.Checked(IDC_SOUND_PLAY);
    page.Enable(IDC_KEEP_TOASTERS, false);
    for (int id : {IDC_SOUND_FILE, IDC_SOUND_BROWSE, IDC_SOUND_TRY}) page.Enable(id, sound);
    page.Enable(IDC_SOUND_STOP, sound && soundPlaying);
}

}  // namespace vellora
