#pragma once
// Percent and hexadecimal codings of the client.

#include <string>
#include <string_view>

namespace vellora {

// Every character as "%" and the two upper-case hex digits of its code page
// byte ('A' gives "%41", 'ä' "%E4"). Empty when the text holds a control
// character (a code below 32): such a message is not sent.
std::wstring PercentEncodeAll(std::wstring_view text);

// Typed text with every control character (a pasted TAB, say) turned into a
// blank, so that PercentEncodeAll does not refuse the whole line for it.
std::wstring BlankControlCharacters(std::wstring text);

// Every byte as two upper-case hex digits, high nibble first.
std::wstring HexEncode(std::string_view bytes);

// The reverse of HexEncode; lower-case digits are accepted. Empty for an odd
// length or any character that is not a hex digit.
std::string HexDecode(std::wstring_view text);

}  // namespace vellora
