#pragma once
// The single-byte ANSI code page at the places where the client needs bytes:
// socket data, posted message bytes, rich-text streams and the scrambler.
//
// On Windows this is the system's ANSI code page (Windows-1252 on German and
// English Windows). Elsewhere it is a built-in Windows-1252 table, so results
// do not depend on the machine. In Windows-1252 the bytes 128-159 are the code
// page's own characters (0x80 the euro sign, 0x96 the en dash U+2013); the
// five unassigned bytes 0x81, 0x8D, 0x8F, 0x90 and 0x9D stand for U+0081,
// U+008D, U+008F, U+0090 and U+009D both ways, as the Windows converter has
// it, and the other characters U+0080-U+009F have no byte.
//
// A character the code page cannot hold becomes "?". Nothing is mapped to a
// merely similar byte (no "best fit"): a look-alike of "\" or "{" must never
// turn into the real one after rich text has been escaped.

#include <string>
#include <string_view>

namespace vellora {

// Program text to code page bytes.
std::string WideToAnsi(std::wstring_view text);

// Code page bytes to program text.
std::wstring AnsiToWide(std::string_view bytes);

// The code page's byte for one character; '?' (63) when the code page has no
// single byte for it.
unsigned char AnsiByteOf(wchar_t c);

// The character the code page shows for one byte; '?' when it has none.
wchar_t AnsiCharOf(unsigned char byte);

// The code page's number (1252 for the built-in table).
unsigned AnsiCodePage();

}  // namespace vellora
