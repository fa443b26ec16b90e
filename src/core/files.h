#pragma once
// The file seam: Win32 wide-character file calls on Windows, standard files
// elsewhere. Paths are program text (UTF-16 code units); natively they are
// written out as UTF-8.

#include <cstdint>
#include <optional>
#include <string>

namespace vellora {

// The whole file, or nothing when it cannot be read or holds limit bytes or
// more.
std::optional<std::string> ReadFileBytes(const std::wstring& path, std::uint64_t limit);

// Native spelling of a program path (UTF-8 natively; unused on Windows).
std::string NativePath(const std::wstring& path);

}  // namespace vellora
