#pragma once

#include <gmock/gmock.h>

#include <cstdint>
#include <cstring>

#include "devices/InputSystem.h"
#include "support/MockDevices.h"

// An InputSystem over a mocked DirectInput whose keyboard reports the keys
// the test holds down.
class ScriptedKeyboard {
public:
    ScriptedKeyboard() : scoped_(&platform_) {
        using ::testing::_;
        using ::testing::DoAll;
        using ::testing::Invoke;
        using ::testing::Return;
        using ::testing::SetArgPointee;
        ON_CALL(platform_, DirectInputCreateA(_, _, _))
            .WillByDefault(DoAll(SetArgPointee<2>(&directInput_), Return(DI_OK)));
        ON_CALL(directInput_, CreateDevice(_, _))
            .WillByDefault(DoAll(SetArgPointee<1>(&device_), Return(DI_OK)));
        ON_CALL(device_, GetDeviceState(_, _))
            .WillByDefault(Invoke([this](std::uint32_t size, void* data) {
                std::memcpy(data, keys_, size < sizeof keys_ ? size : sizeof keys_);
                return DI_OK;
            }));
        input.init(nullptr, nullptr, false);
    }
    ~ScriptedKeyboard() { input.teardown(); }

    // Holds exactly the given keys and polls, as the game does each update.
    void hold(std::initializer_list<int> codes) {
        std::memset(keys_, 0, sizeof keys_);
        for (int code : codes) keys_[code] = 0x80;
        input.poll();
    }

    InputSystem input;

private:
    ::testing::NiceMock<MockDevicePlatform> platform_;
    ::testing::NiceMock<MockDirectInput> directInput_;
    ::testing::NiceMock<MockDirectInputDevice> device_;
    ScopedDevicePlatform scoped_;
    std::uint8_t keys_[256] = {};
};
