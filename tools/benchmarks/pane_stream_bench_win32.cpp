// How long the chat pane takes to show its document: one stream of a full
// main pane (1024 lines), and a batch of 50 new lines arriving in one poll
// tick into a full pane, streamed after every line or once for the tick.
// Run under Wine (tools/bench); prints its figures.
#include <windows.h>

#include <richedit.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <deque>
#include <string>
#include <vector>

#include "text/chat_font_win32.h"
#include "text/rich_pane_win32.h"

namespace {

using Clock = std::chrono::steady_clock;

constexpr int kRingLines = 1024;
constexpr int kBatchLines = 50;

// A chat line as the pane gets it: time stamp, bold sender, some text; about
// 127 bytes, so a full pane is about 130 KB.
std::string Paragraph(int n) {
    char stamp[16];
    std::snprintf(stamp, sizeof stamp, "[%02d:%02d:%02d] ", (n / 3600) % 24, (n / 60) % 60, n % 60);
    std::string name = "member" + std::to_string(n % 37);
    std::string text = "line " + std::to_string(n) + " says hello to everybody in the chat, how are you all doing on this fine day today?";
    return "{\\pard " + std::string(stamp) + "{\\b " + name + ":} " + text + "\\par}";
}

std::string DocumentOf(const std::deque<std::string>& ring) {
    std::string doc = "{\\rtf1 ";
    for (const auto& p : ring) doc += p;
    return doc + "}";
}

double Ms(Clock::duration d) { return std::chrono::duration<double, std::milli>(d).count(); }

double Median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

// Adds Count lines to a full ring, showing the document after each line
// (PerLine) or inside one batch that streams once at its end.
double AddLines(HWND pane, std::deque<std::string>& ring, int& next, int count, bool perLine) {
    auto start = Clock::now();
    if (!perLine) vellora::BeginPaneBatch();
    for (int i = 0; i < count; ++i) {
        ring.pop_front();
        ring.push_back(Paragraph(next++));
        vellora::StreamPane(pane, DocumentOf(ring));
    }
    if (!perLine) vellora::EndPaneBatch();
    return Ms(Clock::now() - start);
}

}  // namespace

int main() {
    HMODULE riched = LoadLibraryW(L"riched20.dll");
    HWND top = CreateWindowExW(0, L"STATIC", L"bench", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 600, 400, nullptr,
                               nullptr, GetModuleHandleW(nullptr), nullptr);
    HWND pane = vellora::CreateRichEdit(WS_EX_CLIENTEDGE, L"", 0x5020494C, 0, 0, 580, 360, top);
    if (!riched || !pane) {
        std::printf("no RichEdit control\n");
        return 1;
    }
    SendMessageW(pane, EM_LIMITTEXT, vellora::kPaneTextLimit, 0);
    LOGFONTW base{};
    vellora::ReplaceChatFont(vellora::CreateChatFont(base));

    std::deque<std::string> ring;
    int next = 0;
    for (; next < kRingLines; ++next) ring.push_back(Paragraph(next));
    const std::string full = DocumentOf(ring);

    std::vector<double> one;
    for (int i = 0; i < 9; ++i) {
        auto start = Clock::now();
        vellora::StreamRtfNow(pane, full, true);
        one.push_back(Ms(Clock::now() - start));
    }
    // Per line takes 50 full streams, so it runs fewer rounds.
    std::vector<double> perLine, perTick;
    for (int round = 0; round < 5; ++round) {
        if (round < 2) perLine.push_back(AddLines(pane, ring, next, kBatchLines, true));
        perTick.push_back(AddLines(pane, ring, next, kBatchLines, false));
    }

    std::printf("full main pane: %d lines, %zu bytes\n", kRingLines, full.size());
    std::printf("one full-pane stream:                 %8.1f ms (median of %zu)\n", Median(one), one.size());
    std::printf("%d lines into a full pane, per line:  %8.1f ms (mean of %zu)\n", kBatchLines,
                (perLine[0] + perLine[1]) / 2, perLine.size());
    std::printf("%d lines into a full pane, per tick:  %8.1f ms (median of %zu)\n", kBatchLines, Median(perTick),
                perTick.size());
    std::printf("streams made: %lu\n", vellora::PaneStreamCount());

    vellora::DeletePaneFonts();
    DestroyWindow(top);
    FreeLibrary(riched);
    return 0;
}
