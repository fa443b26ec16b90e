#pragma once
// The file seam: Win32 wide-character file calls on Windows, standard files
// elsewhere. Paths are program text (UTF-16 code units); natively they are
// written out as UTF-8.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vellora {

// The separator between the levels of a folder path.
#ifdef _WIN32
inline constexpr wchar_t kPathSeparator = L'\\';
#else
inline constexpr wchar_t kPathSeparator = L'/';
#endif

// The whole file, or nothing when it cannot be read or holds limit bytes or
// more.
std::optional<std::string> ReadFileBytes(const std::wstring& path, std::uint64_t limit);

// Replaces the file with one that holds Bytes, or creates it. The bytes go
// to a temporary file beside it (Path + ".new") that then takes the file's
// place, so a crash or a full disk leaves the old file whole, never a cut
// one. False when the new file could not be written or put in place.
bool WriteFileBytes(const std::wstring& path, std::string_view bytes);

// The temporary file WriteFileBytes writes first.
std::wstring ReplacementPath(const std::wstring& path);

// Creates one folder level; false when it cannot (for example because it
// exists already).
bool CreateFolder(const std::wstring& path);

// True when Path names an existing folder.
bool FolderExists(const std::wstring& path);

// Names (without the folder) of the files in Folder that match Pattern, a
// file pattern with "*" and "?" such as "*.vel", compared without regard to
// letter case as Windows does. Only names that really match are given, not
// those whose short 8.3 alias does ("x.vell" for "*.vel"). Folders are left
// out; the order is the file system's.
std::vector<std::wstring> ListFiles(const std::wstring& folder, const std::wstring& pattern);

// The user's application-data folder, without a trailing separator, or empty
// when it is unknown. Natively there is none unless a test sets one.
std::wstring AppDataFolder();

// True when Name matches Pattern: "*" stands for any run of characters, "?"
// for one, letters match in either case.
bool MatchesPattern(std::wstring_view name, std::wstring_view pattern);

// Tests point the application-data folder at a folder of their own; an empty
// text gives back the system's.
void OverrideAppDataFolder(std::wstring folder);

// The folder of the running program, with a trailing separator.
std::wstring ProgramFolder();

// Tests put the program's folder somewhere of their own; an empty text gives
// back the real one.
void OverrideProgramFolder(std::wstring folder);

// Native spelling of a program path (UTF-8 natively; unused on Windows).
std::string NativePath(const std::wstring& path);

// The platform's own answers behind AppDataFolder and ProgramFolder
// (files_posix.cpp / files_win32.cpp).
std::wstring SystemAppDataFolder();
std::wstring SystemProgramFolder();

}  // namespace vellora
