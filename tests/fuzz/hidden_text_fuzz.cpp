// The hidden-text channel on arbitrary messages, keys and blocks:
// - a rendered message stays inside the rich-text dialect;
// - any block that unscrambles is exactly what scrambling its text gives;
// - a text scrambled with a key comes back with that key, also when it
//   travels as a hidden run inside a line.
#include <string>

#include "fuzz/fuzz_input.h"
#include "support/rtf_check.h"
#include "text/codepage.h"
#include "text/hidden_text.h"
#include "text/rtf_text.h"
#include "text/scrambler.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace vellora;
    using fuzz::Require;
    if (size < 2) return 0;
    const auto mode = static_cast<HiddenMode>(data[0] % 3);
    const std::wstring own = (data[0] & 4) ? L"Supervisor" : L"anna";
    const int salt = data[1];
    // Key and message are split at the first unit 0.
    const std::wstring input = fuzz::Utf16Units(data + 2, size - 2);
    const std::size_t split = input.find(L'\0');
    const std::wstring key = input.substr(0, split == std::wstring::npos ? 0 : split);
    const std::wstring message = split == std::wstring::npos ? input : input.substr(split + 1);

    const std::wstring rendered = RenderHiddenText(EscapeRtf(message), key, mode, own);
    const std::string document =
        std::string(RtfHeader()) + WideToAnsi(RtfParagraph(-1, L"", rendered, false)) + "}";
    Require(test::RtfDialectProblem(document).empty(), "rendered hidden text left the dialect");

    const std::string block(reinterpret_cast<const char*>(data) + 2, size - 2);
    const std::wstring plain = UnscrambleText(block, key, kScrambleFlags);
    if (!plain.empty()) {
        Require(plain.size() == block.size() - 3, "unscrambled text of the wrong length");
        if (static_cast<unsigned char>(block[0]) < 255) {
            Require(ScrambleTextWithSalt(plain, key, kScrambleFlags, static_cast<unsigned char>(block[0])) == block,
                    "a block that unscrambles is not the scrambled text");
        }
    }

    const std::wstring shown = AnsiToWide(WideToAnsi(message));
    const std::string scrambled = ScrambleTextWithSalt(message, key, kScrambleFlags, salt);
    Require(UnscrambleText(scrambled, key, kScrambleFlags) == shown, "scrambled text did not come back");
    if (!shown.empty()) {
        const std::wstring line = L"x: " + NibbleRun(scrambled) + L" end";
        const std::wstring decoded = RenderHiddenText(line, key, HiddenMode::Decode, own);
        Require(decoded == L"x: {\\i " + EscapeRtf(shown) + L"  } end", "hidden run did not decode");
    }
    return 0;
}
