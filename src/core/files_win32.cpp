#include <windows.h>
#include <shlobj.h>

#include <algorithm>

#include "core/files.h"

namespace vellora {

std::string NativePath(const std::wstring& path) {
    int n = WideCharToMultiByte(CP_UTF8, 0, path.data(), static_cast<int>(path.size()), nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<std::size_t>(n > 0 ? n : 0), '\0');
    if (n > 0) WideCharToMultiByte(CP_UTF8, 0, path.data(), static_cast<int>(path.size()), out.data(), n, nullptr, nullptr);
    return out;
}

std::optional<std::string> ReadFileBytes(const std::wstring& path, std::uint64_t limit) {
    HANDLE f = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL,
                           nullptr);
    if (f == INVALID_HANDLE_VALUE) return std::nullopt;
    LARGE_INTEGER size{};
    std::optional<std::string> result;
    if (GetFileSizeEx(f, &size) && static_cast<std::uint64_t>(size.QuadPart) < limit) {
        std::string bytes(static_cast<std::size_t>(size.QuadPart), '\0');
        DWORD got = 0;
        if (bytes.empty() || (ReadFile(f, bytes.data(), static_cast<DWORD>(bytes.size()), &got, nullptr) &&
                              got == bytes.size())) {
            result = std::move(bytes);
        }
    }
    CloseHandle(f);
    return result;
}

bool WriteFileBytes(const std::wstring& path, std::string_view bytes) {
    const std::wstring temp = ReplacementPath(path);
    HANDLE f = CreateFileW(temp.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (f == INVALID_HANDLE_VALUE) return false;
    bool written = true;
    std::size_t done = 0;
    while (written && done < bytes.size()) {
        DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(bytes.size() - done, 1u << 20));
        DWORD put = 0;
        written = WriteFile(f, bytes.data() + done, chunk, &put, nullptr) && put == chunk;
        done += put;
    }
    // On the disk before it takes the old file's place.
    written = written && FlushFileBuffers(f);
    CloseHandle(f);
    if (written && MoveFileExW(temp.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        return true;
    }
    DeleteFileW(temp.c_str());
    return false;
}

bool CreateFolder(const std::wstring& path) { return CreateDirectoryW(path.c_str(), nullptr) != 0; }

bool FolderExists(const std::wstring& path) {
    DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

std::vector<std::wstring> ListFiles(const std::wstring& folder, const std::wstring& pattern) {
    std::vector<std::wstring> names;
    std::wstring search = folder;
    if (!search.empty() && search.back() != L'\\' && search.back() != L'/') search += L'\\';
    search += pattern;
    WIN32_FIND_DATAW found{};
    HANDLE find = FindFirstFileW(search.c_str(), &found);
    if (find == INVALID_HANDLE_VALUE) return names;
    do {
        bool isFile = (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
        if (isFile && MatchesPattern(found.cFileName, pattern)) names.emplace_back(found.cFileName);
    } while (FindNextFileW(find, &found));
    FindClose(find);
    return names;
}

std::wstring SystemAppDataFolder() {
    wchar_t path[MAX_PATH + 1] = {};
    if (FAILED(SHGetFolderPathW(nullptr, CSIDL_APPDATA, nullptr, SHGFP_TYPE_CURRENT, path))) return {};
    return path;
}

std::wstring SystemProgramFolder() {
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        DWORD n = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (n == 0) return {};
        if (n < path.size()) {
            path.resize(n);
            break;
        }
        path.resize(path.size() * 2);
    }
    path.erase(path.find_last_of(L'\\') + 1);
    return path;
}

}  // namespace vellora
