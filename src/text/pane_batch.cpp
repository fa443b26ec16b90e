#include "text/pane_batch.h"

#include <algorithm>
#include <vector>

namespace vellora {
namespace {

int g_depth = 0;
std::vector<HeldPane*> g_held;

}  // namespace

void BeginPaneBatch() { ++g_depth; }

void EndPaneBatch() {
    if (g_depth == 0 || --g_depth > 0) return;
    // One at a time: a ring that goes away meanwhile leaves the list.
    while (!g_held.empty()) {
        HeldPane* pane = g_held.front();
        g_held.erase(g_held.begin());
        pane->ShowHeld();
    }
}

bool PaneBatchOpen() { return g_depth > 0; }

void HoldUntilBatchEnds(HeldPane& pane) {
    if (std::find(g_held.begin(), g_held.end(), &pane) == g_held.end()) g_held.push_back(&pane);
}

void ForgetHeldPane(HeldPane& pane) { std::erase(g_held, &pane); }

}  // namespace vellora
