// The chat pane: streaming whole documents, the chat font, scrolling, and
// changing it piecemeal so that it looks exactly like a whole stream.
#include <gtest/gtest.h>
#include <windows.h>

#include <richedit.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

#include "core/frm_main_win32.h"
#include "core/main_window_win32.h"
#include "text/chat_font_win32.h"
#include "text/line_ring.h"
#include "text/recording_pane.h"
#include "text/rich_pane_win32.h"
#include "text/rtf_text.h"
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

// The bytes the process's heaps hold in busy blocks: unlike the resident
// set, this does not move with what the heaps keep free for later.
std::size_t HeapBusyBytes() {
    HANDLE heaps[64];
    const DWORD count = std::min<DWORD>(GetProcessHeaps(64, heaps), 64);
    std::size_t busy = 0;
    for (DWORD i = 0; i < count; ++i) {
        if (!HeapLock(heaps[i])) continue;
        PROCESS_HEAP_ENTRY entry{};
        while (HeapWalk(heaps[i], &entry)) {
            if (entry.wFlags & PROCESS_HEAP_ENTRY_BUSY) busy += entry.cbData;
        }
        HeapUnlock(heaps[i]);
    }
    return busy;
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

DWORD CALLBACK Collect(DWORD_PTR cookie, LPBYTE bytes, LONG n, LONG* done) {
    reinterpret_cast<std::string*>(cookie)->append(reinterpret_cast<char*>(bytes), static_cast<std::size_t>(n));
    *done = n;
    return 0;
}

// The whole control as RTF: its text with every formatting run.
std::string StreamedOut(HWND pane) {
    std::string out;
    EDITSTREAM es{reinterpret_cast<DWORD_PTR>(&out), 0, Collect};
    SendMessageW(pane, EM_STREAMOUT, SF_RTF, reinterpret_cast<LPARAM>(&es));
    return out;
}

// What the user sees besides the content: caret, first line, scroll offset.
std::string View(HWND pane) {
    DWORD start = 0, end = 0;
    SendMessageW(pane, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    POINT scroll{};
    SendMessageW(pane, EM_GETSCROLLPOS, 0, reinterpret_cast<LPARAM>(&scroll));
    return std::to_string(start) + "," + std::to_string(end) + " line " +
           std::to_string(SendMessageW(pane, EM_GETFIRSTVISIBLELINE, 0, 0)) + " y " + std::to_string(scroll.y);
}

// The pane as it stands on the screen, scroll bar and edge included.
std::vector<DWORD> Pixels(HWND pane) {
    RECT r{};
    GetWindowRect(pane, &r);
    const int w = r.right - r.left, h = r.bottom - r.top;
    BITMAPINFO bi{{sizeof(BITMAPINFOHEADER), w, -h, 1, 32, BI_RGB, 0, 0, 0, 0, 0}, {}};
    std::vector<DWORD> pixels(static_cast<std::size_t>(w * h));
    HDC window = GetWindowDC(pane), memory = CreateCompatibleDC(window);
    HBITMAP bitmap = CreateCompatibleBitmap(window, w, h);
    HGDIOBJ old = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, w, h, window, 0, 0, SRCCOPY);
    SelectObject(memory, old);
    GetDIBits(memory, bitmap, 0, static_cast<UINT>(h), pixels.data(), &bi, DIB_RGB_COLORS);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(pane, window);
    return pixels;
}

TEST(PaneTest, PiecemealChangesLookExactlyLikeAFullStreamOfTheRing) {
    test::MainObject f;
    ASSERT_TRUE(f.loaded);
    ShowWindow(f->h.MainWindow, SW_SHOW);
    HWND changed = f->h.hChatPane;
    RECT r = test::ChildRect(changed);
    // The full streams go into a twin of the pane in a window of its own
    // beside the main window.
    HWND beside = CreateWindowExW(WS_EX_TOOLWINDOW, L"STATIC", L"", WS_POPUP | WS_VISIBLE, 620, 0, r.right - r.left,
                                  r.bottom - r.top, nullptr, nullptr, nullptr, nullptr);
    HWND whole = CreateRichEdit(WS_EX_CLIENTEDGE, L"", kChatPaneStyle, 0, 0, r.right - r.left, r.bottom - r.top, beside);
    struct CountingPane : RichEditPane {
        using RichEditPane::RichEditPane;
        void ShowRtf(std::string_view document) override { ++wholes, RichEditPane::ShowRtf(document); }
        bool ChangeRtf(const RtfChange& change) override { return ++changes, RichEditPane::ChangeRtf(change); }
        int wholes = 0, changes = 0;
    } pane(changed);
    LineRing ring(48, 1024);
    Settings settings;
    std::mt19937 random(7);
    auto chance = [&](int percent) { return static_cast<int>(random() % 100) < percent; };
    // Lines with every group the dialect has, escapes, an empty line, a
    // character outside the code page and lines long enough to wrap.
    const std::vector<std::wstring> texts = {
        L"hi {\\ul demo} and {\\b bold}", L"{\\i hidden  }", L"{\\i\\strike gone  }", L"a \\{b\\} \\\\ c",
        L"", L"caf\u00E9 \u2665", std::wstring(300, L'w') + L" end"};
    int next = 0;
    for (int step = 0; step < 160; ++step) {
        const bool frozen = chance(15);
        if (chance(25)) {  // the user scrolled up
            for (HWND p : {changed, whole}) SendMessageW(p, WM_VSCROLL, SB_PAGEUP, 0);
        }
        SetFrozenPane(frozen ? changed : nullptr);
        if (chance(5)) {
            settings.ShowTimes = chance(50);
            settings.ExcludeDialogMessages = chance(50);
            ring.Rerender(settings, pane);
        } else {
            const int lines = chance(70) ? 1 : static_cast<int>(random() % 70) + 1;
            BeginPaneBatch();
            for (int i = 0; i < lines; ++i, ++next) {
                PaneLine line{next, next % 3 ? BoldNamePrefix(L"bob") : L"", texts[random() % texts.size()],
                              next > 0 && chance(15)};
                ring.Add(line, settings, pane);
            }
            EndPaneBatch();
        }
        SetFrozenPane(frozen ? whole : nullptr);
        StreamPane(whole, test::WholeDocument(ring, settings));
        SetFrozenPane(nullptr);
        ASSERT_EQ(StreamedOut(changed), StreamedOut(whole)) << "step " << step;
        ASSERT_EQ(View(changed), View(whole)) << "step " << step << (frozen ? " frozen" : "");
        if (step % 8 == 0) {
            // On the screen too, the pane shows what a full stream into it
            // would show.
            test::PumpFor(30);
            const std::vector<DWORD> seen = Pixels(changed);
            SetFrozenPane(frozen ? changed : nullptr);
            StreamPane(changed, test::WholeDocument(ring, settings));
            SetFrozenPane(nullptr);
            test::PumpFor(30);
            ASSERT_TRUE(seen == Pixels(changed)) << "step " << step;
        }
    }
    EXPECT_GT(pane.changes, 4 * pane.wholes);
    DestroyWindow(beside);
}

// A long chat through a full pane: every line that comes in pushes one out,
// for hours. The control must let go of the lines it drops, and a change
// must leave nothing the user could undo.
TEST(PaneTest, ALongChatThroughAFullPaneKeepsNothingOfTheDroppedLines) {
    test::MainObject f;
    ASSERT_TRUE(f.loaded);
    ShowWindow(f->h.MainWindow, SW_SHOW);
    HWND control = f->h.hChatPane;
    struct CountingPane : RichEditPane {
        using RichEditPane::RichEditPane;
        void ShowRtf(std::string_view document) override { ++wholes, RichEditPane::ShowRtf(document); }
        int wholes = 0;
    } pane(control);
    LineRing ring(32, 1024);
    Settings settings;
    settings.ShowTimes = true;
    int next = 0;
    auto addLines = [&](int count) {
        for (int done = 0; done < count; done += 4) {
            BeginPaneBatch();
            for (int i = 0; i < 4; ++i, ++next) {
                ring.Add(PaneLine{next, BoldNamePrefix(L"bob"), L"line " + std::to_wstring(next) + L" for {\\ul demo}"},
                         settings, pane);
            }
            EndPaneBatch();
            test::PumpFor(0);
        }
    };
    // The pane fills, and the heaps settle at what a full pane takes.
    addLines(200);
    EXPECT_FALSE(SendMessageW(control, EM_CANUNDO, 0, 0));
    const std::size_t full = HeapBusyBytes();
    const int wholesBefore = pane.wholes;
    addLines(600);
    const std::size_t after = HeapBusyBytes();
    EXPECT_EQ(pane.wholes, wholesBefore) << "the lines went in piecemeal";
    EXPECT_FALSE(SendMessageW(control, EM_CANUNDO, 0, 0));
    // A control that kept something of each dropped line would hold about
    // a quarter of a megabyte more by now; the heaps' own noise is a few kB.
    EXPECT_LT(after, full + 64 * 1024) << "held " << full << " bytes, now " << after;
}

}  // namespace
}  // namespace vellora
