#include "config/config_lines.h"

#include <cstdint>

#include "text/codepage.h"

namespace vellora {
namespace {

// UTF-8 as UTF-16; a byte that does not belong to a well-formed sequence is
// taken through the code page, so nothing is lost.
std::wstring Utf8ToWide(std::string_view bytes) {
    std::wstring text;
    text.reserve(bytes.size());
    std::size_t i = 0;
    while (i < bytes.size()) {
        const auto b = static_cast<unsigned char>(bytes[i]);
        const std::size_t extra = b >= 0xF0 && b < 0xF5 ? 3 : b >= 0xE0 && b < 0xF0 ? 2 : b >= 0xC2 && b < 0xE0 ? 1 : 0;
        std::uint32_t c = extra == 3 ? b & 0x07u : extra == 2 ? b & 0x0Fu : b & 0x1Fu;
        bool ok = extra > 0 && i + extra < bytes.size();
        for (std::size_t k = 1; ok && k <= extra; ++k) {
            const auto next = static_cast<unsigned char>(bytes[i + k]);
            ok = (next & 0xC0) == 0x80;
            c = (c << 6) | (next & 0x3Fu);
        }
        // Overlong forms and surrogates are no characters.
        if (ok && extra == 2) ok = c >= 0x800 && (c < 0xD800 || c >= 0xE000);
        if (ok && extra == 3) ok = c >= 0x10000 && c <= 0x10FFFF;
        if (!ok) {
            text += AnsiCharOf(b);
            ++i;
            continue;
        }
        if (c >= 0x10000) {
            c -= 0x10000;
            text += static_cast<wchar_t>(0xD800 + (c >> 10));
            text += static_cast<wchar_t>(0xDC00 + (c & 0x3FF));
        } else {
            text += static_cast<wchar_t>(c);
        }
        i += extra + 1;
    }
    return text;
}

}  // namespace

std::wstring DecodeConfigBytes(std::string_view bytes) {
    if (bytes.size() >= 2 && static_cast<unsigned char>(bytes[0]) == 0xFF &&
        static_cast<unsigned char>(bytes[1]) == 0xFE) {
        std::wstring text;
        text.reserve((bytes.size() - 2) / 2);
        for (std::size_t i = 2; i + 1 < bytes.size(); i += 2) {
            text += static_cast<wchar_t>(static_cast<unsigned char>(bytes[i]) |
                                         (static_cast<unsigned char>(bytes[i + 1]) << 8));
        }
        return text;
    }
    // An editor may have saved the file as UTF-8 with its mark; the mark is
    // no part of the first key, and the text is UTF-8.
    if (bytes.substr(0, 3) == "\xEF\xBB\xBF") return Utf8ToWide(bytes.substr(3));
    return AnsiToWide(bytes);
}

std::string EncodeConfigText(std::wstring_view text) {
    std::string bytes("\xFF\xFE", 2);
    bytes.reserve(2 + text.size() * 2);
    for (wchar_t c : text) {
        auto unit = static_cast<std::uint32_t>(c) & 0xFFFF;
        bytes += static_cast<char>(unit & 0xFF);
        bytes += static_cast<char>(unit >> 8);
    }
    return bytes;
}

void ForEachConfigLine(std::wstring_view text,
                       const std::function<void(std::wstring_view key, std::wstring_view value)>& visit) {
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find(L"\r\n", start);
        std::wstring_view line = text.substr(start, end == std::wstring_view::npos ? std::wstring_view::npos : end - start);
        std::size_t equals = line.find(L'=');
        if (equals == std::wstring_view::npos) {
            visit(line, std::wstring_view());
        } else {
            visit(line.substr(0, equals), line.substr(equals + 1));
        }
        if (end == std::wstring_view::npos) break;
        start = end + 2;
    }
}

double LeadingNumber(std::wstring_view value) {
    std::size_t i = 0;
    while (i < value.size() && (value[i] == L' ' || value[i] == L'\t')) ++i;
    double sign = 1;
    if (i < value.size() && (value[i] == L'-' || value[i] == L'+')) {
        if (value[i] == L'-') sign = -1;
        ++i;
    }
    double number = 0;
    while (i < value.size() && value[i] >= L'0' && value[i] <= L'9') number = number * 10 + (value[i++] - L'0');
    if (i < value.size() && value[i] == L'.') {
        double scale = 0.1;
        for (++i; i < value.size() && value[i] >= L'0' && value[i] <= L'9'; ++i, scale /= 10) {
            number += (value[i] - L'0') * scale;
        }
    }
    return sign * number;
}

}  // namespace vellora
