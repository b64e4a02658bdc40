#include <gtest/gtest.h>

#include "devices/InputContext.h"
#include "devices/JoystickDevice.h"
#include "platform/sdl/input/SdlDevicePlatform.h"
#include "platform/sdl/input/SdlDirectInput.h"
#include "platform/sdl/input/SdlJoystickDevice.h"
#include "platform/sdl/input/SdlPlayerKeys.h"
#include "support/ScopedPlatform.h"

namespace {

class FocusedSource final : public SdlPlayerKeys {
public:
    SDL_Window* keyboardFocus() override { return focus; }
    const Uint8* keyboardState(int* count) override {
        *count = 0;
        return nullptr;
    }
    SDL_Window* focus = nullptr;
};

// A virtual SDL joystick: six axes, twelve buttons and a hat, driven by the
// test.
class SdlJoystickTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(SDL_InitSubSystem(SDL_INIT_JOYSTICK), 0) << SDL_GetError();
        index_ = SDL_JoystickAttachVirtual(SDL_JOYSTICK_TYPE_GAMECONTROLLER, 6, 12, 1);
        ASSERT_GE(index_, 0) << SDL_GetError();
        stick_ = SDL_JoystickOpen(index_);
        ASSERT_NE(stick_, nullptr) << SDL_GetError();
        source_.focus = window_;
    }

    void TearDown() override {
        if (stick_) SDL_JoystickClose(stick_);
        if (attached_) SDL_JoystickDetachVirtual(index_);
        SDL_QuitSubSystem(SDL_INIT_JOYSTICK);
    }

    void detach() {
        SDL_JoystickDetachVirtual(index_);
        attached_ = false;
    }

    int windowObject_ = 0;
    SDL_Window* window_ = reinterpret_cast<SDL_Window*>(&windowObject_);
    WindowHandle handle_ = reinterpret_cast<WindowHandle>(window_);
    FocusedSource source_;
    SdlDevicePlatform platform_{&source_};
    int index_ = -1;
    bool attached_ = true;
    SDL_Joystick* stick_ = nullptr;
};

TEST_F(SdlJoystickTest, InputSystemJoystickReadsTheStickScaledToItsRange) {
    ScopedDevicePlatform installed{&platform_};
    InputContext context;
    ASSERT_EQ(context.create(nullptr, handle_), 1);
    JoystickDevice joystick;
    ASSERT_EQ(joystick.init(&context), 1);

    SDL_JoystickSetVirtualAxis(stick_, 0, SDL_JOYSTICK_AXIS_MAX);
    SDL_JoystickSetVirtualAxis(stick_, 1, SDL_JOYSTICK_AXIS_MIN);
    SDL_JoystickSetVirtualButton(stick_, 0, SDL_PRESSED);
    SDL_JoystickSetVirtualButton(stick_, 11, SDL_PRESSED);
    ASSERT_EQ(joystick.poll(), 1);
    EXPECT_EQ(joystick.x(), 1000);
    EXPECT_EQ(joystick.y(), -1000);
    EXPECT_TRUE(joystick.button(0));
    EXPECT_FALSE(joystick.button(1));
    EXPECT_TRUE(joystick.button(11));

    SDL_JoystickSetVirtualAxis(stick_, 0, 0);
    SDL_JoystickSetVirtualButton(stick_, 0, SDL_RELEASED);
    ASSERT_EQ(joystick.poll(), 1);
    EXPECT_EQ(joystick.x(), 0);
    EXPECT_FALSE(joystick.button(0));

    // Unplugged while held: the poll fails and nothing stays pressed.
    detach();
    EXPECT_EQ(joystick.poll(), 0);
    EXPECT_FALSE(joystick.button(11));
    EXPECT_EQ(joystick.y(), 0);

    joystick.release();
    context.release();
}

