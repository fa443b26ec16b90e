#include <gtest/gtest.h>

#include <string>

#include "text/case.h"
#include "text/codepage.h"
#include "windows_1252.h"

namespace vellora {
namespace {

using CodePageTest = test::Windows1252Test;

TEST_F(CodePageTest, EveryByteComesBackUnchanged) {
    std::string bytes(256, '\0');
    for (int b = 0; b < 256; ++b) bytes[static_cast<std::size_t>(b)] = static_cast<char>(b);
    const std::wstring text = AnsiToWide(bytes);
    ASSERT_EQ(text.size(), 256u);
    EXPECT_EQ(WideToAnsi(text), bytes);
    for (int b = 0; b < 256; ++b) {
        auto byte = static_cast<unsigned char>(b);
        EXPECT_EQ(AnsiByteOf(AnsiCharOf(byte)), byte) << b;
    }
    EXPECT_EQ(WideToAnsi(L""), "");
    EXPECT_EQ(AnsiToWide(""), L"");
}

TEST_F(CodePageTest, HighBytesAreTheCodePagesCharacters) {
    EXPECT_EQ(AnsiToWide("\x80\x96\x97\x9F"), L"\u20AC\u2013\u2014\u0178");
    EXPECT_EQ(AnsiToWide("\xE4\xF6\xFC\xDF"), L"\u00E4\u00F6\u00FC\u00DF");
    // The unassigned positions stand for the control characters of the same value.
    EXPECT_EQ(AnsiToWide("\x81\x8D\x8F\x90\x9D"), L"\u0081\u008D\u008F\u0090\u009D");
    EXPECT_EQ(WideToAnsi(L"\u0081\u009D"), "\x81\x9D");
}

TEST_F(CodePageTest, CharactersWithoutAByteBecomeQuestionMarks) {
    // Other C1 controls, a heart, a letter with only a look-alike, a surrogate pair.
    EXPECT_EQ(WideToAnsi(L"\u0096\u0080"), "??");
    EXPECT_EQ(WideToAnsi(L"a\u2665b"), "a?b");
    EXPECT_EQ(WideToAnsi(L"\u0100\u0131"), "??");
    EXPECT_EQ(AnsiByteOf(L'\u2665'), '?');
    // Escaping happens before the conversion: a full-width "\" or "{" must
    // not come out as the real one.
    EXPECT_EQ(WideToAnsi(L"\uFF3C\uFF5B\uFF5D\u2216"), "????");
}

TEST(LowerCase, FoldsTheLettersOfNamesInUse) {
    EXPECT_EQ(LowerCase(L"ANNA-Maria_99"), L"anna-maria_99");
    EXPECT_EQ(LowerCase(L"\u00C4NNE \u00D6\u00DC\u00D7\u00DF"), L"\u00E4nne \u00F6\u00FC\u00D7\u00DF");
    EXPECT_EQ(LowerCase(L"\u0178\u0130\u0141\u0160\u017D"), L"\u00FFi\u0142\u0161\u017E");
    EXPECT_EQ(LowerCase(L"\u0391\u03A9\u0386\u0416\u0401"), L"\u03B1\u03C9\u03AC\u0436\u0451");
    EXPECT_EQ(LowerCase(L"\u00E4\u0142\u03C9"), L"\u00E4\u0142\u03C9");
}

}  // namespace
}  // namespace vellora
