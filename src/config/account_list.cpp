#include "config/account_list.h"

#include <algorithm>

#include "config/config_folder.h"
#include "core/files.h"
#include "text/case.h"

namespace vellora {

std::vector<std::wstring> AccountNamesFromFiles(const std::vector<std::wstring>& fileNames) {
    std::vector<std::wstring> names;
    for (const std::wstring& file : fileNames) {
        if (file.size() <= kConfigExtension.size()) continue;
        std::wstring name = file.substr(0, file.size() - kConfigExtension.size());
        std::size_t first = name.find_first_not_of(L' ');
        if (first == std::wstring::npos) continue;
        std::size_t last = name.find_last_not_of(L' ');
        names.push_back(name.substr(first, last - first + 1));
    }
    std::stable_sort(names.begin(), names.end(),
                     [](const std::wstring& a, const std::wstring& b) { return LowerCase(a) < LowerCase(b); });
    return names;
}

std::vector<std::wstring> ListAccounts() {
    return AccountNamesFromFiles(ListFiles(ConfigFolder(), std::wstring(kConfigPattern)));
}

}  // namespace vellora
