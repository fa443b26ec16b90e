#include "notify/sound_win32.h"

#include <commdlg.h>
#include <mmsystem.h>

#include <vector>

#include "dialogs/toolkit_win32.h"

namespace vellora {
namespace {

PlaySoundCall& PlaySoundSink() {
    static PlaySoundCall call;
    return call;
}

bool CallPlaySound(const wchar_t* sound, HMODULE module, DWORD flags) {
    if (PlaySoundCall& call = PlaySoundSink()) return call(sound, module, flags);
    return PlaySoundW(sound, module, flags) != FALSE;
}

// The file handle, closed on leaving the scope.
struct FileHandle {
    HANDLE h;
    ~FileHandle() {
        if (h != INVALID_HANDLE_VALUE) CloseHandle(h);
    }
};

}  // namespace

void SetPlaySoundCall(PlaySoundCall call) { PlaySoundSink() = std::move(call); }

bool IsWaveFile(const std::wstring& path) {
    if (path.empty()) return false;
    FileHandle file{CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr)};
    // Only a file on disk: a pipe or a device named in the settings could
    // keep the read waiting.
    if (file.h == INVALID_HANDLE_VALUE || GetFileType(file.h) != FILE_TYPE_DISK) return false;
    char head[12] = {};
    DWORD got = 0;
    if (!ReadFile(file.h, head, sizeof(head), &got, nullptr)) return false;
    return LooksLikeWave(std::string_view(head, got));
}

bool WaveSoundDevice::Start(std::int32_t kind, const std::wstring& name, bool async, bool noDefault) {
    DWORD flags = (async ? SND_ASYNC : SND_SYNC) | (noDefault ? SND_NODEFAULT : 0);
    HMODULE module = nullptr;
    if (kind == kSoundFile) {
        if (!IsWaveFile(name)) return false;
        flags |= SND_FILENAME;
    } else if (kind == kSoundResource) {
        if (!FindResourceW(ProgramInstance(), name.c_str(), L"WAVE")) return false;
        module = ProgramInstance();
        flags |= SND_RESOURCE;
    } else {
        flags |= SND_ALIAS;
    }
    return CallPlaySound(name.c_str(), module, flags);
}

void WaveSoundDevice::Stop() { CallPlaySound(nullptr, nullptr, SND_ASYNC | SND_NOWAIT); }

bool ChooseWaveFile(HWND owner, std::wstring& file) {
    std::vector<wchar_t> buffer(32768, L'\0');
    if (file.size() < buffer.size()) std::copy(file.begin(), file.end(), buffer.begin());
    // Not translated: these two texts are the same in every language.
    static constexpr wchar_t kFilter[] = L"Sound files (*.wav)\0*.wav\0";
    OPENFILENAMEW ofn{};
    ofn.lStructSize = sizeof(ofn);
    ofn.hwndOwner = owner;
    ofn.lpstrFilter = kFilter;
    ofn.lpstrFile = buffer.data();
    ofn.nMaxFile = static_cast<DWORD>(buffer.size());
    ofn.lpstrTitle = L"Choose sound file";
    ofn.Flags = OFN_EXPLORER | OFN_FILEMUSTEXIST | OFN_HIDEREADONLY;
    if (!GetOpenFileNameW(&ofn)) return false;
    file = buffer.data();
    return true;
}

}  // namespace vellora
