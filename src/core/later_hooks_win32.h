#pragma once
// Places where the windows of features still to come plug into the main
// window: dialog windows and docking, menus, toasters, tooltips, the lists
// dialog. Each does nothing (or the least that keeps the rest correct)
// until its feature exists; the names say which feature owns the call.

#include <windows.h>

#include <vector>

#include "core/main_layout.h"

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

// Menus.
inline void LoadMenus() {}
inline void DestroyMenus() {}
inline void EnterOptMenu() {}
inline void EnterUserMenuForRow(int /*row*/, bool /*fromMouse*/) {}

// Toasters and tooltips.
inline void CloseToaster() {}
inline void SetToolTipVar(int) {}
inline void RegisterMainToolTips() {}
inline void StopToolTips() {}

// The friends and ignore lists dialog and the main user list's double-click.
inline void UnloadListsDialog() {}
inline void List1_DblClick() {}

}  // namespace vellora::later
