#pragma once
// Where the per-account settings files live: a folder of the program's own
// under the user's application-data folder, or the program's folder when
// that cannot be had.

#include <string>
#include <string_view>

namespace vellora {

// The extension of a settings file, and the pattern that lists them.
inline constexpr std::wstring_view kConfigExtension = L".vel";
inline constexpr std::wstring_view kConfigPattern = L"*.vel";

// In portable mode (config/portable.h) the program's folder. Otherwise the
// application-data folder + "morvex", "Vellora" and a trailing separator,
// each level created when missing; the program's folder when the
// application-data folder is unknown or the levels cannot be created.
// Computed anew on every call.
std::wstring ConfigFolder();

// The settings file of Account (case kept): ConfigFolder + account + ".vel".
std::wstring ConfigFilePath(std::wstring_view account);

// Creates every level of Path that is missing; true when its last level is a
// folder afterwards.
bool CreateFolderLevels(const std::wstring& path);

}  // namespace vellora
