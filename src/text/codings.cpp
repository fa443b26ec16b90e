#include "text/codings.h"

#include "text/codepage.h"

namespace vellora {
namespace {

constexpr wchar_t kHexDigits[] = L"0123456789ABCDEF";

void AppendHexByte(std::wstring& out, unsigned char b) {
    out.push_back(kHexDigits[b >> 4]);
    out.push_back(kHexDigits[b & 15]);
}

int HexDigitValue(wchar_t c) {
    if (c >= L'0' && c <= L'9') return static_cast<int>(c - L'0');
    if (c >= L'A' && c <= L'F') return static_cast<int>(c - L'A' + 10);
    if (c >= L'a' && c <= L'f') return static_cast<int>(c - L'a' + 10);
    return -1;
}

}  // namespace

std::wstring PercentEncodeAll(std::wstring_view text) {
    const std::string bytes = WideToAnsi(text);
    std::wstring out;
    out.reserve(bytes.size() * 3);
    for (char c : bytes) {
        auto b = static_cast<unsigned char>(c);
        if (b < 32) return {};
        out.push_back(L'%');
        AppendHexByte(out, b);
    }
    return out;
}

std::wstring BlankControlCharacters(std::wstring text) {
    for (wchar_t& c : text) {
        if (c < 32) c = L' ';
    }
    return text;
}

std::wstring HexEncode(std::string_view bytes) {
    std::wstring out;
    out.reserve(bytes.size() * 2);
    for (char c : bytes) AppendHexByte(out, static_cast<unsigned char>(c));
    return out;
}

std::string HexDecode(std::wstring_view text) {
    if (text.size() % 2 != 0) return {};
    std::string bytes(text.size() / 2, '\0');
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        int hi = HexDigitValue(text[2 * i]);
        int lo = HexDigitValue(text[2 * i + 1]);
        if (hi < 0 || lo < 0) return {};
        bytes[i] = static_cast<char>(hi * 16 + lo);
    }
    return bytes;
}

}  // namespace vellora
