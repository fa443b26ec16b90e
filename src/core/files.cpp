#include "core/files.h"

#include "text/case.h"

#include <utility>

namespace vellora {
namespace {

std::wstring& AppDataOverride() {
    static std::wstring folder;
    return folder;
}

std::wstring& ProgramFolderOverride() {
    static std::wstring folder;
    return folder;
}

}  // namespace

bool MatchesPattern(std::wstring_view name, std::wstring_view pattern) {
    std::size_t n = 0, p = 0, starP = std::wstring_view::npos, starN = 0;
    while (n < name.size()) {
        if (p < pattern.size() && (pattern[p] == L'?' || LowerChar(pattern[p]) == LowerChar(name[n]))) {
            ++n;
            ++p;
        } else if (p < pattern.size() && pattern[p] == L'*') {
            starP = p++;
            starN = n;
        } else if (starP != std::wstring_view::npos) {
            p = starP + 1;
            n = ++starN;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == L'*') ++p;
    return p == pattern.size();
}

std::wstring ReplacementPath(const std::wstring& path) { return path + L".new"; }

void OverrideAppDataFolder(std::wstring folder) { AppDataOverride() = std::move(folder); }

std::wstring AppDataFolder() {
    const std::wstring& chosen = AppDataOverride();
    return chosen.empty() ? SystemAppDataFolder() : chosen;
}

void OverrideProgramFolder(std::wstring folder) { ProgramFolderOverride() = std::move(folder); }

std::wstring ProgramFolder() {
    const std::wstring& chosen = ProgramFolderOverride();
    return chosen.empty() ? SystemProgramFolder() : chosen;
}

}  // namespace vellora
