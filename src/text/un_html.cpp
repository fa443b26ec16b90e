#include "text/un_html.h"

#include <cstdint>
#include <optional>

#include "text/codepage.h"
#include "text/entity_table.h"
#include "text/replace_all.h"

namespace vellora {
namespace {

// Numbers longer than this are beyond the 32-bit range and never decode.
constexpr std::size_t kMaxDecimalDigits = 10;
constexpr std::size_t kMaxHexDigits = 8;

bool IsDecimalDigit(wchar_t c) { return c >= L'0' && c <= L'9'; }

int UpperHexDigitValue(wchar_t c) {
    if (c >= L'0' && c <= L'9') return static_cast<int>(c - L'0');
    if (c >= L'A' && c <= L'F') return static_cast<int>(c - L'A' + 10);
    return -1;
}

// "&#x..;": only the upper-case form of the value without leading zeros.
std::optional<std::uint64_t> HexReference(std::wstring_view digits) {
    if (digits.empty() || digits.size() > kMaxHexDigits) return std::nullopt;
    if (digits.size() > 1 && digits[0] == L'0') return std::nullopt;
    std::uint64_t value = 0;
    for (wchar_t c : digits) {
        int d = UpperHexDigitValue(c);
        if (d < 0) return std::nullopt;
        value = value * 16 + static_cast<std::uint64_t>(d);
    }
    return value;
}

// "&#...;": the plain decimal form of the value, or "0" and one digit.
std::optional<std::uint64_t> DecimalReference(std::wstring_view digits) {
    if (digits.empty() || digits.size() > kMaxDecimalDigits) return std::nullopt;
    for (wchar_t c : digits) {
        if (!IsDecimalDigit(c)) return std::nullopt;
    }
    if (digits.size() > 1 && digits[0] == L'0' && digits.size() != 2) return std::nullopt;
    std::uint64_t value = 0;
    for (wchar_t c : digits) value = value * 10 + static_cast<std::uint64_t>(c - L'0');
    return value;
}

std::optional<std::uint64_t> ReferenceValue(std::wstring_view body) {
    if (!body.empty() && body[0] == L'#') {
        if (body.size() >= 2 && body[1] == L'x') return HexReference(body.substr(2));
        return DecimalReference(body.substr(1));
    }
    return LookupEntity(body);
}

// The character a reference stands for, or nothing when it is copied.
std::optional<wchar_t> DecodedChar(std::wstring_view body, bool isUnicodePlatform) {
    std::optional<std::uint64_t> value = ReferenceValue(body);
    if (!value) return std::nullopt;
    std::uint64_t v = *value;
    if (v == 9) return L'\t';
    if (v < 32 || v > 0xFFFF) return std::nullopt;
    auto c = static_cast<wchar_t>(v);
    // A character that is its own byte in the code page comes out as that
    // byte's character.
    if (AnsiByteOf(c) == v) return AnsiCharOf(static_cast<unsigned char>(v));
    // 128-159 are control characters in Unicode, but the pages that send
    // them ("&ndash;" is 150, "&#151;") mean the code page's characters, the
    // en dash and the em dash, as browsers read them too.
    if (v >= 128 && v <= 159) {
        wchar_t shown = AnsiCharOf(static_cast<unsigned char>(v));
        if (AnsiByteOf(shown) == v) return shown;
    }
    if (isUnicodePlatform) return c;
    return std::nullopt;
}

}  // namespace

std::wstring UnHtml(std::wstring_view input, bool isUnicodePlatform) {
    const std::wstring text = ReplaceAll(input, L"<br>", L"\r\n");
    std::wstring result;
    result.reserve(text.size());
    std::size_t rest = 0;
    for (;;) {
        std::size_t amp = text.find(L'&', rest);
        if (amp == std::wstring::npos) break;
        std::size_t semicolon = text.find(L';', amp + 1);
        if (semicolon == std::wstring::npos) break;
        std::wstring_view body(text.data() + amp + 1, semicolon - amp - 1);
        if (std::optional<wchar_t> c = DecodedChar(body, isUnicodePlatform)) {
            result.append(text, rest, amp - rest);
            result.push_back(*c);
        } else {
            result.append(text, rest, semicolon + 1 - rest);
        }
        rest = semicolon + 1;
    }
    result.append(text, rest, std::wstring::npos);
    return result;
}

std::wstring UnHtmlField(std::wstring_view text, bool isUnicodePlatform) {
    return UnHtml(ReplaceAll(ReplaceAll(text, L"&shy;", L" "), L"&nbsp;", L" "), isUnicodePlatform);
}

}  // namespace vellora
