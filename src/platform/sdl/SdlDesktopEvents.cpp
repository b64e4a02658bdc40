#include "platform/sdl/SdlDesktopEvents.h"

#include <SDL.h>

#include <cstdio>
#include <cstdlib>

#include "app/Application.h"
#include "platform/sdl/SdlDisplayPlatform.h"
#include "platform/sdl/SdlGamepads.h"
#include "platform/sdl/SdlKeyboardSource.h"
#include "platform/sdl/SdlWindowOptions.h"

namespace {

int quitRequests = 0;

bool isAltEnter(const SDL_KeyboardEvent& key) {
    return (key.keysym.scancode == SDL_SCANCODE_RETURN ||
            key.keysym.scancode == SDL_SCANCODE_KP_ENTER) &&
           (key.keysym.mod & KMOD_ALT) != 0;
}

int SDLCALL filterEvent(void*, SDL_Event* event) {
    switch (event->type) {
        case SDL_KEYDOWN:
            if (event->key.repeat) return 0;
            if (isAltEnter(event->key) || event->key.keysym.scancode == SDL_SCANCODE_F11) {
                requestFullScreenToggle();
            } else if (event->key.keysym.scancode == SDL_SCANCODE_F10) {
                requestIntegerScaleToggle();
            } else {
                noteKeyPressed(event->key.keysym.scancode);
            }
            return 0;
        case SDL_KEYUP:
        case SDL_TEXTEDITING:
        case SDL_TEXTINPUT:
            return 0;
        case SDL_QUIT:
        case SDL_APP_TERMINATING:
            ++quitRequests;
            noteQuitRequested();
            return 1;
        default:
            return noteGamepadEvent(*event) ? 0 : 1;
    }
}

}  // namespace

void installDesktopEvents() {
    // Closing the one window is a quit request of its own (SDL_QUIT follows
    // the window's close event), and only counts once.
    SDL_SetHint(SDL_HINT_QUIT_ON_LAST_WINDOW_CLOSE, "1");
    SDL_SetEventFilter(filterEvent, nullptr);
    // Key presses pass through the filter, which notes and drops them.
    SDL_EventState(SDL_KEYDOWN, SDL_ENABLE);
}

void pumpDesktopEvents() {
    SDL_PumpEvents();
    refreshGamepadKeys();
    if (quitRequests >= 2) endProgramNow();
}

void printFinalScore() {
    std::printf("Zorbanix: final score %ld\n", static_cast<long>(application().score()));
    std::fflush(stdout);
}

void endProgramNow() {
    printFinalScore();
    // The run is left where it stands: its game and pictures go with the
    // process, but the devices let go of the screen, the keyboard and the
    // sound device first.
    application().shutdown();
    closeGamepads();
    sdlPresenter().detach();
    SDL_Quit();
    std::exit(0);
}
