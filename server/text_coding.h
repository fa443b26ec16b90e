#pragma once
// Text handling of the simulated chat service. The chat's bytes are
// Windows-1252: what users post arrives percent-encoded and is kept as bytes;
// what the server writes itself (phrases, places, system lines) is kept in
// ASCII with entities, so it reads the same whatever code page the reader has.

#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace vellora::sim {

using FormFields = std::vector<std::pair<std::string, std::string>>;

// Form and query decoding: "%XX" becomes the byte, "+" a blank; a "%" that
// is not followed by two hexadecimal digits stays as it is.
std::string PercentDecode(std::string_view text);
// "%XX" for every byte outside letters, digits and "-_.~".
std::string PercentEncode(std::string_view bytes);

// Splits "a=1&b=2" into decoded pairs; a field without "=" has an empty value.
FormFields ParseForm(std::string_view form);
std::optional<std::string> FieldValue(const FormFields& fields, std::string_view key);

// A user's chat line as the page carries it: & < > " ' as entities (the page
// quotes its values with single quotes and knows no escaping, so a raw quote
// must never reach it), every line break as "<br>", the control characters
// of the hidden-text channel (1-5 and 15-26) and TAB kept, all other control
// characters dropped. Bytes from 128 up stay as they are. Hostile: as a
// careless server would, with every control character kept (NUL too) and the
// texts that look like protocol left as they are.
std::string EscapeChatText(std::string_view bytes, bool hostile = false);

// The same for text written in UTF-8 in our own sources: characters beyond
// ASCII become entities ("&auml;", "&#8364;").
std::string EscapeChatTextUtf8(std::string_view utf8, bool hostile = false);

// The HTML escaping of page text (profile cells and the like): & < > " '.
std::string HtmlEscape(std::string_view bytes);

// Names of accounts and members: 1 to 30 bytes of letters, digits, "-", "_"
// and "."; Latin-1 letters (bytes 0xC0-0xFF but the two signs) allowed too.
// Nothing that the page grammar or the addressing convention would trip on.
bool IsValidName(std::string_view name);

// Case-insensitive comparison of ASCII letters; other bytes compare exactly.
bool EqualsNoCase(std::string_view a, std::string_view b);
bool StartsWith(std::string_view text, std::string_view prefix);
std::string_view TrimBlanks(std::string_view text);

// A decimal number made of digits only (an optional leading minus), within
// the signed 64-bit range.
std::optional<long long> ParseInteger(std::string_view text);

}  // namespace vellora::sim
