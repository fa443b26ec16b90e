#include "notify/sounds.h"

#include <array>

namespace vellora {

const wchar_t* SystemSoundAlias(std::int32_t kind) {
    static constexpr std::array<const wchar_t*, 8> kAliases = {
        L"SystemAsterisk", L"SystemQuestion", L"SystemHand",    L"SystemExit",
        L"SystemStart",    L"SystemWelcome",  L"SystemExclamation", L"SystemDefault"};
    if (kind < kSoundAsterisk || kind > kSoundDefault) return nullptr;
    return kAliases[static_cast<std::size_t>(kind - 1)];
}

bool PlaySnd(SoundDevice& device, std::int32_t kind, const std::wstring& name, bool async, bool noDefault) {
    if (const wchar_t* alias = SystemSoundAlias(kind)) return device.Start(kind, alias, async, noDefault);
    if (kind == kSoundAliasNamed || kind == kSoundFile || kind == kSoundResource) {
        if (kind == kSoundResource && name.empty()) return false;
        return device.Start(kind, name, async, noDefault);
    }
    device.Stop();
    return false;
}

bool PlayFallbackSound(SoundDevice& device, bool async) {
    for (std::int32_t kind : {kSoundDefault, kSoundExclamation, kSoundAsterisk, kSoundQuestion, kSoundHand}) {
        if (PlaySnd(device, kind, L"", async, true)) return true;
    }
    return false;
}

bool PlaySoundEx(SoundDevice& device, const std::wstring& resource, const std::wstring& file,
                 std::int32_t fallbackKind, bool async) {
    if (!file.empty() && PlaySnd(device, kSoundFile, file, async, true)) return true;
    if (PlaySnd(device, kSoundResource, resource, async, true)) return true;
    if (fallbackKind < 1 || fallbackKind > 15) return false;
    return PlaySnd(device, fallbackKind, L"", async, true) || PlayFallbackSound(device, async);
}

bool LooksLikeWave(std::string_view head) {
    return head.size() >= 12 && head.substr(0, 4) == "RIFF" && head.substr(8, 4) == "WAVE";
}

void NotificationSound::Play(const std::wstring& file) {
    if (PlaySoundEx(device_, kNotifySoundResource, file, kSoundQuestion, true)) {
        SetPlaying(true);
    } else if (playing_) {
        Stop();
    }
}

void NotificationSound::Stop() {
    if (!playing_) return;
    PlaySnd(device_, kSoundStop, L"", true, false);
    SetPlaying(false);
}

void NotificationSound::SetPlaying(bool playing) {
    playing_ = playing;
    if (playingChanged_) playingChanged_(playing);
}

}  // namespace vellora
