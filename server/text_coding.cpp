#include "text_coding.h"

#include <charconv>
#include <cstdint>

namespace vellora::sim {
namespace {

int HexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

char AsciiLower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

bool IsHiddenTextCode(unsigned char c) { return (c >= 1 && c <= 5) || (c >= 15 && c <= 26); }

// Appends one character of chat text (code point or byte) escaped; a line
// break has been handled by the caller.
void AppendChatChar(std::string& out, std::uint32_t c, bool bytesAsEntities, bool hostile) {
    switch (c) {
    case '&': out += "&amp;"; return;
    case '<': out += "&lt;"; return;
    case '>': out += "&gt;"; return;
    case '"': out += "&quot;"; return;
    case '\'': out += "&#39;"; return;
    default: break;
    }
    if (c < 32) {
        if (hostile || c == '\t' || IsHiddenTextCode(static_cast<unsigned char>(c))) out += static_cast<char>(c);
        return;
    }
    if (c == 127) return;
    if (c < 128 || (!bytesAsEntities && c < 256)) {
        out += static_cast<char>(c);
        return;
    }
    switch (c) {
    case 0xE4: out += "&auml;"; return;
    case 0xF6: out += "&ouml;"; return;
    case 0xFC: out += "&uuml;"; return;
    case 0xC4: out += "&Auml;"; return;
    case 0xD6: out += "&Ouml;"; return;
    case 0xDC: out += "&Uuml;"; return;
    case 0xDF: out += "&szlig;"; return;
    default: out += "&#" + std::to_string(c) + ";"; return;
    }
}

// Texts a reader of the page would take for more than chat: "Denied, please
// login." anywhere in a poll answer means a lost login, and "Transfer-Encoding:
// chunked" anywhere (in any letter case) makes an answer without length
// information look chunked. A chat line must spell neither, so one character
// of each goes as an entity.
void GuardReaderTexts(std::string& escaped) {
    constexpr std::string_view kDenial = "Denied, please login.";
    for (std::size_t at = escaped.find(kDenial); at != std::string::npos; at = escaped.find(kDenial, at)) {
        escaped.replace(at + 6, 1, "&#44;");
    }
    constexpr std::string_view kChunked = "transfer-encoding: chunked";
    std::string lower = escaped;
    for (char& c : lower) c = AsciiLower(c);
    for (std::size_t at = lower.rfind(kChunked); at != std::string::npos;
         at = at == 0 ? std::string::npos : lower.rfind(kChunked, at - 1)) {
        escaped.replace(at + 17, 1, "&#58;");
    }
}

// Decodes one UTF-8 sequence at Pos; malformed input yields "?" and moves
// on by one byte.
std::uint32_t NextCodePoint(std::string_view s, std::size_t& pos) {
    auto b = static_cast<unsigned char>(s[pos]);
    if (b < 0x80) {
        ++pos;
        return b;
    }
    std::size_t extra = (b & 0xE0) == 0xC0 ? 1 : (b & 0xF0) == 0xE0 ? 2 : (b & 0xF8) == 0xF0 ? 3 : 0;
    if (extra == 0 || pos + extra >= s.size()) {
        ++pos;
        return '?';
    }
    std::uint32_t c = b & (0x3Fu >> extra);
    for (std::size_t i = 1; i <= extra; ++i) {
        auto t = static_cast<unsigned char>(s[pos + i]);
        if ((t & 0xC0) != 0x80) {
            ++pos;
            return '?';
        }
        c = (c << 6) | (t & 0x3Fu);
    }
    pos += extra + 1;
    return c;
}

template <typename NextFn>
std::string EscapeLines(std::string_view text, bool bytesAsEntities, bool hostile, NextFn next) {
    std::string out;
    out.reserve(text.size() + 16);
    std::size_t pos = 0;
    while (pos < text.size()) {
        if (text[pos] == '\r' || text[pos] == '\n') {
            // CR LF, a lone CR and a lone LF are each one line break.
            if (text[pos] == '\r' && pos + 1 < text.size() && text[pos + 1] == '\n') ++pos;
            ++pos;
            out += "<br>";
            continue;
        }
        AppendChatChar(out, next(text, pos), bytesAsEntities, hostile);
    }
    if (!hostile) GuardReaderTexts(out);
    return out;
}

}  // namespace

std::string PercentDecode(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        char c = text[i];
        if (c == '+') {
            out += ' ';
        } else if (c == '%' && i + 2 < text.size() && HexValue(text[i + 1]) >= 0 && HexValue(text[i + 2]) >= 0) {
            out += static_cast<char>(HexValue(text[i + 1]) * 16 + HexValue(text[i + 2]));
            i += 2;
        } else {
            out += c;
        }
    }
    return out;
}

