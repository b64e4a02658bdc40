#pragma once

// GoogleMock stand-ins for the devices' platform seam: the DirectInput object,
// its device interfaces, the DirectSound object and the entry points that
// create them, with the fixture that installs them. Header-only so that
// every test program can use them.

#include <gmock/gmock.h>

#include <cstdint>

#include "devices/DevicePlatform.h"
#include "devices/DirectInputApi.h"
#include "devices/DirectSoundApi.h"
#include "support/ScopedPlatform.h"

// The calls of DirectInputDevice, mocked on either device interface.
template <typename Interface>
class MockInputDeviceOf : public Interface {
public:
    virtual ~MockInputDeviceOf() = default;
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

using MockDirectInputDevice = MockInputDeviceOf<DirectInputDevice>;

class MockDirectInputDevice2 : public MockInputDeviceOf<DirectInputDevice2> {
public:
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

// The fixture of a device class's mock test: strict mocks of the platform,
// installed for the test's lifetime, and of the DirectInput object.
class MockDevicesTest : public ::testing::Test {
protected:
    // The window and instance handed to the devices: distinct values that
    // nothing dereferences.
    static inline const WindowHandle kWindow = reinterpret_cast<WindowHandle>(0x1000);
    static inline const InstanceHandle kInstance = reinterpret_cast<InstanceHandle>(0x2000);

    // DirectInputCreateA, for DirectInput 7 (0x0700) and the test's instance, hands
    // out the mock DirectInput object.
    void expectDirectInput() {
        using ::testing::_;
        EXPECT_CALL(platform, DirectInputCreateA(kInstance, 0x0700u, _))
            .WillOnce(::testing::DoAll(::testing::SetArgPointee<2>(&directInput),
                                       ::testing::Return(DI_OK)));
    }

    ::testing::StrictMock<MockDevicePlatform> platform;
    ScopedDevicePlatform scoped{&platform};
    ::testing::StrictMock<MockDirectInput> directInput;
};
