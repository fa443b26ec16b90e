// The system's ANSI code page.
#include <windows.h>

#include <climits>

#include "text/codepage.h"

namespace vellora {

std::string WideToAnsi(std::wstring_view text) {
    if (text.empty() || text.size() > INT_MAX) return {};
    const int units = static_cast<int>(text.size());
    // No best-fit mapping and "?" for what the code page cannot hold. Code
    // pages that take neither (UTF-8 as the system code page) get plain flags.
    DWORD flags = WC_NO_BEST_FIT_CHARS;
    const char* replacement = "?";
    int n = WideCharToMultiByte(CP_ACP, flags, text.data(), units, nullptr, 0, replacement, nullptr);
    if (n <= 0) {
        flags = 0;
        replacement = nullptr;
        n = WideCharToMultiByte(CP_ACP, flags, text.data(), units, nullptr, 0, nullptr, nullptr);
    }
    if (n <= 0) return {};
    std::string bytes(static_cast<std::size_t>(n), '\0');
    n = WideCharToMultiByte(CP_ACP, flags, text.data(), units, bytes.data(), n, replacement, nullptr);
    bytes.resize(n > 0 ? static_cast<std::size_t>(n) : 0);
    return bytes;
}

std::wstring AnsiToWide(std::string_view bytes) {
    if (bytes.empty() || bytes.size() > INT_MAX) return {};
    const int count = static_cast<int>(bytes.size());
    int n = MultiByteToWideChar(CP_ACP, 0, bytes.data(), count, nullptr, 0);
    if (n <= 0) return {};
    std::wstring text(static_cast<std::size_t>(n), L'\0');
    n = MultiByteToWideChar(CP_ACP, 0, bytes.data(), count, text.data(), n);
    text.resize(n > 0 ? static_cast<std::size_t>(n) : 0);
    return text;
}

unsigned AnsiCodePage() { return GetACP(); }

}  // namespace vellora
