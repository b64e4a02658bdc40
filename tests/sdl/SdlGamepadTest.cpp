// A gamepad plugged in while the game runs plays through the keyboard's
// snapshot, on SDL's virtual joystick posing as a game controller.

#include <SDL.h>
#include <gtest/gtest.h>

#include "platform/sdl/SdlDesktopEvents.h"
#include "platform/sdl/SdlGamepads.h"
#include "platform/sdl/SdlKeyboardSource.h"

namespace {

class SdlGamepadTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(SDL_Init(SDL_INIT_VIDEO | SDL_INIT_GAMECONTROLLER), 0) << SDL_GetError();
        installDesktopEvents();
    }
    void TearDown() override {
        closeGamepads();
        SDL_Quit();
    }

    // One keyboard read after the pads were looked at.
    const Uint8* read() {
        pumpDesktopEvents();
        int count = 0;
        return sdlKeyboardSource().keyboardState(&count);
    }
};

TEST_F(SdlGamepadTest, PadPluggedInLaterHoldsTheGameKeysUntilPulledOut) {
    SDL_VirtualJoystickDesc pad{};
    pad.version = SDL_VIRTUAL_JOYSTICK_DESC_VERSION;
    pad.type = SDL_JOYSTICK_TYPE_GAMECONTROLLER;
    pad.naxes = SDL_CONTROLLER_AXIS_MAX;
    pad.nbuttons = SDL_CONTROLLER_BUTTON_MAX;
    const int index = SDL_JoystickAttachVirtualEx(&pad);
    ASSERT_GE(index, 0) << SDL_GetError();
    SDL_Joystick* joystick = SDL_JoystickOpen(index);
    ASSERT_NE(joystick, nullptr);
    read();

    SDL_JoystickSetVirtualButton(joystick, SDL_CONTROLLER_BUTTON_DPAD_LEFT, SDL_PRESSED);
    SDL_JoystickSetVirtualButton(joystick, SDL_CONTROLLER_BUTTON_START, SDL_PRESSED);
    const Uint8* keys = read();
    EXPECT_TRUE(keys[SDL_SCANCODE_LEFT]);
    EXPECT_TRUE(keys[SDL_SCANCODE_P]);
    EXPECT_FALSE(keys[SDL_SCANCODE_SPACE]);

    // The stick past its dead zone; A pressed and let go between two reads.
    SDL_JoystickSetVirtualButton(joystick, SDL_CONTROLLER_BUTTON_DPAD_LEFT, SDL_RELEASED);
    SDL_JoystickSetVirtualButton(joystick, SDL_CONTROLLER_BUTTON_START, SDL_RELEASED);
    SDL_JoystickSetVirtualAxis(joystick, SDL_CONTROLLER_AXIS_LEFTX, 30000);
    SDL_JoystickSetVirtualButton(joystick, SDL_CONTROLLER_BUTTON_A, SDL_PRESSED);
    pumpDesktopEvents();
    SDL_JoystickSetVirtualButton(joystick, SDL_CONTROLLER_BUTTON_A, SDL_RELEASED);
    keys = read();
    EXPECT_FALSE(keys[SDL_SCANCODE_LEFT]);
    EXPECT_FALSE(keys[SDL_SCANCODE_P]);
    EXPECT_TRUE(keys[SDL_SCANCODE_RIGHT]);
    EXPECT_TRUE(keys[SDL_SCANCODE_SPACE]);
    EXPECT_FALSE(read()[SDL_SCANCODE_SPACE]);

    // Pulled out with the stick still over: nothing stays held.
    SDL_JoystickClose(joystick);
    SDL_JoystickDetachVirtual(index);
    EXPECT_FALSE(read()[SDL_SCANCODE_RIGHT]);
}

}  // namespace
