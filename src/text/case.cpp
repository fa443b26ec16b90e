#include "text/case.h"

#include <cstdint>

namespace vellora {

wchar_t LowerChar(wchar_t c) {
    auto u = static_cast<std::uint32_t>(c);
    std::uint32_t lower = u;
    if (u < 0x80) {
        if (u >= 'A' && u <= 'Z') lower = u + 32;
    } else if (u >= 0xC0 && u <= 0xDE) {
        if (u != 0xD7) lower = u + 32;  // not the multiplication sign
    } else if (u >= 0x100 && u <= 0x17F) {
        if (u == 0x130) {
            lower = 'i';  // capital I with dot
        } else if (u == 0x178) {
            lower = 0xFF;  // Y with diaeresis
        } else if ((u <= 0x137) || (u >= 0x14A && u <= 0x177)) {
            if (u % 2 == 0) lower = u + 1;  // pairs start on even code points
        } else if ((u >= 0x139 && u <= 0x148) || (u >= 0x179 && u <= 0x17E)) {
            if (u % 2 == 1) lower = u + 1;  // pairs start on odd code points
        }
    } else if (u >= 0x386 && u <= 0x3AB) {
        if (u >= 0x391 && u != 0x3A2) {
            lower = u + 32;
        } else if (u == 0x386) {
            lower = 0x3AC;
        } else if (u >= 0x388 && u <= 0x38A) {
            lower = u + 37;
        } else if (u == 0x38C) {
            lower = 0x3CC;
        } else if (u == 0x38E || u == 0x38F) {
            lower = u + 63;
        }
    } else if (u >= 0x400 && u <= 0x42F) {
        lower = u < 0x410 ? u + 80 : u + 32;
    }
    return static_cast<wchar_t>(lower);
}

std::wstring LowerCase(std::wstring_view text) {
    std::wstring lower(text);
    for (wchar_t& c : lower) c = LowerChar(c);
    return lower;
}

bool EqualsNoCase(std::wstring_view a, std::wstring_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (LowerChar(a[i]) != LowerChar(b[i])) return false;
    }
    return true;
}

}  // namespace vellora
