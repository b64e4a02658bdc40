#pragma once

#include "platform/win32/Win32DeviceHeaders.h"

// One reference to a DirectSound object, passed straight through.
class Win32DirectSound final : public DirectSound {
public:
    explicit Win32DirectSound(IDirectSound* sound) : sound_(sound) {}
    Win32DirectSound(const Win32DirectSound&) = delete;
    Win32DirectSound& operator=(const Win32DirectSound&) = delete;

    DsResult SetCooperativeLevel(WindowHandle window, std::uint32_t level) override;
    std::uint32_t Release() override;

private:
    ~Win32DirectSound() = default;

    IDirectSound* sound_;
};
