#include "text/rich_pane_win32.h"

#include <richedit.h>

#include <algorithm>

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
HWND g_frozenPane = nullptr;

void StreamIn(HWND pane, std::string_view rtf, WPARAM format) {
    StreamSource src{rtf.data(), rtf.size(), 0};
    EDITSTREAM es{};
    es.dwCookie = reinterpret_cast<DWORD_PTR>(&src);
    es.pfnCallback = ReadStreamChunk;
    SendMessageW(pane, EM_STREAMIN, format, reinterpret_cast<LPARAM>(&es));
    ++g_streamCount;
}

}  // namespace

HWND CreateRichEdit(DWORD exStyle, const wchar_t* text, DWORD style, int x, int y, int width, int height,
                    HWND parent) {
    return CreateWindowExW(exStyle, L"RichEdit20A", text, style, x, y, width, height, parent,
                           reinterpret_cast<HMENU>(static_cast<INT_PTR>(kRichEditControlId)), ProgramInstance(),
                           nullptr);
}

void SetFrozenPane(HWND pane) { g_frozenPane = pane; }

HWND FrozenPane() { return g_frozenPane; }

void ShowLastLine(HWND pane) {
    SendMessageW(pane, EM_SETSEL, 0, 0);
    SendMessageW(pane, EM_SETSEL, static_cast<WPARAM>(-1), -1);
}

void StreamRtfNow(HWND pane, std::string_view document, bool scrollToEnd) {
    if (!pane) return;
    // The control's own default is a bold system font: set ours each time.
    SendMessageW(pane, WM_SETFONT, reinterpret_cast<WPARAM>(ChatFont()), FALSE);
    StreamIn(pane, document, SF_RTF);
    if (scrollToEnd) ShowLastLine(pane);
}

void StreamRtfIntoSelection(HWND pane, std::string_view rtf) { StreamIn(pane, rtf, SF_RTF | SFF_SELECTION); }

void StreamPane(HWND pane, std::string_view document) {
    if (pane) StreamRtfNow(pane, document, pane != g_frozenPane);
}

unsigned long PaneStreamCount() { return g_streamCount; }

}  // namespace vellora
