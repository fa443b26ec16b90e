#pragma once
// Turning fuzz input into program text, and failing loudly.

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace vellora::fuzz {

// Two bytes per UTF-16 code unit, low byte first; an odd last byte is dropped.
inline std::wstring Utf16Units(const std::uint8_t* data, std::size_t size) {
    std::wstring text;
    text.reserve(size / 2);
    for (std::size_t i = 0; i + 1 < size; i += 2) {
        text.push_back(static_cast<wchar_t>(data[i] | (data[i + 1] << 8)));
    }
    return text;
}

// One character per byte.
inline std::wstring ByteChars(const std::uint8_t* data, std::size_t size) {
    return std::wstring(data, data + size);
}

// A broken invariant: say which and crash, so libFuzzer keeps the input.
[[noreturn]] inline void Broken(const char* what) {
    std::fprintf(stderr, "invariant broken: %s\n", what);
    std::abort();
}

inline void Require(bool ok, const char* what) {
    if (!ok) Broken(what);
}

}  // namespace vellora::fuzz
