#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "devices/SoundSystem.h"
#include "platform/sdl/audio/SdlDirectSound.h"
#include "platform/sdl/shell/SdlPlatform.h"
#include "support/ScopedPlatform.h"

namespace {

// Points SDL at an audio driver for the duration of a test.
class ScopedAudioDriver {
public:
    explicit ScopedAudioDriver(const char* driver) {
        if (const char* old = std::getenv("SDL_AUDIODRIVER")) saved_ = old;
        setenv("SDL_AUDIODRIVER", driver, 1);
    }
    ~ScopedAudioDriver() {
        if (saved_.empty()) {
            unsetenv("SDL_AUDIODRIVER");
        } else {
            setenv("SDL_AUDIODRIVER", saved_.c_str(), 1);
        }
    }

private:
    std::string saved_;
};

class SdlSoundTest : public ::testing::Test {
protected:
    void SetUp() override {
        // The driver is chosen when SDL's audio comes up; it must be down.
        if (SDL_WasInit(SDL_INIT_AUDIO)) GTEST_SKIP() << "audio already up in this process";
    }
    DevicePlatform& devices() { return platform_.devices(); }

    SdlPlatform platform_;
};

TEST_F(SdlSoundTest, OpensASilentDeviceAndClosesItOnRelease) {
    ScopedAudioDriver driver("dummy");
    DirectSound* sound = nullptr;
    ASSERT_EQ(devices().DirectSoundCreate(nullptr, &sound), DS_OK);
    ASSERT_NE(sound, nullptr);
    const SDL_AudioDeviceID id = static_cast<SdlDirectSound*>(sound)->audioDevice();
    EXPECT_EQ(SDL_GetAudioDeviceStatus(id), SDL_AUDIO_PAUSED);
    EXPECT_EQ(sound->SetCooperativeLevel(nullptr, DSSCL_NORMAL), DS_OK);
    EXPECT_EQ(sound->SetCooperativeLevel(nullptr, 0), DSERR_INVALIDPARAM);

    EXPECT_EQ(sound->Release(), 0u);
    EXPECT_EQ(SDL_GetAudioDeviceStatus(id), SDL_AUDIO_STOPPED);
    EXPECT_EQ(SDL_WasInit(SDL_INIT_AUDIO), 0u);
}

TEST_F(SdlSoundTest, SoundSystemHoldsTheDeviceUntilReleased) {
    ScopedAudioDriver driver("dummy");
    ScopedDevicePlatform installed{&devices()};
    SoundSystem system;
    ASSERT_EQ(system.create(nullptr, nullptr, DSSCL_NORMAL), 1);
    const SDL_AudioDeviceID id = static_cast<SdlDirectSound*>(system.directSound())->audioDevice();
    EXPECT_EQ(SDL_GetAudioDeviceStatus(id), SDL_AUDIO_PAUSED);
    // Created again, then released: a first device left open would keep
    // SDL's audio up.
    ASSERT_EQ(system.create(nullptr, nullptr, DSSCL_NORMAL), 1);
    EXPECT_EQ(system.release(), 1);
    EXPECT_EQ(SDL_WasInit(SDL_INIT_AUDIO), 0u);
}

TEST_F(SdlSoundTest, NoAudioDriverMeansNoDriverAndNothingHeld) {
    ScopedAudioDriver driver("no-such-driver");
    DirectSound* sound = reinterpret_cast<DirectSound*>(&driver);
    EXPECT_EQ(devices().DirectSoundCreate(nullptr, &sound), DSERR_NODRIVER);
    EXPECT_EQ(sound, nullptr);

    ScopedDevicePlatform installed{&devices()};
    SoundSystem system;
    EXPECT_EQ(system.create(nullptr, nullptr, DSSCL_NORMAL), 0);
    EXPECT_EQ(system.directSound(), nullptr);
    EXPECT_EQ(SDL_WasInit(SDL_INIT_AUDIO), 0u);
}

}  // namespace
