#include "platform/sdl/input/SdlGamepads.h"

#include <vector>

#include "platform/sdl/shell/SdlEventState.h"

namespace {

// A third of the stick's travel: resting sticks drift, and a light touch
// should not start the ship.
constexpr int kStickDeadZone = 10000;

const SDL_Scancode kPadKeys[] = {SDL_SCANCODE_LEFT, SDL_SCANCODE_RIGHT, SDL_SCANCODE_SPACE,
                                 SDL_SCANCODE_P, SDL_SCANCODE_ESCAPE};

std::vector<SDL_GameController*>& openPads() {
    static std::vector<SDL_GameController*> pads;
    return pads;
}

void openPad(int deviceIndex) {
    if (!SDL_IsGameController(deviceIndex)) return;
    SDL_GameController* pad = SDL_GameControllerOpen(deviceIndex);
    if (!pad) return;
    for (SDL_GameController* open : openPads()) {
        // SDL offers a pad that was present at start-up again as "added".
        if (open == pad) {
            SDL_GameControllerClose(pad);
            return;
        }
    }
    openPads().push_back(pad);
}

void closePad(SDL_JoystickID id) {
    auto& pads = openPads();
    for (auto it = pads.begin(); it != pads.end(); ++it) {
        if (SDL_JoystickInstanceID(SDL_GameControllerGetJoystick(*it)) == id) {
            SDL_GameControllerClose(*it);
            pads.erase(it);
            return;
        }
    }
}

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

void noteGamepadEvent(const SDL_Event& event, SdlEventState& state) {
    switch (event.type) {
        case SDL_CONTROLLERDEVICEADDED:
            openPad(event.cdevice.which);
            break;
        case SDL_CONTROLLERDEVICEREMOVED:
            closePad(event.cdevice.which);
            break;
        case SDL_CONTROLLERBUTTONDOWN: {
            const SDL_Scancode key = scancodeForButton(event.cbutton.button);
            if (key != SDL_SCANCODE_UNKNOWN) state.keyPressed(key);
            break;
        }
        default:
            break;
    }
}

void refreshGamepadKeys(SdlEventState& state) {
    bool down[SDL_NUM_SCANCODES] = {};
    for (SDL_GameController* pad : openPads()) {
        for (int button = 0; button < SDL_CONTROLLER_BUTTON_MAX; ++button) {
            if (!SDL_GameControllerGetButton(pad, static_cast<SDL_GameControllerButton>(button))) {
                continue;
            }
            down[scancodeForButton(button)] = true;
        }
        down[scancodeForStick(SDL_GameControllerGetAxis(pad, SDL_CONTROLLER_AXIS_LEFTX))] = true;
    }
    for (SDL_Scancode key : kPadKeys) state.holdKey(KeyHolder::Gamepad, key, down[key]);
}

void closeGamepads() {
    for (SDL_GameController* pad : openPads()) SDL_GameControllerClose(pad);
    openPads().clear();
    sdlEventState().releaseKeys(KeyHolder::Gamepad);
}
