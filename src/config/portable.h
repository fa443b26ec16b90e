#pragma once
// Portable mode: a file named "portable" beside the program keeps the
// settings files in the program's own folder, so that a copy on a memory
// stick carries its accounts along and leaves nothing behind on the computer.

#include <functional>
#include <string>
#include <string_view>

namespace vellora {

inline constexpr std::wstring_view kPortableMarker = L"portable";

// True when a file (not a folder) named "portable" lies beside the program.
bool PortableMode();

// Tells the user that the settings cannot be saved in Folder and live only
// until the program ends. The window layer puts up the message; tests count.
// Setting it (or an empty function) also forgets an earlier notice.
using SettingsNotSavedNotice = std::function<void(const std::wstring& folder)>;
void SetSettingsNotSavedNotice(SettingsNotSavedNotice notice);

// SaveConfig's report of its write. A portable copy in a folder without
// write access cannot fall back to any other place, so a failed write there
// brings up the notice: once a run, not at every change. The settings stay
// in memory meanwhile. Elsewhere write failures stay silent.
void NoteSettingsWrite(bool written);

}  // namespace vellora
