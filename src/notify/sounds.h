#pragma once
// Which notification sound plays: the user's wave file, else the program's
// own wave sound, else a system sound, tried in that order until one starts.
// The sound device carries out a single try; what it reports is whether the
// sound started.

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

namespace vellora {

// Sound sources (SoundKind). The system sounds 1 to 8 are named aliases; the
// three flag values name a source of their own; any other value stops.
enum SoundKind : std::int32_t {
    kSoundStop = 0,
    kSoundAsterisk = 1,
    kSoundQuestion = 2,
    kSoundHand = 3,
    kSoundExit = 4,
    kSoundStart = 5,
    kSoundWelcome = 6,
    kSoundExclamation = 7,
    kSoundDefault = 8,
    kSoundAliasNamed = 0x10000,  // a system sound alias named by the caller
    kSoundFile = 0x20000,        // a wave file by path
    kSoundResource = 0x40004,    // a wave resource of the program
};

// The program's own notification sound: wave resource 1000.
inline constexpr const wchar_t* kNotifySoundResource = L"#1000";

// The alias of system sounds 1 to 8 ("SystemQuestion", ...), else null.
const wchar_t* SystemSoundAlias(std::int32_t kind);

// Plays one sound source. Start is asked only for kinds 1 to 8 (Name is the
// alias) and the three source kinds; it answers whether the sound started.
class SoundDevice {
public:
    virtual ~SoundDevice() = default;
    virtual bool Start(std::int32_t kind, const std::wstring& name, bool async, bool noDefault) = 0;
    virtual void Stop() = 0;
};

// One try of source Kind with Name (the alias for 1 to 8 is filled in); any
// other kind stops what plays. A resource without a name never plays.
bool PlaySnd(SoundDevice& device, std::int32_t kind, const std::wstring& name, bool async, bool noDefault);
// The system sounds in the order default, exclamation, asterisk, question,
// hand, until one starts.
bool PlayFallbackSound(SoundDevice& device, bool async);
// The file if one is named, else (or when it does not play) the resource,
// else the system sound FallbackKind (1 to 15), else the fallback order.
bool PlaySoundEx(SoundDevice& device, const std::wstring& resource, const std::wstring& file,
                 std::int32_t fallbackKind, bool async);

// True when Head (a file's first bytes) opens a RIFF file of form WAVE: the
// only files handed to the player. Anything else named as the sound file
// counts as unplayable.
bool LooksLikeWave(std::string_view head);

// The notification sound and whether it is playing (SoundPlaying, which the
// settings sheet's stop button follows; told through PlayingChanged). It
// stays set when a sound ends by itself.
class NotificationSound {
public:
    NotificationSound(SoundDevice& device, std::function<void(bool)> playingChanged)
        : device_(device), playingChanged_(std::move(playingChanged)) {}

    // The user's File, else the embedded sound, else "SystemQuestion", else
    // the first system sound that plays; nothing playable stops the sound.
    void Play(const std::wstring& file);
    void Stop();
    bool Playing() const { return playing_; }

private:
    void SetPlaying(bool playing);

    SoundDevice& device_;
    std::function<void(bool)> playingChanged_;
    bool playing_ = false;
};

}  // namespace vellora
