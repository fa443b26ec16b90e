#pragma once
// Lower-casing for the client's case-insensitive comparisons (own name in a
// line, relation lists) and for the key of the stored password. The same on
// every platform: ASCII, Latin-1, Latin Extended-A, Greek and Cyrillic.

#include <string>
#include <string_view>

namespace vellora {

wchar_t LowerChar(wchar_t c);

std::wstring LowerCase(std::wstring_view text);

// Equal when both are lower-cased.
bool EqualsNoCase(std::wstring_view a, std::wstring_view b);

}  // namespace vellora
