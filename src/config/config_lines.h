#pragma once
// The text form of a settings file: its two encodings, its CR LF lines of
// key=value, and the loose reading of numbers in values.

#include <functional>
#include <string>
#include <string_view>

namespace vellora {

// The text of a settings file: UTF-16 little-endian after the mark FF FE,
// UTF-8 after the mark EF BB BF (an editor's doing), otherwise the system's
// 8-bit code page. A UTF-16 file cut off in the
// middle of a character loses only that last byte.
std::wstring DecodeConfigBytes(std::string_view bytes);

// Text as UTF-16 little-endian with the mark FF FE in front.
std::string EncodeConfigText(std::wstring_view text);

// Calls Visit with key and value of every line, in file order. Lines end with
// CR LF (a lone CR or LF belongs to the line); the last needs no end. The key
// is everything before the first "=", untrimmed; a line without "=" is all
// key with an empty value.
void ForEachConfigLine(std::wstring_view text,
                       const std::function<void(std::wstring_view key, std::wstring_view value)>& visit);

// The leading decimal number of Value ("12abc" is 12, "-1" is -1, " 2.5" is
// 2.5, anything else 0). Very long digit runs give infinity, never an error.
double LeadingNumber(std::wstring_view value);

}  // namespace vellora
