#pragma once

#include <string>
#include <string_view>

namespace vellora {

// Text with every occurrence of From replaced by To, scanning left to right;
// replaced text is not searched again. An empty From changes nothing.
std::wstring ReplaceAll(std::wstring_view text, std::wstring_view from, std::wstring_view to);

// The same with From matched without regard to letter case (the placeholders
// of the program's texts, such as "%U", may be written either way).
std::wstring ReplaceAllNoCase(std::wstring_view text, std::wstring_view from, std::wstring_view to);

}  // namespace vellora
