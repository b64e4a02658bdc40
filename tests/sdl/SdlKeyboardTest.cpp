#include <gtest/gtest.h>

#include <algorithm>

#include "devices/InputSystem.h"
#include "platform/sdl/input/SdlDevicePlatform.h"
#include "platform/sdl/input/SdlInputDevice.h"
#include "platform/sdl/input/SdlPlayerKeys.h"
#include "support/ScopedPlatform.h"

namespace {

// SDL's keyboard with focus and keys set by the test: a windowless SDL never
// gives a window the keyboard focus.
class FakeKeyboardSource final : public SdlPlayerKeys {
public:
    SDL_Window* keyboardFocus() override { return focus; }
    const Uint8* keyboardState(int* count) override {
        *count = SDL_NUM_SCANCODES;
        return state;
    }

    SDL_Window* focus = nullptr;
    Uint8 state[SDL_NUM_SCANCODES] = {};
};

class SdlKeyboardTest : public ::testing::Test {
protected:
    bool anyKeyDown() const {
        const auto& keys = input.keyboard()->keys();
        return std::any_of(std::begin(keys), std::end(keys), [](std::uint8_t k) { return k; });
    }

    // Only compared with the focus, never used as a window.
    int windowObject = 0;
    SDL_Window* window = reinterpret_cast<SDL_Window*>(&windowObject);
    FakeKeyboardSource source;
    SdlDevicePlatform platform{&source};
    ScopedDevicePlatform installed{&platform};
    InputSystem input;
};

TEST_F(SdlKeyboardTest, KeysReadOnlyWhileTheGameWindowHasTheFocus) {
    input.init(reinterpret_cast<WindowHandle>(window), nullptr, false);
    source.state[SDL_SCANCODE_SPACE] = 1;
    source.state[SDL_SCANCODE_LEFT] = 1;

    int otherObject = 0;
    source.focus = reinterpret_cast<SDL_Window*>(&otherObject);
    EXPECT_EQ(input.poll(), 0);
    EXPECT_FALSE(anyKeyDown());

    source.focus = window;
    EXPECT_EQ(input.poll(), 1);
    EXPECT_TRUE(input.isKeyDown(DIK_SPACE));
    EXPECT_TRUE(input.isKeyDown(DIK_LEFT));
    EXPECT_FALSE(input.isKeyDown(DIK_RIGHT));

    source.state[SDL_SCANCODE_LEFT] = 0;
    source.state[SDL_SCANCODE_RIGHT] = 1;
    EXPECT_EQ(input.poll(), 1);
    EXPECT_FALSE(input.isKeyDown(DIK_LEFT));
    EXPECT_TRUE(input.isKeyDown(DIK_RIGHT));
}

TEST_F(SdlKeyboardTest, KeyHeldWhileTheFocusGoesDoesNotStayDown) {
    input.init(reinterpret_cast<WindowHandle>(window), nullptr, false);
    source.focus = window;
    source.state[SDL_SCANCODE_SPACE] = 1;
    ASSERT_EQ(input.poll(), 1);
    ASSERT_TRUE(input.isKeyDown(DIK_SPACE));

    // Another window comes to the front; SDL's own state may still say
    // Space is down, but the game must not see it.
    source.focus = nullptr;
    EXPECT_EQ(input.poll(), 0);
    EXPECT_FALSE(anyKeyDown());
    EXPECT_EQ(input.poll(), 0);
    EXPECT_FALSE(anyKeyDown());

    source.focus = window;
    source.state[SDL_SCANCODE_SPACE] = 0;
    source.state[SDL_SCANCODE_P] = 1;
    EXPECT_EQ(input.poll(), 1);
    EXPECT_TRUE(input.isKeyDown(DIK_P));
    EXPECT_FALSE(input.isKeyDown(DIK_SPACE));
}

TEST_F(SdlKeyboardTest, DeviceFollowsDirectInputsAcquireRules) {
    DirectInput* directInput = nullptr;
    ASSERT_EQ(platform.DirectInputCreateA(nullptr, 0x0700, &directInput), DI_OK);
    DirectInputDevice* keyboard = nullptr;
    ASSERT_EQ(directInput->CreateDevice(GUID_SysKeyboard, &keyboard), DI_OK);
    std::uint8_t keys[256] = {};

    // No data format yet, then the wrong one.
    EXPECT_EQ(keyboard->Acquire(), DIERR_INVALIDPARAM);
    EXPECT_EQ(keyboard->SetDataFormat(DiDataFormat::Joystick), DIERR_INVALIDPARAM);
    ASSERT_EQ(keyboard->SetDataFormat(DiDataFormat::Keyboard), DI_OK);
    const auto handle = reinterpret_cast<WindowHandle>(window);
    EXPECT_EQ(keyboard->SetCooperativeLevel(
                  handle, DISCL_EXCLUSIVE | DISCL_NONEXCLUSIVE | DISCL_FOREGROUND),
              DIERR_INVALIDPARAM);
    EXPECT_EQ(keyboard->SetCooperativeLevel(nullptr, DISCL_NONEXCLUSIVE | DISCL_FOREGROUND),
              DIERR_INVALIDPARAM);
    ASSERT_EQ(keyboard->SetCooperativeLevel(handle, DISCL_NONEXCLUSIVE | DISCL_FOREGROUND), DI_OK);

    EXPECT_EQ(keyboard->GetDeviceState(256, keys), DIERR_NOTACQUIRED);
    EXPECT_EQ(keyboard->Acquire(), DIERR_OTHERAPPHASPRIO);
    source.focus = window;
    EXPECT_EQ(keyboard->Acquire(), DI_OK);
    EXPECT_EQ(keyboard->Acquire(), DI_NOEFFECT);
    EXPECT_EQ(keyboard->GetDeviceState(255, keys), DIERR_INVALIDPARAM);
    EXPECT_EQ(keyboard->GetDeviceState(256, keys), DI_OK);

    // Losing the focus: lost once, then not acquired until acquired again.
    source.focus = nullptr;
    EXPECT_EQ(keyboard->GetDeviceState(256, keys), DIERR_INPUTLOST);
    EXPECT_EQ(keyboard->GetDeviceState(256, keys), DIERR_NOTACQUIRED);
    source.focus = window;
    EXPECT_EQ(keyboard->GetDeviceState(256, keys), DIERR_NOTACQUIRED);
    EXPECT_EQ(keyboard->Acquire(), DI_OK);
    EXPECT_EQ(keyboard->Unacquire(), DI_OK);
    EXPECT_EQ(keyboard->Unacquire(), DI_NOEFFECT);

    // In the background the focus does not matter.
    source.focus = nullptr;
    ASSERT_EQ(keyboard->SetCooperativeLevel(handle, DISCL_NONEXCLUSIVE | DISCL_BACKGROUND), DI_OK);
    EXPECT_EQ(keyboard->Acquire(), DI_OK);
    source.state[SDL_SCANCODE_ESCAPE] = 1;
    EXPECT_EQ(keyboard->GetDeviceState(256, keys), DI_OK);
    EXPECT_EQ(keys[DIK_ESCAPE], 0x80);

    keyboard->Release();
    directInput->Release();
}

TEST_F(SdlKeyboardTest, DirectInputRefusesVersionsItDoesNotProvide) {
    DirectInput* directInput = reinterpret_cast<DirectInput*>(&windowObject);
    EXPECT_NE(platform.DirectInputCreateA(nullptr, 0x0800, &directInput), DI_OK);
    EXPECT_EQ(directInput, nullptr);
    EXPECT_NE(platform.DirectInputCreateA(nullptr, 0x0200, &directInput), DI_OK);
    EXPECT_EQ(platform.DirectInputCreateA(nullptr, 0x0700, nullptr), DIERR_INVALIDPARAM);
}

}  // namespace
