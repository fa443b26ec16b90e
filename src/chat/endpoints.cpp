#include "chat/endpoints.h"

#include "core/files.h"

namespace vellora {
namespace {

std::string_view Trim(std::string_view s) {
    auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; };
    while (!s.empty() && blank(s.front())) s.remove_prefix(1);
    while (!s.empty() && blank(s.back())) s.remove_suffix(1);
    return s;
}

std::string Lower(std::string_view s) {
    std::string out(s);
    for (char& c : out) {
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    }
    return out;
}

// Host names go into request headers as they stand, so only the characters
// of a host name (and of an address) are allowed.
bool IsHostName(std::string_view text) {
    if (text.empty() || text.size() > 253) return false;
    for (char c : text) {
        bool ok = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '.' || c == '-';
        if (!ok) return false;
    }
    return true;
}

bool ParsePort(std::string_view text, std::uint16_t& port) {
    if (text.empty() || text.size() > 5) return false;
    unsigned value = 0;
    for (char c : text) {
        if (c < '0' || c > '9') return false;
        value = value * 10 + static_cast<unsigned>(c - '0');
    }
    if (value < 1 || value > 65535) return false;
    port = static_cast<std::uint16_t>(value);
    return true;
}

void ApplyLine(std::string_view line, Endpoints& e) {
    line = Trim(line);
    if (line.empty() || line.front() == ';' || line.front() == '#') return;
    std::size_t eq = line.find('=');
    if (eq == std::string_view::npos) return;
    std::string key = Lower(Trim(line.substr(0, eq)));
    std::string_view value = Trim(line.substr(eq + 1));
    if (key == "clubaddress" || key == "chataddress") {
        if (IsDottedIPv4(value)) (key == "clubaddress" ? e.ClubAddress : e.ChatAddress) = std::string(value);
    } else if (key == "clubhost" || key == "mediahost" || key == "chathost") {
        if (!IsHostName(value)) return;
        std::string& host = key == "clubhost" ? e.ClubHost : (key == "mediahost" ? e.MediaHost : e.ChatHost);
        host = std::string(value);
    } else if (key == "port") {
        ParsePort(value, e.Port);
    }
}

}  // namespace

bool IsDottedIPv4(std::string_view text) {
    int parts = 0;
    std::size_t start = 0;
    for (;;) {
        std::size_t dot = text.find('.', start);
        std::string_view part = text.substr(start, dot == std::string_view::npos ? std::string_view::npos : dot - start);
        // No leading zeros: inet_addr would read such a part as octal.
        if (part.empty() || part.size() > 3 || (part.size() > 1 && part[0] == '0')) return false;
        unsigned value = 0;
        for (char c : part) {
            if (c < '0' || c > '9') return false;
            value = value * 10 + static_cast<unsigned>(c - '0');
        }
        if (value > 255) return false;
        ++parts;
        if (dot == std::string_view::npos) break;
        start = dot + 1;
    }
    return parts == 4;
}

Endpoints ParseEndpoints(std::string_view text, Endpoints base) {
    // Tolerate a UTF-8 byte-order mark written by an editor.
    if (text.substr(0, 3) == "\xEF\xBB\xBF") text.remove_prefix(3);
    std::size_t start = 0;
    while (start <= text.size()) {
        std::size_t end = text.find('\n', start);
        ApplyLine(text.substr(start, end == std::string_view::npos ? std::string_view::npos : end - start), base);
        if (end == std::string_view::npos) break;
        start = end + 1;
    }
    return base;
}

Endpoints LoadEndpoints(const std::wstring& path) {
    // An endpoints file is a handful of lines; anything large is not one.
    auto bytes = ReadFileBytes(path, 64 * 1024);
    return bytes ? ParseEndpoints(*bytes) : Endpoints{};
}

}  // namespace vellora
