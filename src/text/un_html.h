#pragma once
// Decoding of the HTML-escaped text that the chat server and the club pages
// deliver: "<br>" line breaks, named references ("&lt;", "&auml;") and numeric
// references ("&#9829;", "&#x2665;"). Whatever cannot be decoded is copied.

#include <string>
#include <string_view>

namespace vellora {

// Chat message text. IsUnicodePlatform lets references to characters outside
// the ANSI code page decode; without it they stay as written. This client
// always runs on the wide-character path, hence the default.
std::wstring UnHtml(std::wstring_view text, bool isUnicodePlatform = true);

// A cell cut out of a profile page: "&shy;" and "&nbsp;" become blanks first.
std::wstring UnHtmlField(std::wstring_view text, bool isUnicodePlatform = true);

}  // namespace vellora
