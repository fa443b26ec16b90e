#include <gtest/gtest.h>

#include <string>

#include "text/un_html.h"
#include "windows_1252.h"

namespace vellora {
namespace {

using UnHtmlTest = test::Windows1252Test;

TEST_F(UnHtmlTest, NamedReferencesDecodeOnceAndUnknownNamesStayAsWritten) {
    EXPECT_EQ(UnHtml(L"&lt;b&gt;"), L"<b>");
    EXPECT_EQ(UnHtml(L"&quot;hi&quot; &amp; bye"), L"\"hi\" & bye");
    EXPECT_EQ(UnHtml(L"&Auml;&auml;&szlig;"), L"\u00C4\u00E4\u00DF");
    EXPECT_EQ(UnHtml(L"&frasl;&carr;&hearts;&euro;&diams;"), L"/\u21B5\u2665\u20AC\u2666");
    // The old names of three characters.
    EXPECT_EQ(UnHtml(L"&brkbar;&die;&hibar;"), L"\u00A6\u00A8\u00AF");
    EXPECT_EQ(UnHtml(L"&brvbar;&uml;&macr;"), L"\u00A6\u00A8\u00AF");
    EXPECT_EQ(UnHtml(L"a&nbsp;b&shy;c"), L"a&nbsp;b&shy;c");
    // Names the chat's pages never use are not known.
    EXPECT_EQ(UnHtml(L"&crarr;&AMP;&Amp;&;&Auml&OElig;&scaron;&Yuml;&circ;&tilde;"),
              L"&crarr;&AMP;&Amp;&;&Auml&OElig;&scaron;&Yuml;&circ;&tilde;");
    EXPECT_EQ(UnHtml(L"&Agrave;&agrave;&sigmaf;"), L"\u00C0\u00E0\u03C2");
    // Decoded text is not decoded again.
    EXPECT_EQ(UnHtml(L"&amp;lt;"), L"&lt;");
    EXPECT_EQ(UnHtml(L"&amp;#65;"), L"&#65;");
}

TEST_F(UnHtmlTest, LineBreaksOnlyInTheirLowerCaseForm) {
    EXPECT_EQ(UnHtml(L"a<br>b<br><br>"), L"a\r\nb\r\n\r\n");
    EXPECT_EQ(UnHtml(L"a<BR>b<br/>c<br />d<Br>"), L"a<BR>b<br/>c<br />d<Br>");
}

TEST_F(UnHtmlTest, NumericReferencesInTheirPlainFormOnly) {
    EXPECT_EQ(UnHtml(L"&#65;&#233;&#9829;"), L"A\u00E9\u2665");
    EXPECT_EQ(UnHtml(L"&#9;|&#09;"), L"\t|\t");
    EXPECT_EQ(UnHtml(L"&#065;&#0065;&#+65;&# 65;&#65 ;&#6 5;&#;&#-65;"),
              L"&#065;&#0065;&#+65;&# 65;&#65 ;&#6 5;&#;&#-65;");
    // "0" and one digit is accepted, but below 32 only TAB decodes.
    EXPECT_EQ(UnHtml(L"&#0;&#00;&#10;&#13;&#31;&#08;"), L"&#0;&#00;&#10;&#13;&#31;&#08;");
    EXPECT_EQ(UnHtml(L"&#32;&#65535;"), L" \uFFFF");
    // Hexadecimal in upper case without leading zeros.
    EXPECT_EQ(UnHtml(L"&#x41;&#x4A;&#xE9;&#x2665;"), L"AJ\u00E9\u2665");
    EXPECT_EQ(UnHtml(L"&#x4a;&#xe9;&#x00E9;&#X41;&#x;&#x 41;&#x41 ;"),
              L"&#x4a;&#xe9;&#x00E9;&#X41;&#x;&#x 41;&#x41 ;");
    EXPECT_EQ(UnHtml(L"&#x9;&#xA;"), L"\t&#xA;");
    // Values that would wrap to a TAB or a letter in 16 or 32 bits stay text.
    EXPECT_EQ(UnHtml(L"&#65536;&#65545;&#65601;"), L"&#65536;&#65545;&#65601;");
    EXPECT_EQ(UnHtml(L"&#4294967305;&#4294967361;"), L"&#4294967305;&#4294967361;");
    EXPECT_EQ(UnHtml(L"&#99999999999999999999999999;x"), L"&#99999999999999999999999999;x");
    EXPECT_EQ(UnHtml(L"&#x10000;&#x100000041;&#xFFFFFFFFFFFFFFFFFF;"), L"&#x10000;&#x100000041;&#xFFFFFFFFFFFFFFFFFF;");
}

TEST_F(UnHtmlTest, TheCodePagesHighRowAndDecodingWithoutUnicode) {
    // "&ndash;" is 150: the en dash at its Windows-1252 position.
    EXPECT_EQ(UnHtml(L"&ndash;&mdash;&#150;&#151;&#128;&#153;"), L"\u2013\u2014\u2013\u2014\u20AC\u2122");
    EXPECT_EQ(UnHtml(L"&#129;&#157;"), L"\u0081\u009D");
    EXPECT_EQ(UnHtml(L"&ndash;&#128;", false), L"\u2013\u20AC");
    // Without Unicode only the code page's characters decode.
    EXPECT_EQ(UnHtml(L"&#9829;&hearts;&#x2665;", false), L"&#9829;&hearts;&#x2665;");
    EXPECT_EQ(UnHtml(L"&#233;&auml;&#9;&lt;", false), L"\u00E9\u00E4\t<");
    // The euro sign is byte 128, not 8364: the reference stays as written.
    EXPECT_EQ(UnHtml(L"&euro;", false), L"&euro;");
}

TEST_F(UnHtmlTest, TheBodyRunsToTheFirstSemicolonAndPlainTextIsCopied) {
    EXPECT_EQ(UnHtml(L"fish & chips; &amp;"), L"fish & chips; &");
    EXPECT_EQ(UnHtml(L"Tom & Jerry &amp; Co"), L"Tom & Jerry &amp; Co");
    EXPECT_EQ(UnHtml(L"&amp;R&D &lt"), L"&R&D &lt");
    EXPECT_EQ(UnHtml(L"&&amp;"), L"&&amp;");
    EXPECT_EQ(UnHtml(L";&;;&amp;;"), L";&;;&;");
    EXPECT_EQ(UnHtml(L""), L"");
    EXPECT_EQ(UnHtml(L"\u2665 \x01\x02 \u00E4; none"), L"\u2665 \x01\x02 \u00E4; none");
}

TEST_F(UnHtmlTest, FieldsTurnSoftHyphenAndNonBreakingSpaceIntoBlanks) {
    EXPECT_EQ(UnHtmlField(L"23&nbsp;&nbsp;Jahre"), L"23  Jahre");
    EXPECT_EQ(UnHtmlField(L"K&ouml;ln&shy;Ehrenfeld"), L"K\u00F6ln Ehrenfeld");
    EXPECT_EQ(UnHtmlField(L"&NBSP;&amp;nbsp;"), L"&NBSP;&nbsp;");
}

}  // namespace
}  // namespace vellora
