#pragma once
// The notification sounds on Windows: PlaySound with the user's wave file,
// the program's wave resource or a system sound alias; and the open-file
// dialog in which the user picks the sound file.

#include <windows.h>

#include <functional>
#include <string>

#include "notify/sounds.h"

namespace vellora {

// The one PlaySound call. Under Wine an asynchronous PlaySound reports
// success even when nothing plays, so tests put a recorder in its place and
// see what would have played. An empty function restores PlaySoundW.
using PlaySoundCall = std::function<bool(const wchar_t* sound, HMODULE module, DWORD flags)>;
void SetPlaySoundCall(PlaySoundCall call);

// True when Path names a wave file on disk that can be read.
bool IsWaveFile(const std::wstring& path);

// The program's sound device. A sound file is handed to PlaySound only as a
// file (never as an alias, never run), and only when it is a wave file: a
// missing or unplayable one does not start, so the next source is tried.
class WaveSoundDevice : public SoundDevice {
public:
    bool Start(std::int32_t kind, const std::wstring& name, bool async, bool noDefault) override;
    void Stop() override;
};

// The open-file dialog for a wave file ("Sound files (*.wav)"), starting at
// File; false when the user cancels.
bool ChooseWaveFile(HWND owner, std::wstring& file);

}  // namespace vellora
