// Whatever users write and whatever they are called, every document a pane
// shows stays inside the client's rich-text dialect.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "recording_pane.h"
#include "support/rtf_check.h"
#include "text/codepage.h"
#include "text/hidden_text.h"
#include "text/line_ring.h"
#include "text/rtf_text.h"
#include "text/scrambler.h"

namespace vellora {
namespace {

class RandomText {
public:
    explicit RandomText(unsigned seed) : random_(seed) {}

    int Below(int n) { return std::uniform_int_distribution<int>(0, n - 1)(random_); }

    // Mostly the characters that matter to the dialect and to hidden runs.
    wchar_t Char() {
        static const std::wstring kInteresting = L"\\{}\\{} ;:*-ab\u00E4\u2665\uFF3C\x01\x02\x04\x05\x0F\x1A\t\r\n";
        static const std::wstring kWords = L"ibulparstrike";
        switch (Below(4)) {
            case 0: return kInteresting[static_cast<std::size_t>(Below(static_cast<int>(kInteresting.size())))];
            case 1: return kWords[static_cast<std::size_t>(Below(static_cast<int>(kWords.size())))];
            case 2: return static_cast<wchar_t>(1 + Below(30));
            default: return static_cast<wchar_t>(32 + Below(0x3000));
        }
    }

    std::wstring Text(int maxLength) {
        std::wstring text;
        int length = Below(maxLength + 1);
        for (int i = 0; i < length; ++i) text.push_back(Char());
        return text;
    }

    // A name: often one of the dialect's own words or a piece of markup.
    std::wstring Name() {
        static const std::vector<std::wstring> kNames = {L"i", L"ul", L"b", L"strike", L"ike", L"par", L"\\",
                                                         L"{", L"}", L"\\i", L"a{\\i", L" ", L"\x01", L"Supervisor"};
        if (Below(2) == 0) return kNames[static_cast<std::size_t>(Below(static_cast<int>(kNames.size())))];
        return Text(6);
    }

private:
    std::mt19937 random_;
};

// What the main pane and the toaster make of a received line.
PaneLine RenderedLine(RandomText& random, const std::wstring& sender, const std::wstring& own) {
    std::wstring message = random.Text(30);
    if (random.Below(2) == 0) {
        message += NibbleRun(ScrambleText(random.Text(12), sender, kScrambleFlags)) + random.Text(5);
    }
    const auto mode = static_cast<HiddenMode>(random.Below(3));
    std::wstring text = UnderlineOwnName(RenderHiddenText(EscapeRtf(message), sender, mode, own), own);
    switch (random.Below(3)) {
        case 0: return PaneLine{random.Below(86400), BoldNamePrefix(sender), text, random.Below(3) == 0};
        case 1: return PaneLine{-1, L"", BoldNameInText(EscapeRtf(message), sender), false};
        default: return PaneLine{-1, L"", text, false};
    }
}

TEST(RtfDialect, EveryDocumentOfRandomLinesIsWellFormed) {
    RandomText random(20240611);
    test::RecordingPane pane;
    Settings settings;
    LineRing ring(16, 64);
    for (int round = 0; round < 3000; ++round) {
        const std::wstring own = random.Name();
        const std::wstring sender = random.Below(4) == 0 ? own : random.Name();
        settings.ShowTimes = random.Below(2) == 0;
        settings.ExcludeDialogMessages = random.Below(2) == 0;
        if (random.Below(20) == 0) {
            ring.Rerender(settings, pane);
        } else {
            ring.Add(RenderedLine(random, sender, own), settings, pane);
        }
        if (pane.documents.empty()) continue;
        std::string problem = test::RtfDialectProblem(pane.Last());
        ASSERT_EQ(problem, "") << "round " << round << ": " << pane.Last();
    }
}

TEST(RtfDialect, TheCheckerFindsForeignMarkup) {
    EXPECT_EQ(test::RtfDialectProblem("{\\rtf1 {\\pard {\\b x:} a\\{\\par}}"), "");
    EXPECT_NE(test::RtfDialectProblem("{\\rtf1 {\\pard \\fonttbl\\par}}"), "");
    EXPECT_NE(test::RtfDialectProblem("{\\rtf1 {\\pard \\'e4\\par}}"), "");
    EXPECT_NE(test::RtfDialectProblem("{\\rtf1 {\\pard }\\par}}"), "");
    EXPECT_NE(test::RtfDialectProblem("{\\rtf1 {\\pard {\\par}}"), "");
    EXPECT_NE(test::RtfDialectProblem("{\\rtf1 }{\\pard x\\par}"), "");
}

}  // namespace
}  // namespace vellora
