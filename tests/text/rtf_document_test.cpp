#include <gtest/gtest.h>

#include <string>

#include "recording_pane.h"
#include "text/rtf_document.h"
#include "text/rtf_text.h"
#include "windows_1252.h"

namespace vellora {
namespace {

class RtfDocumentTest : public ::testing::Test {
protected:
    ~RtfDocumentTest() override { SetRtfAllocationGate(nullptr); }

    // Refuses every allocation of more than Limit bytes from now on.
    void RefuseAllocationsAbove(std::size_t limit) {
        SetRtfAllocationGate([limit](std::size_t bytes) { return bytes <= limit; });
    }

    RtfDocument doc;
    test::RecordingPane pane;
};

TEST_F(RtfDocumentTest, TheClosingBraceIsOverwrittenByTheNextLine) {
    RtfBufferReset(doc, 200);
    RtfAppendLine(doc, 3725, L"{\\b bob:} ", L"one", true);
    RtfStreamIn(doc, pane);
    RtfAppendLine(doc, -1, L"", L"two", false);
    RtfStreamIn(doc, pane);
    EXPECT_EQ(pane.documents[0], "{\\rtf1 {\\pard [01:02:05] {\\b bob:} one\\par}}");
    EXPECT_EQ(pane.documents[1], "{\\rtf1 {\\pard [01:02:05] {\\b bob:} one\\par}{\\pard two\\par}}");
    EXPECT_EQ(RtfContent(doc).size(), pane.documents[1].size() - 1);
}

TEST_F(RtfDocumentTest, ResetStartsWithTheHeaderAndKeepsAGrownBuffer) {
    RtfBufferReset(doc, 20);
    EXPECT_EQ(doc.capacity, 20u);
    RtfStreamIn(doc, pane);
    EXPECT_EQ(pane.Last(), "{\\rtf1 }");
    RtfAppendLine(doc, -1, L"", std::wstring(100, L'x'), false);
    const std::uint32_t grown = doc.capacity;
    RtfBufferReset(doc, 20);
    EXPECT_EQ(doc.capacity, grown);
    EXPECT_EQ(RtfContent(doc), "{\\rtf1 ");
}

TEST_F(RtfDocumentTest, GrowsToTwiceTheNeedAndKeepsTheContent) {
    RtfBufferReset(doc, 64);
    RtfAppendLine(doc, -1, L"", L"first", false);  // header 7 + paragraph 17 bytes
    const std::wstring big(100, L'y');             // a paragraph of 112 bytes
    RtfAppendLine(doc, -1, L"", big, false);
    EXPECT_EQ(doc.capacity, (64u + 112u) * 2u);
    RtfStreamIn(doc, pane);
    EXPECT_EQ(pane.Last(), "{\\rtf1 {\\pard first\\par}{\\pard " + std::string(100, 'y') + "\\par}}");
}

TEST_F(RtfDocumentTest, AFailedAllocationLeavesNoBufferUntilTheNextReset) {
    // Without any buffer nothing happens.
    RtfAppendLine(doc, -1, L"", L"lost", false);
    RtfStreamIn(doc, pane);
    EXPECT_TRUE(pane.documents.empty());

    RtfBufferReset(doc, 64);
    RtfAppendLine(doc, -1, L"", L"kept?", false);
    RefuseAllocationsAbove(65);
    RtfAppendLine(doc, -1, L"", std::wstring(100, L'z'), false);
    EXPECT_FALSE(doc.bytes);
    EXPECT_EQ(RtfContent(doc), "");
    RtfAppendLine(doc, -1, L"", L"small", false);
    RtfStreamIn(doc, pane);
    EXPECT_TRUE(pane.documents.empty());

    RtfBufferReset(doc, 64);
    ASSERT_TRUE(doc.bytes);
    EXPECT_EQ(doc.capacity, 64u);
    RtfAppendLine(doc, -1, L"", L"again", false);
    RtfStreamIn(doc, pane);
    EXPECT_EQ(pane.Last(), "{\\rtf1 {\\pard again\\par}}");

    RtfDocument refused;
    RefuseAllocationsAbove(0);
    RtfBufferReset(refused, 100);
    EXPECT_FALSE(refused.bytes);
}

using RtfDocumentBytesTest = test::Windows1252Test;

TEST_F(RtfDocumentBytesTest, HoldsCodePageBytes) {
    RtfDocument doc;
    RtfBufferReset(doc, 100);
    RtfAppendLine(doc, -1, L"", L"\u00E4 \u2665 \u20AC", false);
    EXPECT_EQ(RtfContent(doc), "{\\rtf1 {\\pard \xE4 ? \x80\\par}");
}

}  // namespace
}  // namespace vellora
