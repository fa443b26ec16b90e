// The Windows program: the main window object comes up, the message loop
// runs until it unloads, and it goes down again.
#include <windows.h>

#include "config/settings_notice_win32.h"
#include "core/frm_main_win32.h"
#include "dialogs/window_object_win32.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    vellora::InstallSettingsNotSavedNotice();
    vellora::FrmMain frmMain;
    frmMain.SetQuitOnUnload(true);
    frmMain.Form_Initialize();
    if (frmMain.Form_Load()) {
        MSG msg;
        while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
            // The login form is a dialog: its keys (Tab, Enter, Escape,
            // mnemonics) go through the dialog manager.
            if (vellora::RouteDialogMessage(msg)) continue;
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
    }
    if (!frmMain.Unloaded()) frmMain.Unload();
    frmMain.Form_Terminate();
    return 0;
}
