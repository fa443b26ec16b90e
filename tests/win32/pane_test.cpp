// The chat pane: streaming whole documents, the chat font, scrolling, and
// holding streams back for the rest of a timer tick.
#include <gtest/gtest.h>
#include <windows.h>

#include <richedit.h>

#include <string>
#include <vector>

#include "win32/gui_support.h"

namespace vellora {
namespace {

std::string Document(int lines, const std::string& word = "line") {
    std::string doc = "{\\rtf1 ";
    for (int i = 1; i <= lines; ++i) doc += "{\\pard {\\b bob:} " + word + " " + std::to_string(i) + "\\par}";
    return doc + "}";
}

CHARFORMAT2W FormatAt(HWND pane, int at) {
    SendMessageW(pane, EM_SETSEL, at, at + 1);
    CHARFORMAT2W cf{};
    cf.cbSize = sizeof(cf);
    SendMessageW(pane, EM_GETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&cf));
    return cf;
}

LOGFONTW FontOf(HFONT font) {
    LOGFONTW lf{};
    GetObjectW(font, sizeof(lf), &lf);
    return lf;
}

TEST(PaneTest, StreamsReplaceTheContentInTheChatFontMadeFromTheIconTitleFont) {
    test::MainObject f;
    ASSERT_TRUE(f.loaded);
    HWND pane = f->h.hChatPane;
    StreamRtfNow(pane, Document(3), true);
    StreamRtfNow(pane, "{\\rtf1 {\\pard {\\b anna:} a \\{b\\} \\\\ c\\par}}", true);
    std::wstring text = test::PaneText(pane);
    EXPECT_EQ(text.find(L"line"), std::wstring::npos);
    EXPECT_NE(text.find(L"anna: a {b} \\ c"), std::wstring::npos);
    // The name is bold, the message is not: the document's groups, the
    // control's font.
    EXPECT_TRUE(FormatAt(pane, 0).dwEffects & CFE_BOLD);
    EXPECT_FALSE(FormatAt(pane, 7).dwEffects & CFE_BOLD);
    const LOGFONTW chat = FontOf(ChatFont());
    EXPECT_EQ(std::wstring(FormatAt(pane, 7).szFaceName), chat.lfFaceName);

    LOGFONTW system{};
    SystemParametersInfoW(SPI_GETICONTITLELOGFONT, sizeof(system), &system, 0);
    const LOGFONTW bold = FontOf(SharedPaneFonts().listBold), regular = FontOf(SharedPaneFonts().listRegular);
    EXPECT_STREQ(chat.lfFaceName, system.lfFaceName);
    EXPECT_EQ(chat.lfHeight, system.lfHeight);
    EXPECT_EQ(bold.lfHeight, -11);
    EXPECT_EQ(bold.lfWeight, HeavierWeight(system.lfWeight));
    EXPECT_EQ(regular.lfHeight, 11);
    EXPECT_EQ(regular.lfWeight, bold.lfWeight - 300);
    EXPECT_EQ((std::vector{HeavierWeight(700), HeavierWeight(400), HeavierWeight(100)}), (std::vector{900, 700, 600}));

    // A new font set replaces the old fonts everywhere.
    HFONT old = ChatFont();
    f->UpdateFontSize();
    EXPECT_NE(ChatFont(), nullptr);
    EXPECT_NE(ChatFont(), old);
    EXPECT_EQ(GetObjectW(old, sizeof(system), &system), 0);  // the old font is gone
}

TEST(PaneTest, NewDocumentsScrollToTheEndUnlessThePaneIsHeld) {
    test::MainObject f;
    ASSERT_TRUE(f.loaded);
    HWND pane = f->h.hChatPane;
    ShowWindow(f->h.MainWindow, SW_SHOW);
    StreamPane(pane, Document(200));
    EXPECT_GT(SendMessageW(pane, EM_GETFIRSTVISIBLELINE, 0, 0), 150);
    DWORD end = 0;
    SendMessageW(pane, EM_GETSEL, 0, reinterpret_cast<LPARAM>(&end));
    GETTEXTLENGTHEX length{GTL_DEFAULT, 1200};  // one character per line break, as the control counts
    EXPECT_EQ(static_cast<LRESULT>(end), SendMessageW(pane, EM_GETTEXTLENGTHEX, reinterpret_cast<WPARAM>(&length), 0));

    SendMessageW(pane, WM_VSCROLL, SB_TOP, 0);
    SetFrozenPane(pane);  // the user holds the scroll bar
    StreamPane(pane, Document(210));
    EXPECT_LT(SendMessageW(pane, EM_GETFIRSTVISIBLELINE, 0, 0), 10);
    SetFrozenPane(nullptr);
}

TEST(PaneTest, ABatchStreamsEachPaneOnceWithItsNewestDocument) {
    test::MainObject f;
    ASSERT_TRUE(f.loaded);
    HWND pane = f->h.hChatPane;
    StreamPane(pane, Document(1, "before"));
    const unsigned long before = PaneStreamCount();
    BeginPaneBatch();
    for (int lines = 1; lines <= 50; ++lines) StreamPane(pane, Document(lines, "batch"));
    EXPECT_EQ(PaneStreamCount(), before);  // nothing painted yet
    EXPECT_NE(test::PaneText(pane).find(L"before"), std::wstring::npos);
    EndPaneBatch();
    EXPECT_EQ(PaneStreamCount(), before + 1);
    std::wstring text = test::PaneText(pane);
    EXPECT_NE(text.find(L"batch 50"), std::wstring::npos);
    EXPECT_EQ(text.find(L"before"), std::wstring::npos);

    // A pane destroyed within the batch is not streamed.
    BeginPaneBatch();
    StreamPane(pane, Document(2));
    ForgetPane(pane);
    EndPaneBatch();
    EXPECT_EQ(PaneStreamCount(), before + 1);
}

}  // namespace
}  // namespace vellora
