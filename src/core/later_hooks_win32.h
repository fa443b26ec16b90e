#pragma once
// Places where the windows of features still to come plug into the main
// window: dialog windows and docking, menus, toasters, tooltips, the lists
// dialog. Each does nothing (or the least that keeps the rest correct)
// until its feature exists; the names say which feature owns the call.

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

#include "core/main_layout.h"
#include "view/chat_view.h"
#include "view/user_pictures.h"

namespace vellora::later {

// Dialog windows and docking.
inline LRESULT CALLBACK DialogWindowProc(HWND w, UINT m, WPARAM wp, LPARAM lp) { return DefWindowProcW(w, m, wp, lp); }
inline LRESULT CALLBACK TabLabelProc(HWND w, UINT m, WPARAM wp, LPARAM lp) { return DefWindowProcW(w, m, wp, lp); }
inline std::vector<bool> DockedDialogFocusFlags() { return {}; }
inline void PlaceDockedDialogs(const std::vector<DockedPlacement>&) {}
inline bool FocusChangedInDockedDialog(HWND /*control*/) { return false; }
inline void RedrawTabLabel(HWND) {}
inline void CloseAllDialogs() {}
inline void RerenderDialogPanes() {}
inline void SetDialogPaneFonts(HFONT) {}
inline void InvalidateDockedPanes() {}
inline bool FocusDockedDialogControl(HWND /*lastFocus*/) { return false; }
inline void CheckDockedWindowsLClick(LPARAM) {}
inline void CheckDockedWindowsRClick(LPARAM) {}
inline void MaybeCloseDialogOf(HWND) {}

// The chat view (chat rendering, dialog routing) until it exists: lines are
// not shown anywhere.
class ChatViewPending : public ChatView {
public:
    void InMessage(std::int32_t, const std::wstring&, std::wstring&, std::int32_t) override {}
    void SetDialogsMustSpace(bool) override {}
    bool ShowErrorInDialog(const std::wstring&, const std::wstring&, std::int32_t) override { return false; }
};

// User pictures and profiles until they exist: every row waits for its
// picture, nothing is downloaded.
class UserPicturesPending : public UserPictures {
public:
    RowPicture NewEntryPicture(std::size_t) override { return -1; }
    bool NextPictureToLoad(std::wstring&) override { return false; }
    bool NextAgeToRetrieve(std::int32_t&) override { return false; }
    void PictureLoaded(const std::wstring&, const std::string&) override {}
    void ProfileLoaded(std::int32_t, const std::string&) override {}
    void ReleasePicture(PictureHandle) override {}
};
inline void GrayIdleUsers() {}

// Menus.
inline void LoadMenus() {}
inline void DestroyMenus() {}
inline void EnterOptMenu() {}
inline void EnterUserMenuForRow(int /*row*/, bool /*fromMouse*/) {}
inline void SwitchToStaffMenus() {}
inline void CheckOptionsMenuItem(std::int32_t /*id*/, bool /*checked*/) {}

// Toasters, sounds and tooltips.
inline void CloseToaster() {}
inline void ToasterTick(std::uint32_t /*lifetimeMs*/) {}
inline void ShowErrorToaster(const std::wstring& /*line*/, std::int32_t /*timeOfDay*/) {}
inline void PlayNotificationSound() {}
inline void SetToolTipVar(int) {}
inline void RegisterMainToolTips() {}
inline void StopToolTips() {}

// The friends and ignore lists dialog and the main user list's double-click.
inline void UnloadListsDialog() {}
inline void AddFriendPresentRow(const std::wstring& /*row*/) {}
inline void ShowFriendsPresent() {}
inline void List1_DblClick() {}

}  // namespace vellora::later
