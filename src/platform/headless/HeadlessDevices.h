#pragma once

#include <cstdint>
#include <vector>

#include "devices/DevicePlatform.h"
#include "devices/SoundCues.h"
#include "platform/headless/HeadlessLog.h"

class HeadlessShell;

// DirectInput with a scripted keyboard and DirectSound with no audio, both
// able to fail on request; the game's sound cues are only written to the log. A key is down while
// game time lies in one of its pressed intervals; game time is read from the shell the devices were
// given.
class HeadlessDevices final : public DevicePlatform, public SoundCues {
public:
    HeadlessDevices(HeadlessShell* clock, HeadlessLog* log);
    ~HeadlessDevices();
    HeadlessDevices(const HeadlessDevices&) = delete;
    HeadlessDevices& operator=(const HeadlessDevices&) = delete;

    DiResult DirectInputCreateA(InstanceHandle instance, std::uint32_t version,
                                DirectInput** out) override;
    DsResult DirectSoundCreate(const SoundDeviceGuid* device, DirectSound** out) override;
    void cue(SoundCue cue) override;

    // Key `code` (a DIK_ code) is down for from <= game time < to.
    void press(int code, std::int32_t from, std::int32_t to = INT32_MAX);
    // Down from now on, whatever the script says; used to end a run that
    // would otherwise wait for a key for ever.
    void forceDown(int code);
    void clearKeys();
    bool isScriptedDown(int code, std::int32_t gameTime) const;
    // The keyboard's 256 bytes at `gameTime`: 0x80 for a key down.
    void fillSnapshot(std::int32_t gameTime, std::uint8_t* keys) const;

    // Failure injection: the results the next calls give.
    void setDirectInputResult(DiResult result) { directInputResult_ = result; }
    void setCreateDeviceResult(DiResult result) { createDeviceResult_ = result; }
    void setAcquireResult(DiResult result) { acquireResult_ = result; }
    void setDeviceStateResult(DiResult result) { deviceStateResult_ = result; }
    void setDirectSoundResult(DsResult result) { directSoundResult_ = result; }
    void setSoundLevelResult(DsResult result) { soundLevelResult_ = result; }

    int directInputCreateCalls() const { return directInputCreateCalls_; }
    int directSoundCreateCalls() const { return directSoundCreateCalls_; }
    int keyboardReads() const { return keyboardReads_; }
    // Platform objects handed out and not yet released, for leak checks.
    int liveObjects() const { return liveObjects_; }

    // Internal: used by the objects these devices hand out.
    struct Impl;

private:
    friend struct Impl;
    struct Press {
        int code;
        std::int32_t from;
        std::int32_t to;
    };

    HeadlessShell* clock_;
    HeadlessLog* log_;
    std::vector<Press> presses_;
    bool forced_[256] = {};
    DiResult directInputResult_ = 0;
    DiResult createDeviceResult_ = 0;
    DiResult acquireResult_ = 0;
    DiResult deviceStateResult_ = 0;
    DsResult directSoundResult_ = 0;
    DsResult soundLevelResult_ = 0;
    int directInputCreateCalls_ = 0;
    int directSoundCreateCalls_ = 0;
    int keyboardReads_ = 0;
    int liveObjects_ = 0;
};
