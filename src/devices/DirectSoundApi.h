#pragma once

#include <cstdint>

#include "base/Handles.h"

// The devices' seam to the platform for sound: DirectSound creation and its
// cooperative level, nothing more. Zero is success.

using DsResult = std::int32_t;

constexpr DsResult DS_OK = 0;
constexpr DsResult DSERR_NODRIVER = static_cast<DsResult>(0x88780078u);
constexpr DsResult DSERR_INVALIDPARAM = static_cast<DsResult>(0x80070057u);
constexpr std::uint32_t DSSCL_NORMAL = 1;

struct SoundDeviceGuid;

class DirectSound {
public:
    virtual DsResult SetCooperativeLevel(WindowHandle window, std::uint32_t level) = 0;
    virtual std::uint32_t Release() = 0;

protected:
    ~DirectSound() = default;
};
