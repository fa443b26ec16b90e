#include <gtest/gtest.h>

#include <string>

#include "text/codings.h"
#include "text/hidden_text.h"
#include "text/rtf_text.h"
#include "text/scrambler.h"
#include "windows_1252.h"

namespace vellora {
namespace {

class HiddenTextTest : public test::Windows1252Test {
protected:
    HiddenTextTest() {
        SetScrambleSaltSource([this] { return salt_++ % 255; });
    }
    ~HiddenTextTest() override { SetScrambleSaltSource(nullptr); }

    // The characters the chat server hands back for a posted, percent-encoded text.
    static std::wstring Delivered(const std::wstring& posted) {
        std::wstring out;
        for (std::size_t i = 0; i < posted.size(); i += 3) {
            std::string byte = HexDecode(posted.substr(i + 1, 2));
            out.push_back(static_cast<wchar_t>(static_cast<unsigned char>(byte.at(0))));
        }
        return out;
    }

    // A hidden section as it arrives in a line written by Sender.
    static std::wstring HiddenRun(const std::wstring& section, const std::wstring& sender) {
        return Delivered(WriteHiddenText(section, sender));
    }

    int salt_ = 0;
};

const std::wstring kOne(1, L'\x01');

TEST_F(HiddenTextTest, WritesEachScrambledByteAsTwoPercentEncodedNibbles) {
    SetScrambleSaltSource([] { return 0; });
    EXPECT_EQ(WriteHiddenText(L"Hallo", L"anna"), L"%01%01%18%17%17%12%02%01%19%1A%16%0F%16%0F%11%17");
    EXPECT_EQ(WriteHiddenText(L"", L"anna"), L"");
}

TEST_F(HiddenTextTest, NibblesNeverUseTabLineBreaksOrTheCodesAround) {
    for (int n = 0; n < 200; ++n) {
        std::wstring run = HiddenRun(std::wstring(1 + n % 7, static_cast<wchar_t>(L'0' + n % 40)), L"k");
        for (wchar_t c : run) EXPECT_TRUE((c >= 1 && c <= 4) || (c >= 15 && c <= 26)) << static_cast<int>(c);
    }
}

TEST_F(HiddenTextTest, EncodesPlainPartsAndHiddenSectionsOrNothingWhenMalformed) {
    SetScrambleSaltSource([] { return 7; });
    EXPECT_EQ(EncodeForSend(L"x<[y]>z", L"anna"), L"%78" + WriteHiddenText(L"y", L"anna") + L"%7A");
    EXPECT_EQ(EncodeForSend(L"<[a]><[b]>", L"anna"), WriteHiddenText(L"a", L"anna") + WriteHiddenText(L"b", L"anna"));
    EXPECT_EQ(EncodeForSend(L"plain only", L"anna"), PercentEncodeAll(L"plain only"));
    EXPECT_EQ(EncodeForSend(L"a<[]>b", L"anna"), L"%61%62");
    EXPECT_EQ(EncodeForSend(L"<[tab\there]>", L"anna"), WriteHiddenText(L"tab\there", L"anna"));
    EXPECT_EQ(EncodeForSend(L"", L"anna"), L"");
    // Malformed brackets, and a control character in a plain part, stop the whole message.
    for (const wchar_t* text : {L"a]>b", L"a<[b", L"a<[b<[c]>", L"]><[a]>", L"<[a]>]>", L"<[a]><[b", L"x<[<[y]>]>",
                                L"a\tb<[c]>", L"<[c]>tail\r"}) {
        EXPECT_EQ(EncodeForSend(text, L"anna"), L"") << text;
    }
}

TEST_F(HiddenTextTest, TheAddresseeSeesTheSectionDecodedAndEscaped) {
    const std::wstring line = L"anna: " + HiddenRun(L"meet at 9", L"bob") + L" ok?";
    EXPECT_EQ(RenderHiddenText(line, L"bob", HiddenMode::Decode, L"anna"), L"anna: {\\i meet at 9  } ok?");
    EXPECT_EQ(RenderHiddenText(line, L"bob", HiddenMode::DecodeStrike, L"anna"),
              L"anna: {\\i\\strike meet at 9  } ok?");
    EXPECT_EQ(RenderHiddenText(HiddenRun(L"{\\b evil}", L"bob"), L"bob", HiddenMode::Decode, L"anna"),
              L"{\\i \\{\\\\b evil\\}  }");
}

TEST_F(HiddenTextTest, OthersAWrongKeyOrADamagedRunSeeAPlaceholderSizedByTheRun) {
    // Two characters make a block of 5 bytes, three one of 6.
    EXPECT_EQ(RenderHiddenText(HiddenRun(L"hi", L"bob"), L"", HiddenMode::Placeholder, L"carl"),
              L"{\\i " + std::wstring(5, L'\x01') + L"  }");
    EXPECT_EQ(RenderHiddenText(L"a" + HiddenRun(L"hey", L"bob") + L"b", L"", HiddenMode::Placeholder, L"carl"),
              L"a{\\i [" + kOne + L"x6]  }b");
    EXPECT_EQ(RenderHiddenText(HiddenRun(L"Hallo", L"bob"), L"", HiddenMode::Placeholder, L"carl"),
              L"{\\i [" + kOne + L"x8]  }");
    const std::wstring run = HiddenRun(L"hey", L"bob");
    EXPECT_EQ(RenderHiddenText(run, L"carl", HiddenMode::Decode, L"anna"), L"{\\i [" + kOne + L"x6]  }");
    EXPECT_EQ(RenderHiddenText(run, L"carl", HiddenMode::DecodeStrike, L"anna"),
              L"{\\i\\strike [" + kOne + L"x6]  }");
    // Arbitrary nibble pairs: 5 bytes and 6 bytes that are no block.
    EXPECT_EQ(RenderHiddenText(std::wstring(10, L'\x02'), L"bob", HiddenMode::Decode, L"anna"),
              L"{\\i " + std::wstring(5, L'\x01') + L"  }");
    EXPECT_EQ(RenderHiddenText(std::wstring(12, L'\x1A'), L"bob", HiddenMode::Decode, L"anna"),
              L"{\\i [" + kOne + L"x6]  }");
}

TEST_F(HiddenTextTest, OddRunsAndPlainTextAroundRuns) {
    EXPECT_EQ(RenderHiddenText(L"x\x01\x02\x0F\x1A\x05y", L"", HiddenMode::Placeholder, L"carl"),
              L"x{\\i " + std::wstring(2, L'\x01') + L"  }\x05y");
    EXPECT_EQ(RenderHiddenText(L"\x03", L"", HiddenMode::Placeholder, L"carl"), L"\x03");
    // Code 5 reads as a nibble, TAB, LF and CR never do.
    EXPECT_EQ(RenderHiddenText(L"\x05\x05", L"", HiddenMode::Placeholder, L"carl"), L"{\\i " + kOne + L"  }");
    EXPECT_EQ(RenderHiddenText(L"\t\n\r\x0E\x1B", L"", HiddenMode::Placeholder, L"carl"), L"\t\n\r\x0E\x1B");
    // Plain text is taken through the code page.
    EXPECT_EQ(RenderHiddenText(L"I \u2665 \u00E4 \\{", L"", HiddenMode::Placeholder, L"carl"), L"I ? \u00E4 \\{");
    EXPECT_EQ(RenderHiddenText(L"", L"", HiddenMode::Decode, L"carl"), L"");

    const std::wstring line = HiddenRun(L"one", L"bob") + L" and " + HiddenRun(L"two", L"bob");
    EXPECT_EQ(RenderHiddenText(line, L"bob", HiddenMode::Decode, L"anna"), L"{\\i one  } and {\\i two  }");
    // Two runs that touch are one run, and one block no longer.
    const std::wstring touching = HiddenRun(L"one", L"bob") + HiddenRun(L"two", L"bob");
    EXPECT_EQ(RenderHiddenText(touching, L"bob", HiddenMode::Decode, L"anna"), L"{\\i [" + kOne + L"x12]  }");
}

TEST_F(HiddenTextTest, TheSupervisorSeesEverySectionDecodedAndStruckThrough) {
    const std::wstring line = L"carl: " + HiddenRun(L"psst", L"bob");
    EXPECT_EQ(RenderHiddenText(line, L"bob", HiddenMode::Placeholder, L"Supervisor"),
              L"carl: {\\i\\strike psst  }");
    EXPECT_EQ(RenderHiddenText(line, L"bob", HiddenMode::Placeholder, L"supervisor"),
              L"carl: {\\i [" + kOne + L"x7]  }");
    EXPECT_EQ(RenderHiddenText(line, L"bob", HiddenMode::Decode, L"Supervisor"), L"carl: {\\i psst  }");
}

}  // namespace
}  // namespace vellora
