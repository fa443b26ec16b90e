#pragma once
// A private application-data folder for each test, and a recorder of what
// applying settings does to the windows.

#include <cstdint>
#include <string>
#include <vector>

#include "config/config_file.h"

namespace vellora::test {

// Creates a fresh folder under the system's temporary folder, points the
// application-data folder at it, and removes it again afterwards.
class TempAppData {
public:
    TempAppData();
    ~TempAppData();
    TempAppData(const TempAppData&) = delete;
    TempAppData& operator=(const TempAppData&) = delete;

    const std::wstring& Root() const { return root_; }
    // The folder the settings files go to.
    std::wstring SettingsFolder() const;

private:
    std::wstring root_;
};

// Writes raw bytes as the settings file of Account.
void WriteSettingsFile(const std::wstring& account, const std::string& bytes);
// The raw bytes of Account's settings file (empty when missing).
std::string ReadSettingsFile(const std::wstring& account);

struct RecordingEffects : ConfigEffects {
    std::vector<std::wstring> calls;
    void FriendsToasterChanged() override { calls.push_back(L"FriendsToasterChanged"); }
    void SetToolTipVar(std::int32_t mode) override { calls.push_back(L"SetToolTipVar " + std::to_wstring(mode)); }
    void CheckOptionsMenuItem(std::int32_t id, bool checked) override {
        calls.push_back(L"Check " + std::to_wstring(id) + (checked ? L" on" : L" off"));
    }
    void SetFriendsAtEntryDone() override { calls.push_back(L"FriendsAtEntryDone"); }
    void ShowStatusBar(bool shown) override { calls.push_back(shown ? L"StatusBar shown" : L"StatusBar hidden"); }
    void RealResize(bool full) override { calls.push_back(full ? L"RealResize true" : L"RealResize false"); }
};

}  // namespace vellora::test
