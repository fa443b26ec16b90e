#include "text/rich_pane_win32.h"

#include <richedit.h>

#include <algorithm>
#include <utility>
#include <vector>

#include "dialogs/toolkit_win32.h"
#include "text/chat_font_win32.h"

namespace vellora {

namespace {

struct StreamSource {
    const char* data;
    std::size_t size;
    std::size_t pos;
};

DWORD CALLBACK ReadStreamChunk(DWORD_PTR cookie, LPBYTE buffer, LONG wanted, LONG* given) {
    auto* src = reinterpret_cast<StreamSource*>(cookie);
    std::size_t n = std::min<std::size_t>(static_cast<std::size_t>(wanted > 0 ? wanted : 0), src->size - src->pos);
    std::copy_n(src->data + src->pos, n, buffer);
    src->pos += n;
    *given = static_cast<LONG>(n);
    return 0;
}

unsigned long g_streamCount = 0;
int g_batchDepth = 0;
std::vector<std::pair<HWND, std::string>> g_heldBack;
HWND g_frozenPane = nullptr;

bool ScrollWanted(HWND pane) { return pane != g_frozenPane; }

}  // namespace

HWND CreateRichEdit(DWORD exStyle, const wchar_t* text, DWORD style, int x, int y, int width, int height,
                    HWND parent) {
    return CreateWindowExW(exStyle, L"RichEdit20A", text, style, x, y, width, height, parent,
                           reinterpret_cast<HMENU>(static_cast<INT_PTR>(kRichEditControlId)), ProgramInstance(),
                           nullptr);
}

void SetFrozenPane(HWND pane) { g_frozenPane = pane; }

void ShowLastLine(HWND pane) {
    SendMessageW(pane, EM_SETSEL, 0, 0);
    SendMessageW(pane, EM_SETSEL, static_cast<WPARAM>(-1), -1);
}

void StreamRtfNow(HWND pane, std::string_view document, bool scrollToEnd) {
    if (!pane) return;
    // The control's own default is a bold system font: set ours each time.
    SendMessageW(pane, WM_SETFONT, reinterpret_cast<WPARAM>(ChatFont()), FALSE);
    StreamSource src{document.data(), document.size(), 0};
    EDITSTREAM es{};
    es.dwCookie = reinterpret_cast<DWORD_PTR>(&src);
    es.pfnCallback = ReadStreamChunk;
    SendMessageW(pane, EM_STREAMIN, SF_RTF, reinterpret_cast<LPARAM>(&es));
    ++g_streamCount;
    if (scrollToEnd) ShowLastLine(pane);
}

void StreamPane(HWND pane, std::string document) {
    if (!pane) return;
    if (g_batchDepth == 0) {
        StreamRtfNow(pane, document, ScrollWanted(pane));
        return;
    }
    for (auto& held : g_heldBack) {
        if (held.first == pane) {
            held.second = std::move(document);
            return;
        }
    }
    g_heldBack.emplace_back(pane, std::move(document));
}

void BeginPaneBatch() { ++g_batchDepth; }

void EndPaneBatch() {
    if (g_batchDepth == 0 || --g_batchDepth > 0) return;
    auto held = std::move(g_heldBack);
    g_heldBack.clear();
    for (auto& [pane, document] : held) {
        if (IsWindow(pane)) StreamRtfNow(pane, document, ScrollWanted(pane));
    }
}

void ForgetPane(HWND pane) {
    std::erase_if(g_heldBack, [pane](const auto& held) { return held.first == pane; });
}

unsigned long PaneStreamCount() { return g_streamCount; }

}  // namespace vellora
