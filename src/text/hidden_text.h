#pragma once
// The hidden-text channel of dialog lines. A section written between "<[" and
// "]>" is scrambled with the sender's name as key and travels inside the
// ordinary chat line as a run of control characters, two per byte. Clients of
// this kind show it decoded to the addressee (and to the sender) and as an
// italic placeholder to everybody else.

#include <string>
#include <string_view>

namespace vellora {

enum class HiddenMode {
    Placeholder = 0,   // "{\i " + placeholder + "  }"
    Decode = 1,        // "{\i " + decoded text + "  }"
    DecodeStrike = 2,  // "{\i\strike " + decoded text + "  }"
};

// The characters a scrambled block travels as: two per byte, high nibble
// first, a nibble n as the character n + 1 (0-3) or n + 11 (4-15), which
// leaves out TAB, LF and CR.
std::wstring NibbleRun(std::string_view block);

// A section scrambled with the own user name as key, each byte as two nibble
// characters, each percent-encoded ("%01%1A" per byte). Nothing for an empty
// section.
std::wstring WriteHiddenText(std::wstring_view section, std::wstring_view ownUserName);

// A dialog message ready to post: plain parts percent-encoded, "<[" ... "]>"
// sections through WriteHiddenText. Empty when the brackets are malformed or
// a plain part holds a control character; nothing is sent then.
std::wstring EncodeForSend(std::wstring_view text, std::wstring_view ownUserName);

// Renders the nibble runs of a received, already escaped message for a pane.
// Decoding uses Key (the sender's name); a run that does not decode shows the
// placeholder. The own user "Supervisor" sees every run decoded and struck
// through, even where others see the placeholder.
std::wstring RenderHiddenText(std::wstring_view rtfMessage, std::wstring_view key, HiddenMode mode,
                              std::wstring_view ownUserName);

}  // namespace vellora
