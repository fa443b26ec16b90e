#include "text/scrambler.h"

#include <random>
#include <utility>

#include "text/codepage.h"
#include "text/codings.h"
#include "text/case.h"

namespace vellora {
namespace {

struct FlagValues {
    std::int64_t a, b, c;
    bool salted;
};

FlagValues SplitFlags(int flags) {
    int f = flags & 127;
    return {(f >> 4) & 3, (f >> 2) & 3, f & 3, (f & 64) != 0};
}

std::int64_t Mod256(std::int64_t x) { return ((x % 256) + 256) % 256; }

// The check value weighs the byte at position i by 256^(i mod 3) modulo
// 65536: positions with i mod 3 = 2 do not count.
std::uint32_t AddToCheck(std::uint32_t check, std::size_t i, unsigned byte) {
    static constexpr std::uint32_t kWeight[3] = {1, 256, 0};
    return (check + byte * kWeight[i % 3]) % 65536;
}

std::function<int()>& SaltSource() {
    static std::function<int()> source;
    return source;
}

std::function<void()>& YieldHook() {
    static std::function<void()> hook;
    return hook;
}

int RandomSalt() {
    static std::minstd_rand generator{std::random_device{}()};
    return static_cast<int>(std::uniform_int_distribution<int>(0, 254)(generator));
}

}  // namespace

std::string FitKey(std::wstring_view key, std::size_t length) {
    const std::string codes = WideToAnsi(key);
    if (length == 0) return {};
    std::string fitted(length, '\0');
    if (codes.empty()) return fitted;
    if (codes.size() <= length) {
        for (std::size_t i = 0; i < length; ++i) fitted[i] = codes[i % codes.size()];
    } else {
        for (std::size_t j = 0; j < codes.size(); ++j) {
            auto sum = static_cast<unsigned char>(fitted[j % length]) + static_cast<unsigned char>(codes[j]);
            fitted[j % length] = static_cast<char>(sum % 256);
        }
    }
    return fitted;
}

std::string ExpandKey(std::wstring_view key, std::size_t length) {
    std::string expanded = FitKey(key.empty() ? std::wstring_view(L"?") : key, length);
    for (std::size_t i = 1; i <= length; ++i) {
        unsigned sum = (1u << (i % 8)) + static_cast<unsigned char>(expanded[i - 1]);
        expanded[i - 1] = static_cast<char>(sum % 256);
    }
    return expanded;
}

std::string ScrambleText(std::wstring_view text, std::wstring_view key, int flags) {
    const auto& source = SaltSource();
    return ScrambleTextWithSalt(text, key, flags, source ? source() : RandomSalt());
}

std::string ScrambleTextWithSalt(std::wstring_view text, std::wstring_view key, int flags, int salt) {
    const FlagValues f = SplitFlags(flags);
    const std::string plain = WideToAnsi(text);
    const std::size_t n = plain.size();
    const std::int64_t s = f.salted ? ((salt % 255) + 255) % 255 : 0;
    std::string k = ExpandKey(key, n);
    k.push_back(static_cast<char>(s));

    std::string block;
    block.reserve(n + 3);
    block.push_back(static_cast<char>(s));
    std::uint32_t check = 0;
    const auto& yield = YieldHook();
    for (std::size_t i = 1; i <= n; ++i) {
        const unsigned c = static_cast<unsigned char>(plain[i - 1]);
        check = AddToCheck(check, i, c);
        const auto m = static_cast<std::int64_t>((n + 63) % ((s % 16) + i + 2));
        const auto q = static_cast<std::int64_t>((4 * i) % 7);
        const std::int64_t keyByte = static_cast<unsigned char>(k[i % (n + 1)]);
        const std::int64_t e = Mod256(m - f.a * f.a + 16 * q - 7 * f.b - f.c + s + c + keyByte + 257);
        block.push_back(static_cast<char>(e));
        if (i % 1024 == 0 && yield) yield();
    }
    block.push_back(static_cast<char>(check / 256));
    block.push_back(static_cast<char>(check % 256));
    return block;
}

std::wstring UnscrambleText(std::string_view block, std::wstring_view key, int flags) {
    const std::size_t length = block.size();
    if (length <= 3) return {};
    const FlagValues f = SplitFlags(flags);
    auto byteAt = [&](std::size_t i) { return static_cast<std::int64_t>(static_cast<unsigned char>(block[i])); };
    const std::int64_t s = byteAt(0);
    const std::int64_t expected = byteAt(length - 2) * 256 + byteAt(length - 1);
    const std::size_t n = length - 3;
    std::string k = ExpandKey(key, n);
    k.push_back(static_cast<char>(s));

    std::string plain(n, '\0');
    std::uint32_t check = 0;
    for (std::size_t i = 1; i <= n; ++i) {
        const auto m = static_cast<std::int64_t>((length + 60) % ((s % 16) + i + 2));
        const auto q = static_cast<std::int64_t>((4 * i) % 7);
        const std::int64_t keyByte = static_cast<unsigned char>(k[i % (length - 2)]);
        const std::int64_t d = Mod256(8192 - 16 * q - keyByte - m + byteAt(i) - s);
        const auto c = static_cast<unsigned>(Mod256(7 * f.b + f.a * f.a + f.c + d + 255));
        plain[i - 1] = static_cast<char>(c);
        check = AddToCheck(check, i, c);
    }
    if (check != expected) return {};
    return AnsiToWide(plain);
}

void SetScrambleSaltSource(std::function<int()> source) { SaltSource() = std::move(source); }

void SetScrambleYieldHook(std::function<void()> hook) { YieldHook() = std::move(hook); }

std::wstring EncodeSavedPassword(std::wstring_view password, std::wstring_view accountName) {
    return HexEncode(ScrambleText(password, LowerCase(accountName), kScrambleFlags));
}

std::wstring DecodeSavedPassword(std::wstring_view stored, std::wstring_view accountName) {
    return UnscrambleText(HexDecode(stored), LowerCase(accountName), kScrambleFlags);
}

}  // namespace vellora
