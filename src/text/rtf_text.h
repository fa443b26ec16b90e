#pragma once
// The client's rich-text dialect and its small builders.
//
// A pane's document is RtfHeader, then one paragraph per line,
// "{\pard " + time stamp + prefix + text + "\par}", then "}". No font or colour
// table; the only control words are \rtf1 \pard \par \b \ul \i \strike, and
// only "\", "{" and "}" are escaped. Text in the dialect is program text; it
// becomes code page bytes when a document is built (rtf_document.h).

#include <cstdint>
#include <string>
#include <string_view>

namespace vellora {

// "{\rtf1 ": the document header.
std::string_view RtfHeader();

// "\" becomes "\\", "{" becomes "\{" and "}" becomes "\}"; nothing else.
std::wstring EscapeRtf(std::wstring_view text);

// The bold sender prefix of a user's line: "{\b " + name + ":} ". The name is
// escaped: names come from the server and from other users.
std::wstring BoldNamePrefix(std::wstring_view userName);

// Wraps every occurrence of the own user name in RtfText (a line's text,
// already escaped and marked up) in "{\ul " ... "}". Case-insensitive; each
// occurrence keeps its own letter case, and the search goes on behind the
// inserted group. Only the text itself is searched, never the markup, so a
// name like "ike" does not split the "\strike" of a hidden-text group. An
// empty name changes nothing.
std::wstring UnderlineOwnName(std::wstring_view rtfText, std::wstring_view ownUserName);

// The toaster's event lines: every occurrence of the user name in RtfText
// (exact, case-sensitive, text only as above) becomes "{\b " + name + "}".
// An empty name changes nothing.
std::wstring BoldNameInText(std::wstring_view rtfText, std::wstring_view userName);

// "[HH:MM:SS] " for a time of day in seconds since midnight; eight blanks for
// a line without time (-1); nothing when ShowTimes is off.
std::wstring TimeStampPrefix(std::int32_t timeOfDay, bool showTimes);

// One line's paragraph: "{\pard " + time stamp + prefix + text + "\par}".
// Control characters other than TAB, CR, LF and the hidden-text placeholder
// (code 1) are left out: no document may hold them.
std::wstring RtfParagraph(std::int32_t timeOfDay, std::wstring_view prefix, std::wstring_view rtfText,
                          bool showTimes);

}  // namespace vellora
