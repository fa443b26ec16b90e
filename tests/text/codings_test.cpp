#include <gtest/gtest.h>

#include <string>

#include "text/codings.h"
#include "windows_1252.h"

namespace vellora {
namespace {

using CodingsTest = test::Windows1252Test;

TEST_F(CodingsTest, PercentEncodesEveryCharacterByItsCodePageByte) {
    EXPECT_EQ(PercentEncodeAll(L"ab c"), L"%61%62%20%63");
    EXPECT_EQ(PercentEncodeAll(L"A\u00E4\u20AC%+&="), L"%41%E4%80%25%2B%26%3D");
    EXPECT_EQ(PercentEncodeAll(L"\u00FF\x7F"), L"%FF%7F");
    EXPECT_EQ(PercentEncodeAll(L"I \u2665 U"), L"%49%20%3F%20%55");
    EXPECT_EQ(PercentEncodeAll(L""), L"");
}

TEST_F(CodingsTest, AControlCharacterAnywhereGivesNothing) {
    EXPECT_EQ(PercentEncodeAll(L"a\tb"), L"");
    EXPECT_EQ(PercentEncodeAll(L"line\r\n"), L"");
    EXPECT_EQ(PercentEncodeAll(std::wstring(L"a\0b", 3)), L"");
    EXPECT_EQ(PercentEncodeAll(L"\x1F"), L"");
    EXPECT_EQ(PercentEncodeAll(L" "), L"%20");
}

TEST(HexCoding, EveryByteRoundTrips) {
    std::string bytes;
    for (int b = 0; b < 256; ++b) bytes.push_back(static_cast<char>(b));
    const std::wstring hex = HexEncode(bytes);
    ASSERT_EQ(hex.size(), 512u);
    EXPECT_EQ(hex.substr(0, 8), L"00010203");
    EXPECT_EQ(hex.substr(504), L"FCFDFEFF");
    EXPECT_EQ(HexDecode(hex), bytes);
    EXPECT_EQ(HexEncode(""), L"");
    EXPECT_EQ(HexDecode(L""), "");
}

TEST(HexCoding, DecodingTakesLowerCaseAndRejectsEverythingElse) {
    EXPECT_EQ(HexDecode(L"ab"), HexDecode(L"AB"));
    EXPECT_EQ(HexDecode(L"aB0f"), "\xAB\x0F");
    EXPECT_EQ(HexDecode(L"ABC"), "");
    EXPECT_EQ(HexDecode(L"G0"), "");
    EXPECT_EQ(HexDecode(L"0G"), "");
    EXPECT_EQ(HexDecode(L"A "), "");
    EXPECT_EQ(HexDecode(L"-1"), "");
    EXPECT_EQ(HexDecode(L"00\u00C400"), "");
    // Full-width digits are not hex digits, whatever they look like.
    EXPECT_EQ(HexDecode(L"\uFF21\uFF22"), "");
}

}  // namespace
}  // namespace vellora
