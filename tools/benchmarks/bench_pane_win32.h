// The chat pane the pane benchmarks write into: a RichEdit control with the
// main window's pane style, text limit and chat font, in a visible window of
// its own, so that it lays out and paints as the program's pane does.
#pragma once

#include <windows.h>

#include <richedit.h>

#include <cstdio>

#include "text/chat_font_win32.h"
#include "text/rich_pane_win32.h"

struct BenchPane {
    HMODULE riched = nullptr;
    HWND top = nullptr;
    HWND control = nullptr;  // null (after saying so) when RichEdit cannot be had
};

inline BenchPane OpenBenchPane() {
    BenchPane b;
    b.riched = LoadLibraryW(L"riched20.dll");
    b.top = CreateWindowExW(0, L"STATIC", L"bench", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 600, 400, nullptr,
                            nullptr, GetModuleHandleW(nullptr), nullptr);
    b.control = vellora::CreateRichEdit(WS_EX_CLIENTEDGE, L"", 0x5020494C, 0, 0, 580, 360, b.top);
    if (!b.riched || !b.control) {
        std::printf("no RichEdit control\n");
        b.control = nullptr;
        return b;
    }
    SendMessageW(b.control, EM_LIMITTEXT, vellora::kPaneTextLimit, 0);
    LOGFONTW base{};
    vellora::ReplaceChatFont(vellora::CreateChatFont(base));
    return b;
}

inline void CloseBenchPane(const BenchPane& b) {
    vellora::DeletePaneFonts();
    DestroyWindow(b.top);
    FreeLibrary(b.riched);
}
