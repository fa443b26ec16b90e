#include "config/settings_notice_win32.h"

#include <windows.h>

#include <string>

#include "config/portable.h"
#include "resources/string_ids.h"
#include "resources/strings.h"
#include "text/replace_all.h"

namespace vellora {
namespace {

std::wstring& PendingFolder() {
    static std::wstring folder;
    return folder;
}

void CALLBACK ShowNotice(HWND, UINT, UINT_PTR timer, DWORD) {
    KillTimer(nullptr, timer);
    const std::wstring text = ReplaceAll(LoadResString(kStrSettingsNotSaved), L"%F", PendingFolder());
    MessageBoxW(GetActiveWindow(), text.c_str(), L"Vellora", MB_OK | MB_ICONWARNING);
}

}  // namespace

void InstallSettingsNotSavedNotice() {
    SetSettingsNotSavedNotice([](const std::wstring& folder) {
        PendingFolder() = folder;
        SetTimer(nullptr, 0, 0, ShowNotice);
    });
}

}  // namespace vellora
