#include "config/config_folder.h"

#include "config/portable.h"
#include "core/files.h"

namespace vellora {

bool CreateFolderLevels(const std::wstring& path) {
    std::wstring whole = path;
    if (whole.empty()) return false;
    if (whole.back() != kPathSeparator) whole += kPathSeparator;
    // Every prefix that ends before a separator: the levels above exist
    // already on any real system, and creating them again fails harmlessly.
    for (std::size_t at = whole.find(kPathSeparator); at != std::wstring::npos;
         at = whole.find(kPathSeparator, at + 1)) {
        if (at > 0) CreateFolder(whole.substr(0, at));
    }
    whole.pop_back();
    return FolderExists(whole);
}

std::wstring ConfigFolder() {
    // A portable copy never writes outside its own folder.
    if (PortableMode()) return ProgramFolder();
    std::wstring base = AppDataFolder();
    std::size_t first = base.find_first_not_of(L' ');
    std::size_t last = base.find_last_not_of(L' ');
    base = first == std::wstring::npos ? std::wstring() : base.substr(first, last - first + 1);
    if (!base.empty()) {
        if (base.back() != kPathSeparator) base += kPathSeparator;
        std::wstring folder = base + L"morvex" + kPathSeparator + L"Vellora";
        if (CreateFolderLevels(folder)) return folder + kPathSeparator;
    }
    return ProgramFolder();
}

std::wstring ConfigFilePath(std::wstring_view account) {
    return ConfigFolder() + std::wstring(account) + std::wstring(kConfigExtension);
}

}  // namespace vellora
