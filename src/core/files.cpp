#include "core/files.h"

#include <utility>

namespace vellora {
namespace {

std::wstring& AppDataOverride() {
    static std::wstring folder;
    return folder;
}

}  // namespace

void OverrideAppDataFolder(std::wstring folder) { AppDataOverride() = std::move(folder); }

std::wstring AppDataFolder() {
    const std::wstring& chosen = AppDataOverride();
    return chosen.empty() ? SystemAppDataFolder() : chosen;
}

}  // namespace vellora
