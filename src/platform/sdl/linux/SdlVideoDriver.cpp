#include "platform/sdl/linux/SdlVideoDriver.h"

#include <SDL.h>

#include <cstdlib>
#include <cstring>

namespace {

// Drivers that open no display at all: off-screen surfaces, nothing, or
// input devices only.
bool drawsUnseen(const char* driver) {
    for (const char* unseen : {"offscreen", "dummy", "evdev"}) {
        if (std::strcmp(driver, unseen) == 0) return true;
    }
    return false;
}

const char* environment(const char* name) {
    const char* value = std::getenv(name);
    return value && *value ? value : nullptr;
}

}  // namespace

bool openVisibleVideo(std::string* why) {
    if (const char* named = environment("SDL_VIDEODRIVER")) {
        if (SDL_InitSubSystem(SDL_INIT_VIDEO) == 0) return true;
        *why = std::string("cannot open the video driver named in SDL_VIDEODRIVER (") + named +
               "): " + SDL_GetError();
        return false;
    }
    std::string lastError;
    for (int i = 0; i < SDL_GetNumVideoDrivers(); ++i) {
        const char* driver = SDL_GetVideoDriver(i);
        if (!driver || drawsUnseen(driver)) continue;
        // Wayland's sockets live in XDG_RUNTIME_DIR; without it the client
        // library can only complain on stderr.
        if (std::strcmp(driver, "wayland") == 0 && !environment("XDG_RUNTIME_DIR")) continue;
        SDL_SetHint(SDL_HINT_VIDEODRIVER, driver);
        if (SDL_InitSubSystem(SDL_INIT_VIDEO) == 0) return true;
        if (lastError.empty()) lastError = std::string(driver) + ": " + SDL_GetError();
    }
    SDL_SetHint(SDL_HINT_VIDEODRIVER, nullptr);
    const char* x11 = environment("DISPLAY");
    const char* wayland = environment("WAYLAND_DISPLAY");
    if (!x11 && !wayland) {
        *why =
            "no display to show the game on (DISPLAY and WAYLAND_DISPLAY are not set): "
            "start it from a desktop session, or set DISPLAY to a running X server";
    } else {
        *why = std::string("cannot open the display ") + (x11 ? x11 : wayland) + " (" + lastError +
               "): check that the X or Wayland server is running and that you may use it";
    }
    return false;
}