std::string PercentEncode(std::string_view bytes) {
    static const char kHex[] = "0123456789ABCDEF";
    std::string out;
    for (char c : bytes) {
        auto b = static_cast<unsigned char>(c);
        bool plain = (b >= 'a' && b <= 'z') || (b >= 'A' && b <= 'Z') || (b >= '0' && b <= '9') || b == '-' ||
                     b == '_' || b == '.' || b == '~';
        if (plain) {
            out += c;
        } else {
            out += '%';
            out += kHex[b >> 4];
            out += kHex[b & 15];
        }
    }
    return out;
}

FormFields ParseForm(std::string_view form) {
    FormFields fields;
    while (!form.empty()) {
        std::size_t amp = form.find('&');
        std::string_view field = form.substr(0, amp);
        form = amp == std::string_view::npos ? std::string_view() : form.substr(amp + 1);
        if (field.empty()) continue;
        std::size_t eq = field.find('=');
        if (eq == std::string_view::npos) {
            fields.emplace_back(PercentDecode(field), std::string());
        } else {
            fields.emplace_back(PercentDecode(field.substr(0, eq)), PercentDecode(field.substr(eq + 1)));
        }
    }
    return fields;
}

std::optional<std::string> FieldValue(const FormFields& fields, std::string_view key) {
    for (const auto& [k, v] : fields) {
        if (k == key) return v;
    }
    return std::nullopt;
}

std::string EscapeChatText(std::string_view bytes, bool hostile) {
    return EscapeLines(bytes, false, hostile, [](std::string_view s, std::size_t& pos) {
        return static_cast<std::uint32_t>(static_cast<unsigned char>(s[pos++]));
    });
}

std::string EscapeChatTextUtf8(std::string_view utf8, bool hostile) {
    return EscapeLines(utf8, true, hostile, NextCodePoint);
}

std::string HtmlEscape(std::string_view bytes) {
    std::string out;
    for (char c : bytes) {
        switch (c) {
        case '&': out += "&amp;"; break;
        case '<': out += "&lt;"; break;
        case '>': out += "&gt;"; break;
        case '"': out += "&quot;"; break;
        case '\'': out += "&#39;"; break;
        default: out += c; break;
        }
    }
    return out;
}

bool IsValidName(std::string_view name) {
    if (name.empty() || name.size() > 30) return false;
    for (char ch : name) {
        auto c = static_cast<unsigned char>(ch);
        bool ok = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '-' ||
                  c == '_' || c == '.' || (c >= 0xC0 && c != 0xD7 && c != 0xF7);
        if (!ok) return false;
    }
    return true;
}

bool EqualsNoCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (AsciiLower(a[i]) != AsciiLower(b[i])) return false;
    }
    return true;
}

bool StartsWith(std::string_view text, std::string_view prefix) { return text.substr(0, prefix.size()) == prefix; }

std::string_view TrimBlanks(std::string_view text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
    return text;
}

std::optional<long long> ParseInteger(std::string_view text) {
    if (text.empty() || text == "-") return std::nullopt;
    long long value = 0;
    auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size()) return std::nullopt;
    return value;
}

}  // namespace vellora::sim
