#pragma once
// Notifications: the toaster (the popup at the screen corner), the
// notification sounds and the hover help (the tooltip window "ExtMultiLineToolTip"
// with its own 250 ms timer).
//
// The main window object owns one Notifications, made by MakeNotifications
// (defined with the facility's implementation), from the start of Form_Load
// (the tooltip mode is set before any window exists) to the end of
// Form_Unload, after the main window is gone. It reaches the main window
// object by the reference it is made with.

#include <windows.h>

#include <cstdint>
#include <memory>
#include <string>

#include "view/view_window.h"

namespace vellora {

class FrmMain;

class Notifications {
public:
    // Stops the tooltip facility and releases the toaster and its picture.
    virtual ~Notifications() = default;

    // --- toasters
    // A toaster line (see ViewWindow::ShowToaster); Picture is the caller's,
    // the toaster keeps a copy of its own.
    virtual void ShowToaster(std::int32_t kind, const std::wstring& user, const std::wstring& text,
                             std::int32_t timeOfDay, PictureHandle picture, bool held) = 0;
    // An error toaster of a status line: an event without user or picture.
    virtual void ShowErrorToaster(const std::wstring& line, std::int32_t timeOfDay) = 0;
    // Housekeeping, once per poll tick with the toaster's lifetime (12000 ms),
    // and with 0 at unload, which closes an open toaster.
    virtual void ToasterTick(std::uint32_t lifetimeMs) = 0;

    // --- sounds
    // The notification sound with the configured sound file.
    virtual void PlayNotificationSound() = 0;
    // The settings sheet: its play button tries File (not yet saved), its
    // stop button stops, its browse button asks for a wave file (false on
    // Cancel); the stop button is enabled while SoundPlaying.
    virtual void PlaySoundFile(const std::wstring& file) = 0;
    virtual void StopNotificationSound() = 0;
    virtual bool SoundPlaying() const = 0;
    virtual bool ChooseSoundFile(HWND owner, std::wstring& file) = 0;

    // --- tooltips
    // Sets the ShowToolTips mode (a ToolTipsMode) and registers the tools again.
    virtual void SetToolTipVar(std::int32_t mode) = 0;
    // The main window's controls exist: register their tools.
    virtual void RegisterMainToolTips() = 0;
    // A dialog's tools under Parent (its own window, or the main window while
    // docked): the window with the user's information, and by the mode its
    // pane, input and tab label; nothing when tooltips are off.
    virtual void SetDialogToolTips(HWND parent, HWND dialog, HWND pane, HWND input, HWND label,
                                   const std::wstring& user) = 0;
    // The information tooltip of a user (relation, age, last interaction)
    // for Tool under Parent, titled by string CaptionId; Age is a number
    // (-2, -1, 0 unknown, else years), LastMessage a tick.
    virtual void RaiseUserTooltip(HWND parent, HWND tool, std::int32_t captionId, std::int32_t userId,
                                  const std::wstring& user, std::int32_t age, std::uint32_t lastMessage) = 0;
    // Forgets every tool registered under Parent (a dialog going away).
    virtual void RemoveTooltipsOf(HWND parent) = 0;
    // Forgets Tool, whatever it is registered under (a dialog's tab label,
    // which is the main window's).
    virtual void RemoveTooltip(HWND tool) = 0;
    // A popup menu opens: no tooltip until it is closed (TooltipResume).
    virtual void TooltipSuspend() = 0;
    virtual void TooltipResume() = 0;
};

std::unique_ptr<Notifications> MakeNotifications(FrmMain& main);

}  // namespace vellora
