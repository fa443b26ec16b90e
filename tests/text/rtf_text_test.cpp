#include <gtest/gtest.h>

#include <string>

#include "text/rtf_text.h"

namespace vellora {
namespace {

TEST(RtfText, EscapesBackslashAndBracesOnly) {
    EXPECT_EQ(EscapeRtf(L"a\\{b}"), L"a\\\\\\{b\\}");
    EXPECT_EQ(EscapeRtf(L"plain \u2665 [x] <y> \"z\""), L"plain \u2665 [x] <y> \"z\"");
    EXPECT_EQ(EscapeRtf(L""), L"");
}

TEST(RtfText, UnderlinesEveryOccurrenceOfTheOwnNameInItsOwnCase) {
    EXPECT_EQ(UnderlineOwnName(L"hi ANNA and anna", L"Anna"), L"hi {\\ul ANNA} and {\\ul anna}");
    EXPECT_EQ(UnderlineOwnName(L"annanna", L"anna"), L"{\\ul anna}nna");
    EXPECT_EQ(UnderlineOwnName(L"aaaaa", L"aa"), L"{\\ul aa}{\\ul aa}a");
    EXPECT_EQ(UnderlineOwnName(L"\u00C4NNE and \u00E4nne", L"\u00E4nNe"), L"{\\ul \u00C4NNE} and {\\ul \u00E4nne}");
    EXPECT_EQ(UnderlineOwnName(L"nobody here", L"anna"), L"nobody here");
    EXPECT_EQ(UnderlineOwnName(L"hi anna", L""), L"hi anna");
}

TEST(RtfText, TheOwnNameIsNeverFoundInsideMarkupButInItsEscapedForm) {
    // Names that are parts of the dialect's own control words.
    EXPECT_EQ(UnderlineOwnName(L"{\\i\\strike Rik and ike  }", L"ike"), L"{\\i\\strike Rik and {\\ul ike}  }");
    EXPECT_EQ(UnderlineOwnName(L"{\\i " L"\x01" L"  } i", L"i"), L"{\\i \x01  } {\\ul i}");
    EXPECT_EQ(UnderlineOwnName(L"{\\ul x} ul", L"ul"), L"{\\ul x} {\\ul ul}");
    // A blank that ends a control word belongs to it.
    EXPECT_EQ(UnderlineOwnName(L"{\\i  x  }", L" x"), L"{\\i {\\ul  x}  }");
    EXPECT_EQ(UnderlineOwnName(EscapeRtf(L"hi {x}!"), L"{x}"), L"hi {\\ul \\{x\\}}!");
    EXPECT_EQ(UnderlineOwnName(EscapeRtf(L"a\\b c"), L"\\b"), L"a{\\ul \\\\b} c");
    // A doubled backslash before the name stays outside the group.
    EXPECT_EQ(UnderlineOwnName(EscapeRtf(L"x\\\\b"), L"\\b"), L"x\\\\{\\ul \\\\b}");
}

TEST(RtfText, NamesInBoldAreEscaped) {
    EXPECT_EQ(BoldNamePrefix(L"bob"), L"{\\b bob:} ");
    EXPECT_EQ(BoldNamePrefix(L""), L"{\\b :} ");
    EXPECT_EQ(BoldNamePrefix(L"x}{\\par evil"), L"{\\b x\\}\\{\\\\par evil:} ");
    // Toaster event lines show the name in bold where it first stands.
    EXPECT_EQ(BoldNameInText(L"Anna is in the chat", L"Anna"), L"{\\b Anna} is in the chat");
    EXPECT_EQ(BoldNameInText(L"*** Anna betritt den Raum. anna", L"Anna"), L"*** {\\b Anna} betritt den Raum. anna");
    EXPECT_EQ(BoldNameInText(L"*** Error", L""), L"*** Error");
    EXPECT_EQ(BoldNameInText(EscapeRtf(L"{x} is in the chat"), L"{x}"), L"{\\b \\{x\\}} is in the chat");
}

TEST(RtfText, ParagraphsOfOneLineWithElevenOrEightCharactersOfTime) {
    EXPECT_EQ(TimeStampPrefix(0, true), L"[00:00:00] ");
    EXPECT_EQ(TimeStampPrefix(86399, true), L"[23:59:59] ");
    EXPECT_EQ(TimeStampPrefix(3725, false), L"");
    EXPECT_EQ(RtfParagraph(50709, BoldNamePrefix(L"bob"), EscapeRtf(L"a {b}"), true),
              L"{\\pard [14:05:09] {\\b bob:} a \\{b\\}\\par}");
    EXPECT_EQ(RtfParagraph(50709, BoldNamePrefix(L"bob"), L"x", false), L"{\\pard {\\b bob:} x\\par}");
    EXPECT_EQ(RtfParagraph(-1, L"", L"*** hi", true), L"{\\pard         *** hi\\par}");
    EXPECT_EQ(RtfParagraph(-1, L"", L"*** hi", false), L"{\\pard *** hi\\par}");
}

}  // namespace
}  // namespace vellora
