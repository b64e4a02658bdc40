#pragma once

// GoogleMock stand-ins for the devices' platform seam: the DirectInput object,
// its device interfaces, the DirectSound object and the entry points that
// create them. Header-only so that every test program can use them.

#include <gmock/gmock.h>

#include <cstdint>

#include "devices/DevicePlatform.h"
#include "devices/DirectInputApi.h"
#include "devices/DirectSoundApi.h"

class MockDirectInputDevice : public DirectInputDevice {
public:
    virtual ~MockDirectInputDevice() = default;
    MOCK_METHOD(DiResult, SetDataFormat, (DiDataFormat format), (override));
    MOCK_METHOD(DiResult, SetCooperativeLevel, (WindowHandle window, std::uint32_t flags),
                (override));
    MOCK_METHOD(DiResult, Acquire, (), (override));
    MOCK_METHOD(DiResult, Unacquire, (), (override));
    MOCK_METHOD(DiResult, GetDeviceState, (std::uint32_t size, void* data), (override));
    MOCK_METHOD(DiResult, SetProperty, (const DiPropRange* range), (override));
    MOCK_METHOD(DiResult, QueryInterface, (const DiGuid& iid, DirectInputDevice2** out),
                (override));
    MOCK_METHOD(std::uint32_t, Release, (), (override));
};

class MockDirectInputDevice2 : public DirectInputDevice2 {
public:
    virtual ~MockDirectInputDevice2() = default;
    MOCK_METHOD(DiResult, SetDataFormat, (DiDataFormat format), (override));
    MOCK_METHOD(DiResult, SetCooperativeLevel, (WindowHandle window, std::uint32_t flags),
                (override));
    MOCK_METHOD(DiResult, Acquire, (), (override));
    MOCK_METHOD(DiResult, Unacquire, (), (override));
    MOCK_METHOD(DiResult, GetDeviceState, (std::uint32_t size, void* data), (override));
    MOCK_METHOD(DiResult, SetProperty, (const DiPropRange* range), (override));
    MOCK_METHOD(DiResult, QueryInterface, (const DiGuid& iid, DirectInputDevice2** out),
                (override));
    MOCK_METHOD(std::uint32_t, Release, (), (override));
    MOCK_METHOD(DiResult, Poll, (), (override));
};

class MockDirectInput : public DirectInput {
public:
    virtual ~MockDirectInput() = default;
    MOCK_METHOD(DiResult, CreateDevice, (const DiGuid& guid, DirectInputDevice** out), (override));
    MOCK_METHOD(DiResult, EnumDevices,
                (std::uint32_t devType, DiEnumDevicesCallback callback, void* context,
                 std::uint32_t flags),
                (override));
    MOCK_METHOD(std::uint32_t, Release, (), (override));
};

class MockDirectSound : public DirectSound {
public:
    virtual ~MockDirectSound() = default;
    MOCK_METHOD(DsResult, SetCooperativeLevel, (WindowHandle window, std::uint32_t level),
                (override));
    MOCK_METHOD(std::uint32_t, Release, (), (override));
};

class MockDevicePlatform : public DevicePlatform {
public:
    virtual ~MockDevicePlatform() = default;
    MOCK_METHOD(DiResult, DirectInputCreateA,
                (InstanceHandle instance, std::uint32_t version, DirectInput** out), (override));
    MOCK_METHOD(DsResult, DirectSoundCreate, (const SoundDeviceGuid* device, DirectSound** out),
                (override));
};

// Installs a device platform for the lifetime of the object.
class ScopedDevicePlatform {
public:
    explicit ScopedDevicePlatform(DevicePlatform* platform) { installDevicePlatform(platform); }
    ~ScopedDevicePlatform() { installDevicePlatform(nullptr); }
    ScopedDevicePlatform(const ScopedDevicePlatform&) = delete;
    ScopedDevicePlatform& operator=(const ScopedDevicePlatform&) = delete;
};
