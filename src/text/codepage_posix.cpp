// The built-in Windows-1252 code page used off Windows.
#include <cstdint>

#include "text/codepage.h"

namespace vellora {
namespace {

// Bytes 0x80-0x9F. The unassigned bytes keep their own value, as in the
// Windows converter.
constexpr std::uint16_t kHighControlBlock[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,  // 80-87
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,  // 88-8F
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,  // 90-97
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,  // 98-9F
};

char ByteFor(wchar_t c) {
    auto code = static_cast<std::uint32_t>(c);
    if (code < 0x80 || (code >= 0xA0 && code <= 0xFF)) return static_cast<char>(code);
    for (std::uint32_t i = 0; i < 32; ++i) {
        if (kHighControlBlock[i] == code) return static_cast<char>(0x80 + i);
    }
    return '?';
}

}  // namespace

std::string WideToAnsi(std::wstring_view text) {
    std::string bytes(text.size(), '\0');
    for (std::size_t i = 0; i < text.size(); ++i) bytes[i] = ByteFor(text[i]);
    return bytes;
}

std::wstring AnsiToWide(std::string_view bytes) {
    std::wstring text(bytes.size(), L'\0');
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        auto b = static_cast<unsigned char>(bytes[i]);
        text[i] = (b >= 0x80 && b < 0xA0) ? static_cast<wchar_t>(kHighControlBlock[b - 0x80]) : static_cast<wchar_t>(b);
    }
    return text;
}

unsigned AnsiCodePage() { return 1252; }

}  // namespace vellora
