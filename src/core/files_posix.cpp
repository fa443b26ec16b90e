#include <cstdio>

#include "core/files.h"

namespace vellora {

std::string NativePath(const std::wstring& path) {
    std::string out;
    for (std::size_t i = 0; i < path.size(); ++i) {
        std::uint32_t c = static_cast<std::uint32_t>(path[i]) & 0xFFFF;
        // Rejoin surrogate pairs: the program's text is UTF-16.
        if (c >= 0xD800 && c < 0xDC00 && i + 1 < path.size()) {
            std::uint32_t low = static_cast<std::uint32_t>(path[i + 1]) & 0xFFFF;
            if (low >= 0xDC00 && low < 0xE000) {
                c = 0x10000 + ((c - 0xD800) << 10) + (low - 0xDC00);
                ++i;
            }
        }
        if (c < 0x80) {
            out += static_cast<char>(c);
        } else if (c < 0x800) {
            out += static_cast<char>(0xC0 | (c >> 6));
            out += static_cast<char>(0x80 | (c & 0x3F));
        } else if (c < 0x10000) {
            out += static_cast<char>(0xE0 | (c >> 12));
            out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (c & 0x3F));
        } else {
            out += static_cast<char>(0xF0 | (c >> 18));
            out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
            out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (c & 0x3F));
        }
    }
    return out;
}

std::optional<std::string> ReadFileBytes(const std::wstring& path, std::uint64_t limit) {
    std::FILE* f = std::fopen(NativePath(path).c_str(), "rb");
    if (!f) return std::nullopt;
    std::string bytes;
    char buffer[65536];
    std::size_t n;
    bool tooLarge = false;
    while ((n = std::fread(buffer, 1, sizeof buffer, f)) > 0) {
        if (bytes.size() + n >= limit) {
            tooLarge = true;
            break;
        }
        bytes.append(buffer, n);
    }
    bool failed = std::ferror(f) != 0;
    std::fclose(f);
    if (tooLarge || failed) return std::nullopt;
    return bytes;
}

}  // namespace vellora
