#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>

#include "core/files.h"

namespace vellora {
namespace {

// Program text from a native UTF-8 name; malformed bytes are taken one by one
// as Latin-1 so that no name gets lost.
std::wstring WideFromNative(std::string_view bytes) {
    std::wstring out;
    std::size_t i = 0;
    while (i < bytes.size()) {
        unsigned char b = static_cast<unsigned char>(bytes[i]);
        std::size_t extra = b >= 0xF0 && b < 0xF8 ? 3 : b >= 0xE0 ? 2 : b >= 0xC0 ? 1 : 0;
        std::uint32_t c = extra == 3 ? b & 0x07 : extra == 2 ? b & 0x0F : b & 0x1F;
        // Plain ASCII and stray bytes take the !ok path below.
        bool ok = b >= 0xC0 && i + extra < bytes.size();
        for (std::size_t k = 1; ok && k <= extra; ++k) {
            unsigned char cont = static_cast<unsigned char>(bytes[i + k]);
            if ((cont & 0xC0) != 0x80) ok = false;
            c = (c << 6) | (cont & 0x3F);
        }
        if (!ok) {
            out += static_cast<wchar_t>(b);
            ++i;
            continue;
        }
        if (c >= 0x10000) {
            c -= 0x10000;
            out += static_cast<wchar_t>(0xD800 + (c >> 10));
            out += static_cast<wchar_t>(0xDC00 + (c & 0x3FF));
        } else {
            out += static_cast<wchar_t>(c);
        }
        i += extra + 1;
    }
    return out;
}

}  // namespace

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

bool WriteFileBytes(const std::wstring& path, std::string_view bytes) {
    const std::string temp = NativePath(ReplacementPath(path));
    std::FILE* f = std::fopen(temp.c_str(), "wb");
    if (!f) return false;
    bool written = std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
    // On the disk before it takes the old file's place.
    written = std::fflush(f) == 0 && ::fsync(::fileno(f)) == 0 && written;
    written = std::fclose(f) == 0 && written;
    if (written && std::rename(temp.c_str(), NativePath(path).c_str()) == 0) return true;
    std::remove(temp.c_str());
    return false;
}

bool CreateFolder(const std::wstring& path) { return ::mkdir(NativePath(path).c_str(), 0777) == 0; }

bool FolderExists(const std::wstring& path) {
    struct stat info {};
    return ::stat(NativePath(path).c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

std::vector<std::wstring> ListFiles(const std::wstring& folder, const std::wstring& pattern) {
    std::vector<std::wstring> names;
    std::string nativeFolder = NativePath(folder);
    DIR* dir = ::opendir(nativeFolder.empty() ? "." : nativeFolder.c_str());
    if (!dir) return names;
    while (const dirent* entry = ::readdir(dir)) {
        std::wstring name = WideFromNative(entry->d_name);
        if (!MatchesPattern(name, pattern)) continue;
        std::wstring full = folder;
        if (!full.empty() && full.back() != kPathSeparator) full += kPathSeparator;
        if (FolderExists(full + name)) continue;
        names.push_back(std::move(name));
    }
    ::closedir(dir);
    return names;
}

std::wstring SystemAppDataFolder() { return {}; }

std::wstring SystemProgramFolder() {
    char buffer[4096];
    ssize_t n = ::readlink("/proc/self/exe", buffer, sizeof buffer - 1);
    std::string path = n > 0 ? std::string(buffer, static_cast<std::size_t>(n)) : std::string("./");
    path.erase(path.find_last_of('/') + 1);
    return WideFromNative(path);
}

}  // namespace vellora
