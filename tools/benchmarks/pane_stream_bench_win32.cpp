// How long the chat pane takes to show its lines: the whole document of a
// full main pane (1024 lines) streamed into the control, against the same
// ring changed piecemeal by one new line or by a batch of 50 arriving in one
// poll tick. Run under Wine (tools/bench); prints its figures.
#include <windows.h>

#include <richedit.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "bench_pane_win32.h"
#include "config/settings.h"
#include "text/line_ring.h"
#include "text/rich_pane_win32.h"
#include "text/rtf_text.h"

namespace {

using Clock = std::chrono::steady_clock;

constexpr int kBatchLines = 50;

// A chat line as the chat pane shows it with time stamps on: about 127
// bytes, so a full pane is about 130 KB.
vellora::PaneLine ChatLine(int n) {
    vellora::PaneLine line;
    line.Time = n % 86400;
    line.Prefix = vellora::BoldNamePrefix(L"member" + std::to_wstring(n % 37));
    line.Text = L"line " + std::to_wstring(n) + L" says hello to everybody in the chat, how are you all doing on this fine day?";
    return line;
}

// The RichEdit pane, noting the size of what it is given.
struct MeasuringPane : vellora::RichEditPane {
    using RichEditPane::RichEditPane;
    void ShowRtf(std::string_view document) override {
        wholeBytes = document.size();
        RichEditPane::ShowRtf(document);
    }
    bool ChangeRtf(const vellora::RtfChange& change) override {
        changeBytes = change.document.size();
        return RichEditPane::ChangeRtf(change);
    }
    std::size_t wholeBytes = 0, changeBytes = 0;
};

double Ms(Clock::duration d) { return std::chrono::duration<double, std::milli>(d).count(); }

double Median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

// Adds Count lines to the ring in one batch, as a poll tick brings them.
double AddLines(vellora::LineRing& ring, vellora::RtfPane& pane, const vellora::Settings& settings, int& next,
                int count) {
    auto start = Clock::now();
    vellora::BeginPaneBatch();
    for (int i = 0; i < count; ++i) ring.Add(ChatLine(next++), settings, pane);
    vellora::EndPaneBatch();
    return Ms(Clock::now() - start);
}

}  // namespace

int main() {
    const BenchPane bench = OpenBenchPane();
    if (!bench.control) return 1;
    HWND control = bench.control;

    vellora::Settings settings;
    settings.ShowTimes = true;
    MeasuringPane pane(control);
    vellora::LineRing ring(vellora::kMainRingSize, vellora::kMainRtfCapacity);
    int next = 0;
    // Fill the ring without showing every step.
    vellora::BeginPaneBatch();
    while (ring.Count() < ring.Size()) ring.Add(ChatLine(next++), settings, pane);
    vellora::EndPaneBatch();

    std::vector<double> whole, one, batch;
    for (int round = 0; round < 9; ++round) {
        auto start = Clock::now();
        ring.Rerender(settings, pane);
        whole.push_back(Ms(Clock::now() - start));
        one.push_back(AddLines(ring, pane, settings, next, 1));
        batch.push_back(AddLines(ring, pane, settings, next, kBatchLines));
    }
    const double wholeMs = Median(whole), batchMs = Median(batch);
    std::printf("full main pane: %zu lines, %zu bytes\n", ring.Count(), pane.wholeBytes);
    std::printf("one full-pane stream:                      %8.1f ms (median of %zu)\n", wholeMs, whole.size());
    std::printf("1 line into a full pane, piecemeal:        %8.1f ms (median of %zu)\n", Median(one), one.size());
    std::printf("%d lines into a full pane, piecemeal:       %8.1f ms (median of %zu) = 1/%.0f of a full stream\n",
                kBatchLines, batchMs, batch.size(), wholeMs / batchMs);
    std::printf("streams made: %lu\n", vellora::PaneStreamCount());

    CloseBenchPane(bench);
    return 0;
}
