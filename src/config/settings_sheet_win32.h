#pragma once
// The settings sheet: a modal property sheet titled "Settings" whose pages
// are the program's dialog templates from 3000 to 3950 (the interface page
// 3100 and the events page 3200). Every control shows one setting; OK and
// Apply take the values over, carry out what they change and save them;
// Cancel leaves the settings as they were.

#include <windows.h>

namespace vellora {

class FrmMain;

class SettingsSheet {
public:
    explicit SettingsSheet(FrmMain& main) : main_(main) {}
    SettingsSheet(const SettingsSheet&) = delete;
    SettingsSheet& operator=(const SettingsSheet&) = delete;

    // Runs the sheet with the main window as its parent until it is closed.
    void ShowSettingsDialog();
    // True for the sheet's window while it is open.
    bool IsSettingsWindow(HWND window) const { return window && window == hSettingsSheet_; }
    // The stop button follows the sound while the events page exists.
    void SoundPlayingChanged(bool playing);

private:
    static INT_PTR CALLBACK PageProc(HWND page, UINT msg, WPARAM wParam, LPARAM lParam);
    INT_PTR PageMessage(HWND page, UINT msg, WPARAM wParam, LPARAM lParam);
    void InitPage(HWND page);
    void OnCommand(HWND page, int id, int code, HWND control);
    void Apply(HWND page);
    bool SoundPlaying() const;

    FrmMain& main_;
    HWND hSettingsSheet_ = nullptr;
    HWND hEventsPage_ = nullptr;  // the page with the sound buttons, once created
    bool filling_ = false;        // the program itself is setting the controls
};

}  // namespace vellora
