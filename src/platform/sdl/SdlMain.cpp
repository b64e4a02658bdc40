// The Linux program: the game core on SDL.

#define SDL_MAIN_HANDLED
#include <SDL.h>

#include "app/EntryPoint.h"
#include "app/ShellPlatform.h"
#include "devices/DevicePlatform.h"
#include "display/DisplayPlatform.h"
#include "platform/sdl/SdlDevicePlatform.h"
#include "platform/sdl/SdlDisplayPlatform.h"
#include "platform/sdl/SdlShell.h"

// The start tick is read during static initialisation, before main, so the
// shell has to be the default one rather than only installed by main.
ShellPlatform& defaultShellPlatform() { return sdlShellPlatform(); }

int main(int, char**) {
    SDL_SetMainReady();
    // Without video there is no window, which createMainWindow reports. Sound
    // and joysticks are optional: the game runs without them.
    SDL_Init(SDL_INIT_VIDEO | SDL_INIT_EVENTS);
    SDL_InitSubSystem(SDL_INIT_AUDIO);
    SDL_InitSubSystem(SDL_INIT_JOYSTICK);

    installDisplayPlatform(&sdlDisplayPlatform());
    installDevicePlatform(&sdlDevicePlatform());
    installShellPlatform(&sdlShellPlatform());

    const int exitCode = programMain(nullptr, 1);

    sdlPresenter().detach();
    SDL_Quit();
    return exitCode;
}
