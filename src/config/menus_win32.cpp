// The popup menus of the main window and the settings sheet they open.
#include "config/menus_win32.h"

#include <utility>

#include "config/menu_commands.h"
#include "config/popup_menu_win32.h"
#include "config/settings_sheet_win32.h"
#include "core/frm_main_win32.h"

namespace vellora {

namespace {

static_assert(static_cast<int>(DialogGroup::All) == IDM_CLOSE_ALL - IDM_CLOSE_OFFLINE,
              "the close commands name the dialog groups in their order");

// A menu resource wrapped for showing; null when it could not be loaded.
OwnedMenu LoadPopup(int id, bool withStaffSection) {
    OwnedMenu menu = LoadMenuRes(id);
    if (!withStaffSection) {
        for (int item = IDM_STAFF_FIRST; menu && item <= IDM_STAFF_LAST; ++item) DeleteMenu(menu, item, MF_BYCOMMAND);
    }
    return WrapInPopup(menu, false);
}

class AppMenus : public Menus, private MenuWindows {
public:
    explicit AppMenus(FrmMain& main)
        : main_(main), options_(LoadPopup(IDM_OPTIONS, true)), user_(LoadPopup(IDM_USER, false)), sheet_(main) {
        CheckOptionsMenu(main_.client.settings, *this);
    }

    void EnterOptMenu() override {
        // Beside the mouse when it clicked the button; under the button when
        // the keyboard pressed it.
        HWND button = main_.h.hOptionsButton;
        POINT cursor{};
        GetCursorPos(&cursor);
        const bool mouse = WindowFromPoint(cursor) == button;
        const int command = Show(main_.h.MainWindow, options_, mouse ? nullptr : button);
        RunOptionsCommand(main_.client, command, *this);
    }

    void EnterUserMenuForRow(int row, bool fromMouse) override {
        const Roster& roster = main_.client.roster;
        if (row < 0 || static_cast<std::size_t>(row) >= roster.size()) return;
        EnterUserMenu(roster[static_cast<std::size_t>(row)].Name, fromMouse);
    }

    void EnterUserMenu(const std::wstring& name, bool fromMouse) override {
        // A copy: the roster may change while the menu is open.
        const std::wstring user = name;
        HMENU menu = nullptr;
        switch (UserMenuFor(main_.client, user)) {
        case UserMenuKind::None:
            return;
        case UserMenuKind::Self:
            menu = self_;
            break;
        case UserMenuKind::User:
            menu = user_;
            EnableAddItems(AddItemsEnabled(main_.client, user));
            break;
        }
        if (!menu) return;
        HWND list = main_.h.hUserList;
        const int command = Show(list, menu, fromMouse ? nullptr : list);
        RunUserCommand(main_.client, user, command);
    }

    void SwitchToStaffMenus() override {
        // The poll timer runs inside an open menu's loop: that menu stays
        // until it is closed.
        if (tracking_) {
            staffPending_ = true;
            return;
        }
        OwnedMenu staffMenu = LoadPopup(IDM_USER, true);
        if (!staffMenu) return;
        user_ = std::move(staffMenu);
        self_ = LoadPopup(IDM_SELF, true);
    }

    void CheckOptionsMenuItem(std::int32_t id, bool checked) override {
        CheckMenuItem(PopupItems(options_), static_cast<UINT>(id),
                      MF_BYCOMMAND | (checked ? MF_CHECKED : MF_UNCHECKED));
    }

    bool IsSettingsWindow(HWND window) const override { return sheet_.IsSettingsWindow(window); }
    void SoundPlayingChanged(bool playing) override { sheet_.SoundPlayingChanged(playing); }

private:
    // MenuWindows
    void CloseDialogs(std::int32_t command) override {
        if (Conversations* dialogs = main_.GetConversations()) {
            dialogs->CloseDialogs(static_cast<DialogGroup>(command - IDM_CLOSE_OFFLINE));
        }
    }
    void ShowSettingsDialog() override { sheet_.ShowSettingsDialog(); }

    void EnableAddItems(bool enabled) {
        for (int item : {IDM_ADD_FRIEND, IDM_TEMP_IGNORE, IDM_IGNORE}) {
            EnableMenuItem(PopupItems(user_), static_cast<UINT>(item),
                           MF_BYCOMMAND | (enabled ? MF_ENABLED : MF_GRAYED));
        }
    }
    int Show(HWND owner, HMENU menu, HWND anchor) {
        tracking_ = true;
        const int command = ShowPopupMenu(owner, menu, anchor, main_.GetNotifications());
        tracking_ = false;
        if (std::exchange(staffPending_, false)) SwitchToStaffMenus();
        return command;
    }

    FrmMain& main_;
    OwnedMenu options_;
    OwnedMenu user_;
    OwnedMenu self_;  // only for a staff account
    bool tracking_ = false;       // a menu is open
    bool staffPending_ = false;   // the staff menus come when it closes
    SettingsSheet sheet_;
};

}  // namespace

std::unique_ptr<Menus> MakeMenus(FrmMain& main) { return std::make_unique<AppMenus>(main); }

}  // namespace vellora
