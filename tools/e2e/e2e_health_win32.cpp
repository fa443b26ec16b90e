// Commands that watch how the program holds up over a long run: whether its
// window thread answers in time, and how many GDI and USER objects it holds.
#include "e2e_commands_win32.h"
#include "e2e_windows_win32.h"

#include <cstdio>

namespace e2e {

// A cross-process probe of the window thread: how long the program keeps a
// message waiting. Asks every 200 ms until the time is up or StopFile
// exists; fails when one answer took longer than the limit.
int Probe(DWORD seconds, DWORD limitMs, const wchar_t* stopFile) {
    DWORD longest = 0;
    int probes = 0;
    const DWORD start = GetTickCount();
    while (GetTickCount() - start < seconds * 1000) {
        if (stopFile && GetFileAttributesW(stopFile) != INVALID_FILE_ATTRIBUTES) break;
        HWND main = AnyMainWindow();
        if (main) {
            const DWORD sent = GetTickCount();
            DWORD_PTR result = 0;
            BOOL answered = SendMessageTimeoutW(main, WM_NULL, 0, 0, SMTO_NORMAL, limitMs + 60000, &result);
            const DWORD took = GetTickCount() - sent;
            if (answered || IsWindow(main)) {
                longest = took > longest ? took : longest;
                ++probes;
            }
        }
        Sleep(200);
    }
    std::printf("probe: %d answers, longest %lu ms (limit %lu ms)\n", probes, static_cast<unsigned long>(longest),
                static_cast<unsigned long>(limitMs));
    return probes > 0 && longest <= limitMs ? 0 : 1;
}

int Resources() {
    HWND main = AnyMainWindow();
    if (!main) return Say("no chat window"), 1;
    DWORD pid = 0;
    GetWindowThreadProcessId(main, &pid);
    HANDLE process = OpenProcess(PROCESS_QUERY_INFORMATION, FALSE, pid);
    if (!process) return Say("cannot open the program's process"), 1;
    std::printf("gdi=%lu user=%lu\n", GetGuiResources(process, GR_GDIOBJECTS),
                GetGuiResources(process, GR_USEROBJECTS));
    CloseHandle(process);
    return 0;
}

}  // namespace e2e
