#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "recording_pane.h"
#include "text/line_ring.h"
#include "text/rtf_text.h"

namespace vellora {
namespace {

using test::Paragraphs;

PaneLine UserLine(const std::string& text, bool shownInDialog = false, std::int32_t time = -1) {
    return PaneLine{time, L"{\\b bob:} ", std::wstring(text.begin(), text.end()), shownInDialog};
}

std::string Body(const std::string& text) { return "{\\b bob:} " + text; }

class LineRingTest : public ::testing::Test {
protected:
    ~LineRingTest() override { SetRtfAllocationGate(nullptr); }

    void AddLines(LineRing& ring, int first, int last) {
        for (int i = first; i <= last; ++i) ring.Add(UserLine("line " + std::to_string(i)), settings, pane);
    }

    Settings settings;
    test::RecordingPane pane;
};

TEST_F(LineRingTest, EveryLineShowsTheWholeDocument) {
    LineRing ring(kMainRingSize, kMainRtfCapacity);
    ring.Add(UserLine("hello"), settings, pane);
    ring.Add(UserLine("again"), settings, pane);
    ASSERT_EQ(pane.documents.size(), 2u);
    EXPECT_EQ(pane.documents[0], "{\\rtf1 {\\pard {\\b bob:} hello\\par}}");
    EXPECT_EQ(pane.documents[1], "{\\rtf1 {\\pard {\\b bob:} hello\\par}{\\pard {\\b bob:} again\\par}}");
}

TEST_F(LineRingTest, TheMainPaneShowsItsLast1024LinesInOrder) {
    LineRing ring(kMainRingSize, kMainRtfCapacity);
    AddLines(ring, 1, 1024);
    ASSERT_EQ(pane.documents.size(), 1024u);
    std::vector<std::string> shown = Paragraphs(pane.Last());
    ASSERT_EQ(shown.size(), 1024u);
    EXPECT_EQ(shown.front(), Body("line 1"));
    EXPECT_EQ(shown.back(), Body("line 1024"));
    // Once full, the buffer holds only the header between lines.
    EXPECT_EQ(RtfContent(ring.Document()), RtfHeader());

    AddLines(ring, 1025, 1025);
    shown = Paragraphs(pane.Last());
    ASSERT_EQ(shown.size(), 1024u);
    for (int i = 0; i < 1024; ++i) ASSERT_EQ(shown[static_cast<std::size_t>(i)], Body("line " + std::to_string(i + 2)));
    EXPECT_EQ(ring.Count(), 1024u);
    EXPECT_EQ(ring.Line(0).Text, L"line 2");
    EXPECT_EQ(RtfContent(ring.Document()), RtfHeader());
}

TEST_F(LineRingTest, ADialogPaneWrapsAround256LinesManyTimes) {
    LineRing ring(kDialogRingSize, kDialogRtfCapacity);
    AddLines(ring, 1, 1000);
    std::vector<std::string> shown = Paragraphs(pane.Last());
    ASSERT_EQ(shown.size(), 256u);
    EXPECT_EQ(shown.front(), Body("line 745"));
    EXPECT_EQ(shown.back(), Body("line 1000"));
    EXPECT_EQ(ring.Line(255).Text, L"line 1000");
}

TEST_F(LineRingTest, DialogLinesStayInTheRingWhileExcludedAndReturnOnRerender) {
    LineRing ring(8, kMainRtfCapacity);
    settings.ExcludeDialogMessages = true;
    ring.Add(UserLine("public"), settings, pane);
    ring.Add(UserLine("private", true), settings, pane);
    ring.Add(UserLine("public 2"), settings, pane);
    EXPECT_EQ(Paragraphs(pane.Last()), (std::vector<std::string>{Body("public"), Body("public 2")}));
    EXPECT_EQ(ring.Count(), 3u);

    settings.ExcludeDialogMessages = false;
    ring.Rerender(settings, pane);
    EXPECT_EQ(Paragraphs(pane.Last()),
              (std::vector<std::string>{Body("public"), Body("private"), Body("public 2")}));
    // Growing goes on from the re-rendered document.
    ring.Add(UserLine("next"), settings, pane);
    EXPECT_EQ(Paragraphs(pane.Last()).size(), 4u);
}

TEST_F(LineRingTest, ExclusionAndRerenderOnAFullRing) {
    LineRing ring(4, 64);
    settings.ExcludeDialogMessages = true;
    for (int i = 1; i <= 6; ++i) ring.Add(UserLine("l" + std::to_string(i), i % 2 == 0), settings, pane);
    EXPECT_EQ(Paragraphs(pane.Last()), (std::vector<std::string>{Body("l3"), Body("l5")}));
    settings.ExcludeDialogMessages = false;
    ring.Rerender(settings, pane);
    EXPECT_EQ(Paragraphs(pane.Last()), (std::vector<std::string>{Body("l3"), Body("l4"), Body("l5"), Body("l6")}));
}

TEST_F(LineRingTest, AHiddenFirstLineStreamsNothing) {
    LineRing ring(8, 256);
    settings.ExcludeDialogMessages = true;
    ring.Add(UserLine("private", true), settings, pane);
    EXPECT_TRUE(pane.documents.empty());
    ring.Add(UserLine("public"), settings, pane);
    EXPECT_EQ(pane.Last(), "{\\rtf1 {\\pard {\\b bob:} public\\par}}");
}

TEST_F(LineRingTest, RerenderAppliesTheTimeStampSetting) {
    LineRing ring(3, 256);
    ring.Add(UserLine("a", false, 3725), settings, pane);
    ring.Add(UserLine("b", false, -1), settings, pane);
    settings.ShowTimes = true;
    ring.Rerender(settings, pane);
    EXPECT_EQ(Paragraphs(pane.Last()), (std::vector<std::string>{"[01:02:05] " + Body("a"), "        " + Body("b")}));
    ring.Add(UserLine("c", false, 0), settings, pane);  // fills the ring
    ring.Add(UserLine("d", false, 60), settings, pane);
    EXPECT_EQ(Paragraphs(pane.Last()),
              (std::vector<std::string>{"        " + Body("b"), "[00:00:00] " + Body("c"), "[00:01:00] " + Body("d")}));
    settings.ShowTimes = false;
    ring.Rerender(settings, pane);
    EXPECT_EQ(Paragraphs(pane.Last()), (std::vector<std::string>{Body("b"), Body("c"), Body("d")}));
}

TEST_F(LineRingTest, AfterAFailedGrowthThePaneWaitsForTheNextRebuild) {
    LineRing ring(4, 64);
    ring.Add(UserLine("one"), settings, pane);
    SetRtfAllocationGate([](std::size_t bytes) { return bytes <= 65; });
    ring.Add(UserLine(std::string(80, 'x')), settings, pane);  // cannot grow
    ring.Add(UserLine("three"), settings, pane);
    EXPECT_EQ(pane.documents.size(), 1u);
    EXPECT_FALSE(ring.Document().bytes);

    SetRtfAllocationGate(nullptr);
    ring.Rerender(settings, pane);
    EXPECT_EQ(Paragraphs(pane.Last()),
              (std::vector<std::string>{Body("one"), Body(std::string(80, 'x')), Body("three")}));
}

TEST_F(LineRingTest, AFailedGrowthWhileFullRecoversWithTheNextLine) {
    LineRing ring(2, 64);
    AddLines(ring, 1, 2);
    SetRtfAllocationGate([](std::size_t bytes) { return bytes <= 65; });
    ring.Add(UserLine(std::string(80, 'x')), settings, pane);
    const std::size_t streamed = pane.documents.size();
    SetRtfAllocationGate(nullptr);
    AddLines(ring, 4, 4);
    EXPECT_EQ(pane.documents.size(), streamed + 1);
    EXPECT_EQ(Paragraphs(pane.Last()), (std::vector<std::string>{Body(std::string(80, 'x')), Body("line 4")}));
}

TEST_F(LineRingTest, ClearStartsANewDocument) {
    LineRing ring(12, kToasterRtfCapacity);
    AddLines(ring, 1, 13);
    EXPECT_EQ(Paragraphs(pane.Last()).size(), 12u);
    ring.Clear();
    EXPECT_EQ(ring.Count(), 0u);
    AddLines(ring, 14, 14);
    EXPECT_EQ(Paragraphs(pane.Last()), (std::vector<std::string>{Body("line 14")}));
}

}  // namespace
}  // namespace vellora
