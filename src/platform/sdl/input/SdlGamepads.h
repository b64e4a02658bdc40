#pragma once

#include <SDL.h>

#include <vector>

class SdlKeyState;

// Gamepads through SDL's game-controller API, plugged in and out at any time.
// They play through the keyboard's snapshot: the d-pad and the left stick
// hold Left and Right, A or B holds Space, Start holds P and Back holds
// Escape. The game itself never hears of them. The event loop owns the open
// pads and is the one that calls these.
class SdlGamepads {
public:
    // Opens a pad that was plugged in, closes one that was pulled out, and
    // notes a button press for the next key read (a tap shorter than a frame).
    void note(const SDL_Event& event, SdlKeyState& keys);
    // Holds the keys that the open pads hold now, and lets go of the others.
    void refreshKeys(SdlKeyState& keys);
    // Before SDL is shut down: SDL frees the pads itself at SDL_Quit.
    void closeAll(SdlKeyState& keys);

private:
    void open(int deviceIndex);
    void close(SDL_JoystickID id);

    std::vector<SDL_GameController*> pads_;
};

// The key a pad's button stands for; SDL_SCANCODE_UNKNOWN for none.
SDL_Scancode scancodeForButton(int button);
// The key the left stick's horizontal position holds, past a dead zone.
SDL_Scancode scancodeForStick(int x);
