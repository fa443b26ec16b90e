#include "text/case.h"

namespace vellora {

wchar_t LowerChar(wchar_t c) {
    if (c >= L'A' && c <= L'Z') return static_cast<wchar_t>(c + 32);
    // Latin-1 capitals À-Þ, except the multiplication sign.
    if (c >= 0xC0 && c <= 0xDE && c != 0xD7) return static_cast<wchar_t>(c + 32);
    // Latin Extended-A pairs capital/small, with the dotted I and the
    // odd-aligned runs as exceptions.
    if (c >= 0x100 && c <= 0x17F) {
        if (c == 0x130) return L'i';
        if (c == 0x178) return 0xFF;
        bool oddPairs = (c >= 0x139 && c <= 0x148) || (c >= 0x179 && c <= 0x17E);
        if (oddPairs ? (c % 2 == 1) : (c % 2 == 0 && c != 0x138)) return static_cast<wchar_t>(c + 1);
    }
    return c;
}

std::wstring LowerCase(std::wstring_view text) {
    std::wstring out(text);
    for (wchar_t& c : out) c = LowerChar(c);
    return out;
}

bool EqualsNoCase(std::wstring_view a, std::wstring_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (LowerChar(a[i]) != LowerChar(b[i])) return false;
    }
    return true;
}

}  // namespace vellora