TEST_F(SdlJoystickTest, DeviceStateFillsEveryPartOfTheRecord) {
    DirectInput* directInput = nullptr;
    ASSERT_EQ(platform_.DirectInputCreateA(nullptr, 0x0700, &directInput), DI_OK);
    struct Found {
        int count = 0;
        DiDeviceInstance record{};
    } found;
    ASSERT_EQ(directInput->EnumDevices(
                  DIDEVTYPE_JOYSTICK,
                  [](const DiDeviceInstance* record, void* ref) {
                      auto* into = static_cast<Found*>(ref);
                      ++into->count;
                      into->record = *record;
                      return DIENUM_CONTINUE;
                  },
                  &found, DIEDFL_ATTACHEDONLY),
              DI_OK);
    ASSERT_EQ(found.count, SDL_NumJoysticks());
    EXPECT_EQ(found.record.size, sizeof(DiDeviceInstance));
    EXPECT_EQ(found.record.guidInstance,
              SdlDirectInput::joystickGuid(SDL_JoystickInstanceID(stick_)));

    DirectInputDevice* device = nullptr;
    ASSERT_EQ(directInput->CreateDevice(found.record.guidInstance, &device), DI_OK);
    DirectInputDevice2* device2 = nullptr;
    ASSERT_EQ(device->QueryInterface(IID_IDirectInputDevice2A, &device2), DI_OK);
    device->Release();
    ASSERT_EQ(device2->SetDataFormat(DiDataFormat::Joystick), DI_OK);
    ASSERT_EQ(device2->SetCooperativeLevel(handle_, DISCL_NONEXCLUSIVE | DISCL_FOREGROUND), DI_OK);
    const DiPropRange yRange{24, 16, DIJOFS_Y, DIPH_BYOFFSET, -10, 10};
    ASSERT_EQ(device2->SetProperty(&yRange), DI_OK);
    const DiPropRange backwards{24, 16, DIJOFS_X, DIPH_BYOFFSET, 10, -10};
    EXPECT_NE(device2->SetProperty(&backwards), DI_OK);

    DiJoyState state{};
    EXPECT_EQ(device2->Poll(), DIERR_NOTACQUIRED);
    source_.focus = nullptr;
    EXPECT_EQ(device2->Acquire(), DIERR_OTHERAPPHASPRIO);
    source_.focus = window_;
    ASSERT_EQ(device2->Acquire(), DI_OK);

    SDL_JoystickSetVirtualAxis(stick_, 0, SDL_JOYSTICK_AXIS_MAX);
    SDL_JoystickSetVirtualAxis(stick_, 1, SDL_JOYSTICK_AXIS_MAX);
    SDL_JoystickSetVirtualHat(stick_, 0, SDL_HAT_RIGHT);
    SDL_JoystickSetVirtualButton(stick_, 5, SDL_PRESSED);
    ASSERT_EQ(device2->Poll(), DI_OK);
    EXPECT_EQ(device2->GetDeviceState(40, &state), DIERR_INVALIDPARAM);
    ASSERT_EQ(device2->GetDeviceState(sizeof state, &state), DI_OK);
    EXPECT_EQ(state.lX, 65535);  // no range set: DirectInput's own
    EXPECT_EQ(state.lY, 10);
    EXPECT_EQ(state.lZ, 32768);  // centred
    EXPECT_EQ(state.rgdwPOV[0], 9000u);
    EXPECT_EQ(state.rgdwPOV[1], 0xFFFFFFFFu);  // no second hat
    EXPECT_EQ(state.rgbButtons[5], 0x80);
    EXPECT_EQ(state.rgbButtons[4], 0);
    EXPECT_EQ(state.rgbButtons[12], 0);

    // A focus change is input lost, as for the keyboard.
    source_.focus = nullptr;
    EXPECT_EQ(device2->Poll(), DIERR_INPUTLOST);
    EXPECT_EQ(device2->GetDeviceState(sizeof state, &state), DIERR_NOTACQUIRED);

    device2->Release();
    directInput->Release();
}

TEST_F(SdlJoystickTest, OnlyJoysticksAreOfferedAndOnlyKnownDevicesMade) {
    DirectInput* directInput = nullptr;
    ASSERT_EQ(platform_.DirectInputCreateA(nullptr, 0x0700, &directInput), DI_OK);
    int offered = 0;
    ASSERT_EQ(directInput->EnumDevices(
                  3 /* keyboards */,
                  [](const DiDeviceInstance*, void* ref) {
                      ++*static_cast<int*>(ref);
                      return DIENUM_CONTINUE;
                  },
                  &offered, DIEDFL_ATTACHEDONLY),
              DI_OK);
    EXPECT_EQ(offered, 0);

    // Stopping after the first joystick stops the enumeration.
    SDL_JoystickAttachVirtual(SDL_JOYSTICK_TYPE_GAMECONTROLLER, 2, 2, 0);
    ASSERT_GE(SDL_NumJoysticks(), 2);
    ASSERT_EQ(directInput->EnumDevices(
                  DIDEVTYPE_JOYSTICK,
                  [](const DiDeviceInstance*, void* ref) {
                      ++*static_cast<int*>(ref);
                      return DIENUM_STOP;
                  },
                  &offered, DIEDFL_ATTACHEDONLY),
              DI_OK);
    EXPECT_EQ(offered, 1);
    SDL_JoystickDetachVirtual(SDL_NumJoysticks() - 1);

    DirectInputDevice* device = reinterpret_cast<DirectInputDevice*>(&offered);
    const DiGuid unknown{1, 2, 3, {4, 5, 6, 7, 8, 9, 10, 11}};
    EXPECT_NE(directInput->CreateDevice(unknown, &device), DI_OK);
    EXPECT_EQ(device, nullptr);
    // A joystick that has gone away since it was offered.
    EXPECT_NE(directInput->CreateDevice(SdlDirectInput::joystickGuid(-5), &device), DI_OK);
    directInput->Release();
}

TEST(SdlJoystickAxis, RangeEndsMeetTheStickEnds) {
    EXPECT_EQ(SdlJoystickDevice::scaleAxis(SDL_JOYSTICK_AXIS_MIN, -1000, 1000), -1000);
    EXPECT_EQ(SdlJoystickDevice::scaleAxis(SDL_JOYSTICK_AXIS_MAX, -1000, 1000), 1000);
    EXPECT_EQ(SdlJoystickDevice::scaleAxis(0, -1000, 1000), 0);
    EXPECT_EQ(SdlJoystickDevice::scaleAxis(SDL_JOYSTICK_AXIS_MIN, 0, 65535), 0);
    EXPECT_EQ(SdlJoystickDevice::scaleAxis(SDL_JOYSTICK_AXIS_MAX, 0, 65535), 65535);
    // The widest range does not overflow.
    EXPECT_EQ(SdlJoystickDevice::scaleAxis(SDL_JOYSTICK_AXIS_MAX, INT32_MIN, INT32_MAX), INT32_MAX);
}

}  // namespace
