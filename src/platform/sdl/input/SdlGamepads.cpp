#include "platform/sdl/input/SdlGamepads.h"

#include "platform/sdl/shell/SdlEventState.h"

namespace {

// A third of the stick's travel: resting sticks drift, and a light touch
// should not start the ship.
constexpr int kStickDeadZone = 10000;

const SDL_Scancode kPadKeys[] = {SDL_SCANCODE_LEFT, SDL_SCANCODE_RIGHT, SDL_SCANCODE_SPACE,
                                 SDL_SCANCODE_P, SDL_SCANCODE_ESCAPE};

}  // namespace

SDL_Scancode scancodeForButton(int button) {
    switch (button) {
        case SDL_CONTROLLER_BUTTON_DPAD_LEFT:
            return SDL_SCANCODE_LEFT;
        case SDL_CONTROLLER_BUTTON_DPAD_RIGHT:
            return SDL_SCANCODE_RIGHT;
        case SDL_CONTROLLER_BUTTON_A:
        case SDL_CONTROLLER_BUTTON_B:
            return SDL_SCANCODE_SPACE;
        case SDL_CONTROLLER_BUTTON_START:
            return SDL_SCANCODE_P;
        case SDL_CONTROLLER_BUTTON_BACK:
            return SDL_SCANCODE_ESCAPE;
        default:
            return SDL_SCANCODE_UNKNOWN;
    }
}

SDL_Scancode scancodeForStick(int x) {
    if (x <= -kStickDeadZone) return SDL_SCANCODE_LEFT;
    if (x >= kStickDeadZone) return SDL_SCANCODE_RIGHT;
    return SDL_SCANCODE_UNKNOWN;
}

void SdlGamepads::open(int deviceIndex) {
    if (!SDL_IsGameController(deviceIndex)) return;
    SDL_GameController* pad = SDL_GameControllerOpen(deviceIndex);
    if (!pad) return;
    for (SDL_GameController* open : pads_) {
        // SDL offers a pad that was present at start-up again as "added".
        if (open == pad) {
            SDL_GameControllerClose(pad);
            return;
        }
    }
    pads_.push_back(pad);
}

void SdlGamepads::close(SDL_JoystickID id) {
    for (auto it = pads_.begin(); it != pads_.end(); ++it) {
        if (SDL_JoystickInstanceID(SDL_GameControllerGetJoystick(*it)) == id) {
            SDL_GameControllerClose(*it);
            pads_.erase(it);
            return;
        }
    }
}

void SdlGamepads::note(const SDL_Event& event, SdlKeyState& keys) {
    switch (event.type) {
        case SDL_CONTROLLERDEVICEADDED:
            open(event.cdevice.which);
            break;
        case SDL_CONTROLLERDEVICEREMOVED:
            close(event.cdevice.which);
            break;
        case SDL_CONTROLLERBUTTONDOWN: {
            const SDL_Scancode key = scancodeForButton(event.cbutton.button);
            if (key != SDL_SCANCODE_UNKNOWN) keys.keyPressed(key);
            break;
        }
        default:
            break;
    }
}

void SdlGamepads::refreshKeys(SdlKeyState& keys) {
    bool down[SDL_NUM_SCANCODES] = {};
    for (SDL_GameController* pad : pads_) {
        for (int button = 0; button < SDL_CONTROLLER_BUTTON_MAX; ++button) {
            if (!SDL_GameControllerGetButton(pad, static_cast<SDL_GameControllerButton>(button))) {
                continue;
            }
            down[scancodeForButton(button)] = true;
        }
        down[scancodeForStick(SDL_GameControllerGetAxis(pad, SDL_CONTROLLER_AXIS_LEFTX))] = true;
    }
    for (SDL_Scancode key : kPadKeys) keys.holdKey(KeyHolder::Gamepad, key, down[key]);
}

void SdlGamepads::closeAll(SdlKeyState& keys) {
    for (SDL_GameController* pad : pads_) SDL_GameControllerClose(pad);
    pads_.clear();
    keys.releaseKeys(KeyHolder::Gamepad);
}
