#include <gtest/gtest.h>

#include <set>
#include <string>
#include <utility>
#include <vector>

#include "text/codepage.h"
#include "text/codings.h"
#include "text/scrambler.h"
#include "windows_1252.h"

namespace vellora {
namespace {

using ScramblerTest = test::Windows1252Test;

// Sets the salt source for one test and puts the random one back.
struct FixedSalt {
    explicit FixedSalt(int salt) {
        SetScrambleSaltSource([salt] { return salt; });
    }
    ~FixedSalt() { SetScrambleSaltSource(nullptr); }
};

// The exact blocks below pin the usual keys; these are the edges.
TEST(ScrambleKey, LongKeysFoldWithoutOverflowAndEmptyOnesNeverFail) {
    EXPECT_EQ(FitKey(L"abcdef", 4), "\xC6\xC8" "cd");  // a+e, b+f
    EXPECT_EQ(FitKey(std::wstring(600, L'\xFF'), 1), std::string(1, static_cast<char>(600 * 255 % 256)));
    EXPECT_EQ(ExpandKey(L"ab", 5), "\x63\x66\x69\x72\x81");  // + 2, 4, 8, 16, 32
    EXPECT_EQ(ExpandKey(L"abcdefgh", 8).back(), 'h' + 1);   // 2^(8 mod 8)
    EXPECT_EQ(FitKey(L"a much longer key", 0), "");
    EXPECT_EQ(FitKey(L"", 0), "");
    EXPECT_EQ(FitKey(L"", 3), std::string(3, '\0'));
    EXPECT_EQ(ExpandKey(L"", 0), "");
    EXPECT_EQ(ExpandKey(L"", 6), ExpandKey(L"?", 6));
}

// Blocks worked out by hand from the scrambling rule; other clients and
// stored passwords depend on exactly these bytes.
TEST_F(ScramblerTest, ProducesTheBlocksOtherClientsRead) {
    EXPECT_EQ(HexEncode(ScrambleTextWithSalt(L"Hallo", L"anna", 127, 0)), L"00DCC710EFB4B46C");
    EXPECT_EQ(HexEncode(ScrambleTextWithSalt(L"Hallo", L"anna", 127, 77)), L"4D2B14684551B46C");
    EXPECT_EQ(HexEncode(ScrambleTextWithSalt(L"geheim!", L"bob", 127, 254)), L"FEFACD15FC5061FEEDD5");
    EXPECT_EQ(HexEncode(ScrambleTextWithSalt(L"x", L"averyveryverylongkey", 127, 13)), L"0DB27800");
    EXPECT_EQ(HexEncode(ScrambleTextWithSalt(L"Gr\u00FC\u00DFe", L"\u00C4nne", 127, 200)), L"C8A3A86C973D26FC");
}

TEST_F(ScramblerTest, EverySaltKeyLengthAndFlagRoundTripsAndOnlyWithItsKey) {
    std::wstring allBytes = AnsiToWide(std::string(1, '\0'));
    for (int b = 1; b < 256; ++b) allBytes += AnsiCharOf(static_cast<unsigned char>(b));
    const std::vector<std::wstring> keys = {L"",  L"a", L"anna", L"Club-Team: Anna", L"\u00C4nne \u2665",
                                            std::wstring(300, L'k')};
    const std::vector<std::wstring> texts = {L"",         L"x",        L"hi",       L"geheim",
                                             L"{\\b no}", L"\u00E4\u00F6\u00FC \u20AC", allBytes};
    for (int salt = 0; salt < 255; ++salt) {
        for (const auto& key : keys) {
            for (const auto& text : texts) {
                std::string block = ScrambleTextWithSalt(text, key, kScrambleFlags, salt);
                ASSERT_EQ(block.size(), text.size() + 3);
                ASSERT_EQ(static_cast<unsigned char>(block[0]), salt);
                ASSERT_EQ(UnscrambleText(block, key, kScrambleFlags), text) << "salt " << salt;
            }
        }
        // Another key fails the check.
        std::string block = ScrambleTextWithSalt(L"meet me at nine", L"anna", kScrambleFlags, salt);
        for (const wchar_t* other : {L"Anna", L"anna ", L"ann", L"bob", L"", L"?", L"annb"}) {
            EXPECT_EQ(UnscrambleText(block, other, kScrambleFlags), L"") << other << " salt " << salt;
        }
    }
    std::wstring longText;
    for (int i = 0; i < 5000; ++i) longText += static_cast<wchar_t>(L' ' + (i * 7) % 95);
    for (int salt : {0, 15, 31, 254}) {
        EXPECT_EQ(UnscrambleText(ScrambleTextWithSalt(longText, L"bob", kScrambleFlags, salt), L"bob", kScrambleFlags),
                  longText);
    }
    // Without the salt bit of the flags the salt is zero.
    for (int flags : {0, 1, 5, 63, 64, 100, 127, 255}) {
        std::string block = ScrambleTextWithSalt(L"flagged text", L"key", flags, 99);
        EXPECT_EQ(static_cast<unsigned char>(block[0]), (flags & 64) ? 99 : 0) << flags;
        EXPECT_EQ(UnscrambleText(block, L"key", flags), L"flagged text") << flags;
    }
}

TEST_F(ScramblerTest, ShortOrDamagedBlocksGiveNothing) {
    EXPECT_EQ(UnscrambleText("", L"k", kScrambleFlags), L"");
    EXPECT_EQ(UnscrambleText("abc", L"k", kScrambleFlags), L"");
    EXPECT_EQ(UnscrambleText(ScrambleTextWithSalt(L"", L"k", kScrambleFlags, 5), L"k", kScrambleFlags), L"");
    std::string block = ScrambleTextWithSalt(L"abcdef", L"k", kScrambleFlags, 5);
    // The check value covers the bytes at positions 1, 3, 4 and 6, and itself.
    for (std::size_t pos : {1u, 3u, 4u, 6u, 7u, 8u}) {
        std::string damaged = block;
        damaged[pos] = static_cast<char>(damaged[pos] ^ 0x10);
        EXPECT_EQ(UnscrambleText(damaged, L"k", kScrambleFlags), L"") << pos;
    }
}

TEST_F(ScramblerTest, SaltsComeFromTheSaltSource) {
    {
        FixedSalt fixed(42);
        EXPECT_EQ(static_cast<unsigned char>(ScrambleText(L"x", L"k", kScrambleFlags)[0]), 42);
    }
    std::set<int> seen;
    for (int i = 0; i < 200; ++i) {
        int salt = static_cast<unsigned char>(ScrambleText(L"x", L"k", kScrambleFlags)[0]);
        EXPECT_LT(salt, 255);
        seen.insert(salt);
    }
    EXPECT_GT(seen.size(), 50u);
}

TEST_F(ScramblerTest, LongTextsGiveTheWindowATurnEvery1024Characters) {
    int turns = 0;
    SetScrambleYieldHook([&turns] { ++turns; });
    for (auto [length, total] : {std::pair{1023, 0}, {1024, 1}, {3000, 3}}) {
        ScrambleText(std::wstring(static_cast<std::size_t>(length), L'a'), L"k", kScrambleFlags);
        EXPECT_EQ(turns, total) << length;
    }
    SetScrambleYieldHook(nullptr);
    ScrambleText(std::wstring(3000, L'a'), L"k", kScrambleFlags);
    EXPECT_EQ(turns, 3);
}

TEST_F(ScramblerTest, SavedPasswordsUseTheLowerCaseAccountName) {
    FixedSalt fixed(42);
    const std::wstring stored = EncodeSavedPassword(L"Secret1", L"Alice");
    EXPECT_EQ(stored, L"2A12F03A2772AA72F6D7");
    EXPECT_EQ(DecodeSavedPassword(stored, L"ALICE"), L"Secret1");
    EXPECT_EQ(DecodeSavedPassword(L"2a12f03a2772aa72f6d7", L"alice"), L"Secret1");
    EXPECT_EQ(DecodeSavedPassword(stored, L"bob"), L"");
    EXPECT_EQ(DecodeSavedPassword(stored.substr(1), L"alice"), L"");
    EXPECT_EQ(DecodeSavedPassword(L"2A12F03A2772AA72F6DZ", L"alice"), L"");
    EXPECT_EQ(DecodeSavedPassword(L"", L"alice"), L"");
    EXPECT_EQ(DecodeSavedPassword(EncodeSavedPassword(L"p\u00E4ss w=rd&", L"\u00C4NNE"), L"\u00E4nne"),
              L"p\u00E4ss w=rd&");
}

}  // namespace
}  // namespace vellora
