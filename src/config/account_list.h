#pragma once
// The accounts the login form offers: one per settings file in the
// configuration folder.

#include <string>
#include <vector>

namespace vellora {

// Account names from settings file names: the last four characters (the
// extension with its dot) cut off, blanks trimmed at both ends, empty names
// dropped; sorted without regard to letter case.
std::vector<std::wstring> AccountNamesFromFiles(const std::vector<std::wstring>& fileNames);

// The accounts with a "*.vel" file in the configuration folder, sorted.
std::vector<std::wstring> ListAccounts();

}  // namespace vellora
