#pragma once
// Places where the windows of features still to come plug into the main
// window: dialog windows and docking, menus, toasters, tooltips, the lists
// dialog. Each does nothing (or the least that keeps the rest correct)
// until its feature exists; the names say which feature owns the call.

#include <windows.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "core/main_layout.h"
#include "view/roster.h"
#include "view/view_window.h"

namespace vellora::later {

// Dialog windows and docking.
inline std::unique_ptr<DialogWindow> CreateDialogWindow(const std::wstring& /*caption*/) { return nullptr; }
inline LRESULT CALLBACK DialogWindowProc(HWND w, UINT m, WPARAM wp, LPARAM lp) { return DefWindowProcW(w, m, wp, lp); }
inline LRESULT CALLBACK TabLabelProc(HWND w, UINT m, WPARAM wp, LPARAM lp) { return DefWindowProcW(w, m, wp, lp); }
inline std::vector<bool> DockedDialogFocusFlags() { return {}; }
inline void PlaceDockedDialogs(const std::vector<DockedPlacement>&) {}
inline bool FocusChangedInDockedDialog(HWND /*control*/) { return false; }
inline void RedrawTabLabel(HWND) {}
inline void CloseAllDialogs() {}
inline void SetDialogPaneFonts(HFONT) {}
inline void InvalidateDockedPanes() {}
inline bool FocusDockedDialogControl(HWND /*lastFocus*/) { return false; }
inline void CheckDockedWindowsLClick(LPARAM) {}
inline void CheckDockedWindowsRClick(LPARAM) {}
inline void MaybeCloseDialogOf(HWND) {}

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
inline void ShowToaster(std::int32_t /*kind*/, const std::wstring& /*user*/, const std::wstring& /*text*/,
                        std::int32_t /*timeOfDay*/, PictureHandle /*picture*/, bool /*held*/) {}
inline void PlayNotificationSound() {}
inline void SetToolTipVar(int) {}
inline void RegisterMainToolTips() {}
inline void StopToolTips() {}

// The friends and ignore lists dialog, its input box, the settings window.
inline void UnloadListsDialog() {}
inline void ShowListsDialog() {}
inline bool AskForText(const std::wstring& /*prompt*/, std::wstring& /*answer*/) { return false; }
inline bool IsListsOrSettingsWindow(HWND) { return false; }

}  // namespace vellora::later
