#pragma once
// Letter case for comparisons that ignore it (relation lists, own-name
// searches). Covers the Latin letters a chat name can hold: ASCII, Latin-1
// and Latin Extended-A.

#include <string>
#include <string_view>

namespace vellora {

wchar_t LowerChar(wchar_t c);
std::wstring LowerCase(std::wstring_view text);
bool EqualsNoCase(std::wstring_view a, std::wstring_view b);

}  // namespace vellora
