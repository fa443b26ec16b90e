// What the chat pane costs in memory over a long chat: a full main pane in a
// shown window takes lines in poll-sized batches, painting between them as
// the program does, and the process's memory is printed every 1000 lines.
// Run under Wine (tools/bench pane-memory); prints its figures.
//
//   pane_memory_bench [LINES [EVERY]]
//
// With EVERY, the whole document is streamed again every EVERY lines, as a
// change of the look does.
#include <windows.h>

#include <psapi.h>
#include <richedit.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "bench_pane_win32.h"
#include "config/settings.h"
#include "text/line_ring.h"
#include "text/rich_pane_win32.h"
#include "text/rtf_text.h"

namespace {

constexpr int kBatchLines = 20;

// Lines as a busy chat brings them: some address somebody, some name the
// own user, some are system lines without a sender.
vellora::PaneLine ChatLine(int n) {
    vellora::PaneLine line;
    line.Time = n % 86400;
    const std::wstring who = L"member" + std::to_wstring(n % 53);
    switch (n % 4) {
    case 0:
        line.Prefix = vellora::BoldNamePrefix(who);
        line.Text = L"line " + std::to_wstring(n) + L" says hello to everybody, how are you all doing?";
        break;
    case 1:
        line.Prefix = vellora::BoldNamePrefix(who);
        line.Text = vellora::UnderlineOwnName(L"demo: what do you think about line " + std::to_wstring(n), L"demo");
        break;
    case 2:
        line.Text = L"*** " + who + L" betritt den Raum.";
        break;
    default:
        line.Prefix = vellora::BoldNamePrefix(who);
        line.Text = vellora::BoldNameInText(L"member7: (listening to: Artist - Title " + std::to_wstring(n) + L")",
                                            L"member7");
        break;
    }
    return line;
}

void Pump() {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}

struct Memory {
    double heapMb, workingMb;
};

// What the process's heaps hold in busy blocks: the memory in use, apart
// from what the heaps keep free for later.
double HeapBusyMb() {
    HANDLE heaps[64];
    const DWORD count = GetProcessHeaps(64, heaps);
    double busy = 0;
    for (DWORD i = 0; i < count && i < 64; ++i) {
        if (!HeapLock(heaps[i])) continue;
        PROCESS_HEAP_ENTRY entry{};
        while (HeapWalk(heaps[i], &entry)) {
            if (entry.wFlags & PROCESS_HEAP_ENTRY_BUSY) busy += entry.cbData;
        }
        HeapUnlock(heaps[i]);
    }
    return busy / 1048576.0;
}

Memory Now() {
    PROCESS_MEMORY_COUNTERS pmc{};
    pmc.cb = sizeof(pmc);
    GetProcessMemoryInfo(GetCurrentProcess(), &pmc, sizeof(pmc));
    return {HeapBusyMb(), pmc.WorkingSetSize / 1048576.0};
}

}  // namespace

int main(int argc, char** argv) {
    const int lines = argc > 1 ? std::atoi(argv[1]) : 10000;
    const int restreamEvery = argc > 2 ? std::atoi(argv[2]) : 0;
    const BenchPane bench = OpenBenchPane();
    if (!bench.control) return 1;
    HWND control = bench.control;

    vellora::Settings settings;
    settings.ShowTimes = true;
    vellora::RichEditPane pane(control);
    vellora::LineRing ring(vellora::kMainRingSize, vellora::kMainRtfCapacity);
    int next = 0;
    while (ring.Count() < ring.Size()) {
        vellora::BeginPaneBatch();
        for (int i = 0; i < kBatchLines; ++i) ring.Add(ChatLine(next++), settings, pane);
        vellora::EndPaneBatch();
        Pump();
    }
    const Memory full = Now();
    std::printf("full pane: heaps hold %.2f MB, working set %.1f MB\n", full.heapMb, full.workingMb);
    Memory last = full;
    for (int done = 0; done < lines;) {
        vellora::BeginPaneBatch();
        for (int i = 0; i < kBatchLines; ++i) ring.Add(ChatLine(next++), settings, pane);
        vellora::EndPaneBatch();
        Pump();
        done += kBatchLines;
        if (restreamEvery > 0 && done % restreamEvery == 0) ring.Rerender(settings, pane);
        if (done % 1000 == 0) {
            const Memory m = Now();
            std::printf("%6d lines more: heaps hold %.2f MB (%+.2f kB a line), working set %.1f MB (%+.2f kB a line)\n",
                        done, m.heapMb, (m.heapMb - last.heapMb) * 1024 / 1000, m.workingMb,
                        (m.workingMb - last.workingMb) * 1024 / 1000);
            std::fflush(stdout);
            last = m;
        }
    }
    std::printf("streams made: %lu\n", vellora::PaneStreamCount());
    CloseBenchPane(bench);
    return 0;
}
