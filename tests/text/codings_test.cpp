#include <gtest/gtest.h>

#include <string>

#include "text/codings.h"
#include "windows_1252.h"

namespace vellora {
namespace {

using CodingsTest = test::Windows1252Test;

TEST_F(CodingsTest, PercentEncodesEveryCharacterByItsCodePageByteOrGivesNothing) {
    EXPECT_EQ(PercentEncodeAll(L"ab c"), L"%61%62%20%63");
    EXPECT_EQ(PercentEncodeAll(L"A\u00E4\u20AC%+&="), L"%41%E4%80%25%2B%26%3D");
    EXPECT_EQ(PercentEncodeAll(L"\u00FF\x7F"), L"%FF%7F");
    EXPECT_EQ(PercentEncodeAll(L"I \u2665 U"), L"%49%20%3F%20%55");
    EXPECT_EQ(PercentEncodeAll(L""), L"");
    // A control character anywhere spoils the whole text.
    EXPECT_EQ(PercentEncodeAll(L"a\tb"), L"");
    EXPECT_EQ(PercentEncodeAll(L"line\r\n"), L"");
    EXPECT_EQ(PercentEncodeAll(std::wstring(L"a\0b", 3)), L"");
    EXPECT_EQ(PercentEncodeAll(L"\x1F"), L"");
}

TEST(HexCoding, EveryByteRoundTripsAndOnlyHexDigitPairsDecode) {
    std::string bytes;
    for (int b = 0; b < 256; ++b) bytes.push_back(static_cast<char>(b));
    const std::wstring hex = HexEncode(bytes);
    ASSERT_EQ(hex.size(), 512u);
    EXPECT_EQ(hex.substr(0, 8), L"00010203");
    EXPECT_EQ(hex.substr(504), L"FCFDFEFF");
    EXPECT_EQ(HexDecode(hex), bytes);
    EXPECT_EQ(HexDecode(L"aB0f"), "\xAB\x0F");
    EXPECT_EQ(HexDecode(L""), "");
    // Full-width digits are not hex digits, whatever they look like.
    for (const wchar_t* bad : {L"ABC", L"G0", L"0G", L"A ", L"-1", L"00\u00C400", L"\uFF21\uFF22"}) {
        EXPECT_EQ(HexDecode(bad), "") << bad;
    }
}

}  // namespace
}  // namespace vellora
