#include "config/config_test_support.h"

#include <atomic>
#include <filesystem>
#include <string>

#include "config/config_folder.h"
#include "core/files.h"

namespace vellora::test {
namespace {

std::atomic<int> folderCount{0};

std::filesystem::path PathOf(const std::wstring& text) { return std::filesystem::path(text); }

}  // namespace

TempAppData::TempAppData() {
    namespace fs = std::filesystem;
    fs::path base = fs::temp_directory_path();
    fs::path folder;
    std::error_code error;
    for (int attempt = 0; attempt < 1000; ++attempt) {
        // Test processes run side by side: the folder that this process
        // manages to create is its own.
        folder = base / ("vellora-config-" + std::to_string(folderCount++) + "-" + std::to_string(attempt));
        if (fs::create_directory(folder, error)) break;
    }
    root_ = folder.wstring();
    OverrideAppDataFolder(root_);
}

TempAppData::~TempAppData() {
    OverrideAppDataFolder(L"");
    std::error_code error;
    std::filesystem::remove_all(PathOf(root_), error);
}

std::wstring TempAppData::SettingsFolder() const {
    return root_ + kPathSeparator + L"morvex" + kPathSeparator + L"Vellora" + kPathSeparator;
}

void WriteSettingsFile(const std::wstring& account, const std::string& bytes) {
    WriteFileBytes(ConfigFilePath(account), bytes);
}

std::string ReadSettingsFile(const std::wstring& account) {
    return ReadFileBytes(ConfigFilePath(account), kConfigFileLimit).value_or(std::string());
}

}  // namespace vellora::test
