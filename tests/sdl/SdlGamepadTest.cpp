// A gamepad plugged in while the game runs plays through the keys the game
// reads, on SDL's virtual joystick posing as a game controller; and however
// busy a pad is, the shell's message pump keeps window messages flowing.

#include <SDL.h>
#include <gtest/gtest.h>

#include "base/ShellPlatform.h"
#include "platform/sdl/input/SdlGamepads.h"
#include "platform/sdl/input/SdlPlayerKeys.h"
#include "platform/sdl/shell/SdlPlatform.h"

namespace {

class SdlGamepadTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(SDL_Init(SDL_INIT_VIDEO | SDL_INIT_GAMECONTROLLER), 0) << SDL_GetError();
        SdlEventLoop::selectEvents();
    }
    void TearDown() override {
        if (joystick_) SDL_JoystickClose(joystick_);
        if (index_ >= 0) SDL_JoystickDetachVirtual(index_);
        platform_.shell().closeGamepads();
        SDL_Quit();
    }

    // A pad with every button and axis of a game controller.
    SDL_Joystick* plugInPad() {
        SDL_VirtualJoystickDesc pad{};
        pad.version = SDL_VIRTUAL_JOYSTICK_DESC_VERSION;
        pad.type = SDL_JOYSTICK_TYPE_GAMECONTROLLER;
        pad.naxes = SDL_CONTROLLER_AXIS_MAX;
        pad.nbuttons = SDL_CONTROLLER_BUTTON_MAX;
        index_ = SDL_JoystickAttachVirtualEx(&pad);
        EXPECT_GE(index_, 0) << SDL_GetError();
        joystick_ = SDL_JoystickOpen(index_);
        EXPECT_NE(joystick_, nullptr);
        return joystick_;
    }

    // One read of the keys after a frame's pump of the events.
    const Uint8* read() {
        platform_.shell().deliverSentMessages();
        int count = 0;
        return keys_.keyboardState(&count);
    }

    SdlPlatform platform_;
    SdlShellKeys keys_{platform_.shell().keys()};
    int index_ = -1;
    SDL_Joystick* joystick_ = nullptr;
};

TEST_F(SdlGamepadTest, PadPluggedInLaterHoldsTheGameKeysUntilPulledOut) {
    SDL_Joystick* joystick = plugInPad();
    ASSERT_NE(joystick, nullptr);
    read();

    SDL_JoystickSetVirtualButton(joystick, SDL_CONTROLLER_BUTTON_DPAD_LEFT, SDL_PRESSED);
    SDL_JoystickSetVirtualButton(joystick, SDL_CONTROLLER_BUTTON_START, SDL_PRESSED);
    const Uint8* keys = read();
    EXPECT_TRUE(keys[SDL_SCANCODE_LEFT]);
    EXPECT_TRUE(keys[SDL_SCANCODE_P]);
    EXPECT_FALSE(keys[SDL_SCANCODE_SPACE]);
    // Held on through one more frame with no read: holding is no new press,
    // so once let go the buttons read as up at the very next read.
    platform_.shell().deliverSentMessages();

    // The stick past its dead zone; A pressed and let go between two reads.
    SDL_JoystickSetVirtualButton(joystick, SDL_CONTROLLER_BUTTON_DPAD_LEFT, SDL_RELEASED);
    SDL_JoystickSetVirtualButton(joystick, SDL_CONTROLLER_BUTTON_START, SDL_RELEASED);
    SDL_JoystickSetVirtualAxis(joystick, SDL_CONTROLLER_AXIS_LEFTX, 30000);
    SDL_JoystickSetVirtualButton(joystick, SDL_CONTROLLER_BUTTON_A, SDL_PRESSED);
    platform_.shell().deliverSentMessages();
    SDL_JoystickSetVirtualButton(joystick, SDL_CONTROLLER_BUTTON_A, SDL_RELEASED);
    keys = read();
    EXPECT_FALSE(keys[SDL_SCANCODE_LEFT]);
    EXPECT_FALSE(keys[SDL_SCANCODE_P]);
    EXPECT_TRUE(keys[SDL_SCANCODE_RIGHT]);
    EXPECT_TRUE(keys[SDL_SCANCODE_SPACE]);
    EXPECT_FALSE(read()[SDL_SCANCODE_SPACE]);

    // Pulled out with the stick still over: nothing stays held.
    SDL_JoystickClose(joystick);
    joystick_ = nullptr;
    SDL_JoystickDetachVirtual(index_);
    index_ = -1;
    EXPECT_FALSE(read()[SDL_SCANCODE_RIGHT]);
}

TEST_F(SdlGamepadTest, AStickFloodingEventsDoesNotHoldUpAFocusLoss) {
    // The windowless window never has the keyboard, without which SDL would
    // let no stick move.
    SDL_SetHint(SDL_HINT_JOYSTICK_ALLOW_BACKGROUND_EVENTS, "1");
    const SdlWindowOptions options;
    SdlShell shell(options);
    installShellPlatform(&shell);
    const WindowHandle window = shell.createMainWindow("Zorbanix", nullptr);
    ASSERT_NE(window, nullptr) << SDL_GetError();
    SDL_Joystick* joystick = plugInPad();
    ASSERT_NE(joystick, nullptr);

    // One frame as play runs it: the run loop takes one message, the pump
    // taking SDL's events first.
    ShellMessage message = {};
    const auto frame = [&](int n) {
        // Every axis moves at every frame, each move an event or two.
        for (int axis = 0; axis < SDL_CONTROLLER_AXIS_MAX; ++axis) {
            SDL_JoystickSetVirtualAxis(joystick, axis,
                                       static_cast<Sint16>((n % 2 ? 1 : -1) * 20000));
        }
        return shell.PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE);
    };
    // Five seconds of play at 60 frames a second.
    for (int n = 0; n < 300; ++n) frame(n);

    // The loss is real: the window is still without the keyboard.
    SDL_Event lost = {};
    lost.type = SDL_WINDOWEVENT;
    lost.window.event = SDL_WINDOWEVENT_FOCUS_LOST;
    lost.window.windowID = SDL_GetWindowID(reinterpret_cast<SDL_Window*>(window));
    ASSERT_EQ(SDL_PushEvent(&lost), 1);
    bool paused = false;
    for (int n = 0; n < 2 && !paused; ++n) {
        paused = frame(n) && message.message == WM_ACTIVATEAPP && message.wParam == 0;
    }
    EXPECT_TRUE(paused);

    installShellPlatform(nullptr);
    SDL_DestroyWindow(reinterpret_cast<SDL_Window*>(window));
}

}  // namespace
