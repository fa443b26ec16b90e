#include <gtest/gtest.h>

#include <random>
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

TEST_F(LineRingTest, APaneShowsTheLastLinesOfItsRingInOrderWhileWrappingAround) {
    struct Case {
        std::size_t size, capacity;
        int lines;
    };
    // The main pane just past full; a dialog pane wrapped around many times.
    for (const Case& c :
         {Case{kMainRingSize, kMainRtfCapacity, 1025}, Case{kDialogRingSize, kDialogRtfCapacity, 1000}}) {
        SCOPED_TRACE(c.size);
        pane.documents.clear();
        LineRing ring(c.size, c.capacity);
        AddLines(ring, 1, static_cast<int>(c.size));
        ASSERT_EQ(pane.documents.size(), c.size);
        // Once full, the buffer holds only the header between lines.
        EXPECT_EQ(RtfContent(ring.Document()), RtfHeader());
        AddLines(ring, static_cast<int>(c.size) + 1, c.lines);
        const int first = c.lines - static_cast<int>(c.size) + 1;
        std::vector<std::string> shown = Paragraphs(pane.Last());
        ASSERT_EQ(shown.size(), c.size);
        for (std::size_t i = 0; i < c.size; ++i) {
            ASSERT_EQ(shown[i], Body("line " + std::to_string(first + static_cast<int>(i))));
        }
        EXPECT_EQ(ring.Count(), c.size);
        EXPECT_EQ(ring.Line(0).Text, L"line " + std::to_wstring(first));
        EXPECT_EQ(ring.Line(c.size - 1).Text, L"line " + std::to_wstring(c.lines));
        EXPECT_EQ(RtfContent(ring.Document()), RtfHeader());
    }
}

TEST_F(LineRingTest, DialogLinesStayInTheRingWhileExcludedAndReturnOnRerender) {
    LineRing ring(8, kMainRtfCapacity);
    settings.ExcludeDialogMessages = true;
    // A hidden first line streams nothing.
    ring.Add(UserLine("private", true), settings, pane);
    EXPECT_TRUE(pane.documents.empty());
    ring.Add(UserLine("public"), settings, pane);
    EXPECT_EQ(pane.Last(), "{\\rtf1 {\\pard {\\b bob:} public\\par}}");
    ring.Add(UserLine("public 2"), settings, pane);
    EXPECT_EQ(Paragraphs(pane.Last()), (std::vector<std::string>{Body("public"), Body("public 2")}));
    EXPECT_EQ(ring.Count(), 3u);

    settings.ExcludeDialogMessages = false;
    ring.Rerender(settings, pane);
    EXPECT_EQ(Paragraphs(pane.Last()),
              (std::vector<std::string>{Body("private"), Body("public"), Body("public 2")}));
    // Growing goes on from the re-rendered document.
    ring.Add(UserLine("next"), settings, pane);
    EXPECT_EQ(Paragraphs(pane.Last()).size(), 4u);

    // The same on a full ring.
    LineRing full(4, 64);
    settings.ExcludeDialogMessages = true;
    for (int i = 1; i <= 6; ++i) full.Add(UserLine("l" + std::to_string(i), i % 2 == 0), settings, pane);
    EXPECT_EQ(Paragraphs(pane.Last()), (std::vector<std::string>{Body("l3"), Body("l5")}));
    settings.ExcludeDialogMessages = false;
    full.Rerender(settings, pane);
    EXPECT_EQ(Paragraphs(pane.Last()), (std::vector<std::string>{Body("l3"), Body("l4"), Body("l5"), Body("l6")}));
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

    // While full, the next line rebuilds the document by itself.
    ring.Add(UserLine("four"), settings, pane);
    const std::size_t streamed = pane.documents.size();
    SetRtfAllocationGate([](std::size_t bytes) { return bytes <= 65; });
    ring.Add(UserLine(std::string(400, 'y')), settings, pane);
    EXPECT_EQ(pane.documents.size(), streamed) << "the rebuild cannot grow";
    SetRtfAllocationGate(nullptr);
    ring.Add(UserLine("six"), settings, pane);
    EXPECT_EQ(pane.documents.size(), streamed + 1);
    EXPECT_EQ(Paragraphs(pane.Last()),
              (std::vector<std::string>{Body("three"), Body("four"), Body(std::string(400, 'y')), Body("six")}));
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

TEST_F(LineRingTest, PiecemealChangesShowExactlyTheWholeDocument) {
    std::mt19937 random(13);
    auto chance = [&](int percent) { return static_cast<int>(random() % 100) < percent; };
    LineRing ring(64, 512);
    test::RecordingPane wholeOnly;
    wholeOnly.piecemeal = false;
    LineRing reference(64, 512);
    int next = 0;
    for (int step = 0; step < 3000; ++step) {
        if (chance(3)) {
            // The whole look changes: time stamps, dialog lines, a new font.
            settings.ShowTimes = chance(50);
            settings.ExcludeDialogMessages = chance(50);
            ring.Rerender(settings, pane);
            reference.Rerender(settings, wholeOnly);
        } else {
            // A setting switched without a re-render shows with the next
            // line of a full ring.
            if (ring.Count() == ring.Size() && chance(2)) settings.ShowTimes = !settings.ShowTimes;
            // A poll tick brings up to a ring and a half of lines at once.
            const int lines = chance(80) ? 1 : static_cast<int>(random() % 96) + 1;
            BeginPaneBatch();
            for (int i = 0; i < lines; ++i, ++next) {
                PaneLine line = UserLine("l" + std::to_string(next), chance(20), chance(10) ? -1 : next % 86400);
                ring.Add(line, settings, pane);
                reference.Add(line, settings, wholeOnly);
            }
            EndPaneBatch();
        }
        if (pane.documents.empty()) continue;
        ASSERT_EQ(pane.Last(), test::WholeDocument(ring, settings)) << "step " << step;
        ASSERT_EQ(wholeOnly.Last(), pane.Last()) << "step " << step;
    }
    // Most changes went piecemeal; a line into the full ring costs one
    // paragraph in and one out.
    EXPECT_GT(pane.changes, static_cast<int>(pane.documents.size()) * 3 / 4);
    settings.ExcludeDialogMessages = false;
    ring.Rerender(settings, pane);
    const int changes = pane.changes;
    ring.Add(UserLine("one more"), settings, pane);
    EXPECT_EQ(pane.changes, changes + 1);
    EXPECT_EQ(test::Paragraphs(RtfContent(ring.Document())).size(), 0u);
}

}  // namespace
}  // namespace vellora
