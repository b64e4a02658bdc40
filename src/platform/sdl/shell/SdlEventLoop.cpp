#include "platform/sdl/shell/SdlEventLoop.h"

#include <SDL.h>

#include "base/ShellPlatform.h"
#include "platform/sdl/audio/SdlSoundOutput.h"
#include "platform/sdl/input/SdlGamepads.h"
#include "platform/sdl/shell/SdlEventState.h"

namespace {

EndProgramNow endProgramNow = nullptr;

bool isAltEnter(const SDL_Keysym& key) {
    return (key.scancode == SDL_SCANCODE_RETURN || key.scancode == SDL_SCANCODE_KP_ENTER) &&
           (key.mod & KMOD_ALT) != 0;
}

// The window's own keys are taken here and never reach the game.
void onKeyDown(const SDL_KeyboardEvent& key, SdlEventState& state) {
    if (key.repeat) return;
    if (isAltEnter(key.keysym) || key.keysym.scancode == SDL_SCANCODE_F11) {
        state.requestFullScreenToggle();
    } else if (key.keysym.scancode == SDL_SCANCODE_F10) {
        state.requestIntegerScaleToggle();
    } else if (key.keysym.scancode == SDL_SCANCODE_M) {
        sdlSoundOutput().toggleMuted();
    } else if (!sdlSoundOutput().takeVolumeKey(key.keysym.scancode)) {
        state.keyPressed(key.keysym.scancode);
    }
}

void onWindowEvent(const SDL_WindowEvent& window, SdlEventState& state) {
    switch (window.event) {
        case SDL_WINDOWEVENT_CLOSE:
            state.post(WM_DESTROY);
            break;
        case SDL_WINDOWEVENT_EXPOSED:
            state.post(WM_PAINT);
            break;
        case SDL_WINDOWEVENT_FOCUS_LOST:
        case SDL_WINDOWEVENT_MINIMIZED:
        case SDL_WINDOWEVENT_HIDDEN:
            // As Windows says it when another program takes the foreground.
            state.post(WM_ACTIVATEAPP, 0);
            break;
        case SDL_WINDOWEVENT_FOCUS_GAINED:
            state.post(WM_ACTIVATEAPP, 1);
            break;
        case SDL_WINDOWEVENT_SIZE_CHANGED:
            state.windowResized();
            break;
        default:
            break;
    }
}

void dispatch(const SDL_Event& event, SdlEventState& state) {
    switch (event.type) {
        case SDL_KEYDOWN:
            onKeyDown(event.key, state);
            break;
        case SDL_QUIT:
            state.quitRequested();
            state.post(WM_DESTROY);
            break;
        case SDL_APP_TERMINATING:
            state.quitRequested();
            break;
        case SDL_WINDOWEVENT:
            onWindowEvent(event.window, state);
            break;
        case SDL_CONTROLLERDEVICEADDED:
        case SDL_CONTROLLERDEVICEREMOVED:
        case SDL_CONTROLLERBUTTONDOWN:
            noteGamepadEvent(event, state);
            break;
        default:
            break;
    }
}

}  // namespace

void selectSdlEvents() {
    // Closing the one window is a quit request of its own (SDL_QUIT follows
    // the window's close event), and only counts once.
    SDL_SetHint(SDL_HINT_QUIT_ON_LAST_WINDOW_CLOSE, "1");
    // Joystick and controller events stay on: while they are all off SDL
    // stops updating the joysticks at all.
    static const std::uint32_t kUnread[] = {
        SDL_KEYUP,           SDL_TEXTEDITING,   SDL_TEXTINPUT,    SDL_MOUSEMOTION,
        SDL_MOUSEBUTTONDOWN, SDL_MOUSEBUTTONUP, SDL_MOUSEWHEEL,   SDL_FINGERDOWN,
        SDL_FINGERUP,        SDL_FINGERMOTION,  SDL_MULTIGESTURE,
    };
    for (std::uint32_t type : kUnread) SDL_EventState(type, SDL_IGNORE);
    SDL_EventState(SDL_KEYDOWN, SDL_ENABLE);
}

void drainSdlEvents() {
    SDL_PumpEvents();
    SdlEventState& state = sdlEventState();
    SDL_Event events[32];
    int taken = 0;
    while ((taken = SDL_PeepEvents(events, 32, SDL_GETEVENT, SDL_FIRSTEVENT, SDL_LASTEVENT)) > 0) {
        for (int i = 0; i < taken; ++i) dispatch(events[i], state);
    }
    refreshGamepadKeys(state);
    if (state.quitRequests() >= 2 && endProgramNow) endProgramNow();
}

void setEndProgramNow(EndProgramNow end) { endProgramNow = end; }
