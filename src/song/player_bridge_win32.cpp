#include "song/player_bridge_win32.h"

#include <windows.h>

#include <cstring>

namespace vellora {
namespace {

constexpr wchar_t kPlayerWindowClass[] = L"SonarVista10046CustomClassMSG";
constexpr wchar_t kPlayerWindowTitle[] = L"SonarVista";
constexpr wchar_t kPlayerMappingName[] = L"sonarvista_1234";
constexpr WPARAM kPlayerRequest = 801;
constexpr LPARAM kPlayerRequestTag = 1234;
constexpr LONG_PTR kLargestValidAnswer = 511;

}  // namespace

bool ReadPlayerState(PlayerInfo& info) {
    HWND player = FindWindowW(kPlayerWindowClass, kPlayerWindowTitle);
    if (!player) return false;

    // The player writes into this block while it answers; whoever comes
    // first creates it, the other opens the same one.
    HANDLE mapping = CreateFileMappingW(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0,
                                        static_cast<DWORD>(kPlayerBlockSize), kPlayerMappingName);
    if (!mapping) return false;
    void* view = MapViewOfFile(mapping, FILE_MAP_ALL_ACCESS, 0, 0, kPlayerBlockSize);
    if (!view) {
        CloseHandle(mapping);
        return false;
    }

    // Synchronous, but a hung player must not freeze the chat for good.
    DWORD_PTR answer = 0;
    LRESULT delivered = SendMessageTimeoutW(player, WM_COMMAND, kPlayerRequest, kPlayerRequestTag,
                                            SMTO_NORMAL | SMTO_ABORTIFHUNG, kPlayerAnswerTimeoutMs, &answer);
    LONG_PTR length = static_cast<LONG_PTR>(answer);
    bool ok = delivered != 0 && length >= 1 && length <= kLargestValidAnswer;
    if (ok) {
        unsigned char block[kPlayerBlockSize];
        std::memcpy(block, view, sizeof block);
        ok = ReadPlayerBlock(block, sizeof block, info);
    }

    UnmapViewOfFile(view);
    CloseHandle(mapping);
    return ok;
}

}  // namespace vellora
