#pragma once
// Where the protocol meets the text codings: bytes on the wire become text
// one character per byte through the ANSI code page and back, and message
// texts are decoded from HTML entities.
//
// Placeholder until the text conversion module is on main: these forward to
// it then, and this file goes away.

#include <string>
#include <string_view>

namespace vellora {

inline std::wstring BytesToText(std::string_view bytes) {
    std::wstring out;
    out.reserve(bytes.size());
    for (unsigned char c : bytes) out.push_back(static_cast<wchar_t>(c));
    return out;
}

inline std::string TextToBytes(std::wstring_view text) {
    std::string out;
    out.reserve(text.size());
    for (wchar_t c : text) out.push_back(c < 256 ? static_cast<char>(c) : '?');
    return out;
}

inline std::wstring DecodeChatText(std::wstring_view text) { return std::wstring(text); }

inline std::wstring EncodeChatText(std::wstring_view text) {
    static const wchar_t* hex = L"0123456789ABCDEF";
    std::wstring out;
    for (wchar_t c : text) {
        if (c < 32) return L"";
        unsigned code = c < 256 ? static_cast<unsigned>(c) : 63u;
        out += L'%';
        out += hex[code >> 4];
        out += hex[code & 15];
    }
    return out;
}

}  // namespace vellora
