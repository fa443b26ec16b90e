#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "notify/sounds.h"

namespace vellora {
namespace {

// Plays the sources named in Playable and records every try.
struct FakeDevice : SoundDevice {
    std::set<std::wstring> playable;
    std::vector<std::wstring> tries;
    bool Start(std::int32_t kind, const std::wstring& name, bool, bool noDefault) override {
        EXPECT_TRUE(noDefault);
        tries.push_back(std::to_wstring(kind) + L":" + name);
        return playable.count(name) > 0;
    }
    void Stop() override { tries.push_back(L"stop"); }
};

TEST(SoundTest, TheFileThenTheOwnSoundThenTheSystemSounds) {
    FakeDevice device;
    std::vector<bool> told;
    NotificationSound sound(device, [&](bool playing) { told.push_back(playing); });
    device.playable = {L"C:\\ding.wav", L"#1000"};

    sound.Play(L"C:\\ding.wav");
    EXPECT_EQ(device.tries, (std::vector<std::wstring>{L"131072:C:\\ding.wav"}));
    device.tries.clear();
    sound.Play(L"");  // no file set
    sound.Play(L"C:\\missing.wav");
    EXPECT_EQ(device.tries, (std::vector<std::wstring>{L"262148:#1000", L"131072:C:\\missing.wav", L"262148:#1000"}));
    EXPECT_TRUE(sound.Playing());

    // Nothing plays: SystemQuestion, then the fallback order; the sound
    // that was playing stops.
    device.playable.clear();
    device.tries.clear();
    sound.Play(L"");
    EXPECT_EQ(device.tries, (std::vector<std::wstring>{L"262148:#1000", L"2:SystemQuestion", L"8:SystemDefault",
                                                       L"7:SystemExclamation", L"1:SystemAsterisk",
                                                       L"2:SystemQuestion", L"3:SystemHand", L"stop"}));
    EXPECT_FALSE(sound.Playing());
    sound.Stop();  // stopped already
    EXPECT_EQ(device.tries.back(), L"stop");
    EXPECT_EQ(told, (std::vector<bool>{true, true, true, false}));
}

TEST(SoundTest, OnlyWaveFilesAreTakenForSounds) {
    EXPECT_TRUE(LooksLikeWave(std::string("RIFF\x24\x10\0\0WAVEfmt ", 16)));
    EXPECT_FALSE(LooksLikeWave(std::string("RIFF\x24\x10\0\0AVI LIST", 16)));
    EXPECT_FALSE(LooksLikeWave("MZ\x90\0\x03\0\0\0\x04\0\0\0"));
    EXPECT_FALSE(LooksLikeWave("RIFF"));
}

}  // namespace
}  // namespace vellora
