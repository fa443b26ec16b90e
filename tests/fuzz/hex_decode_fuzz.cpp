// HexDecode on arbitrary text: it decodes exactly the texts of even length
// made of hex digits, and HexEncode gives them back in upper case.
#include "fuzz/fuzz_input.h"
#include "text/codings.h"

namespace {

bool IsHexDigit(wchar_t c) {
    return (c >= L'0' && c <= L'9') || (c >= L'A' && c <= L'F') || (c >= L'a' && c <= L'f');
}

std::wstring AsciiUpper(std::wstring text) {
    for (wchar_t& c : text) {
        if (c >= L'a' && c <= L'z') c = static_cast<wchar_t>(c - 32);
    }
    return text;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace vellora;
    using fuzz::Require;
    // Most inputs as one character per byte, so digits are frequent; inputs
    // that start with 0xFF as UTF-16 units.
    const std::wstring text =
        size > 0 && data[0] == 0xFF ? fuzz::Utf16Units(data + 1, size - 1) : fuzz::ByteChars(data, size);
    bool valid = text.size() % 2 == 0;
    for (wchar_t c : text) valid = valid && IsHexDigit(c);

    const std::string bytes = HexDecode(text);
    if (valid) {
        Require(bytes.size() * 2 == text.size(), "hex text decoded to the wrong length");
        Require(HexEncode(bytes) == AsciiUpper(text), "hex text did not come back");
    } else {
        Require(bytes.empty(), "invalid hex text decoded");
    }
    return 0;
}
