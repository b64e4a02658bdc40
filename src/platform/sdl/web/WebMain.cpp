// The browser program: the game core on SDL, compiled to WebAssembly. The
// page (web/) owns the keyboard and the on-screen buttons and hands keys in
// through the exported functions below; the canvas is the game's
// 800 x 600 window, scaled by the page.

#include <SDL.h>
#include <emscripten.h>

#include "app/Application.h"
#include "app/EntryPoint.h"
#include "base/ShellPlatform.h"
#include "devices/DevicePlatform.h"
#include "display/DisplayPlatform.h"
#include "platform/sdl/audio/SdlSoundOutput.h"
#include "platform/sdl/display/SdlDisplayPlatform.h"
#include "platform/sdl/display/SdlWindowOptions.h"
#include "platform/sdl/input/SdlDevicePlatform.h"
#include "platform/sdl/input/SdlGamepads.h"
#include "platform/sdl/shell/SdlEventState.h"
#include "platform/sdl/shell/SdlShell.h"
#include "platform/sdl/web/CanvasPresenter.h"

// The start tick is read during static initialisation, before main.
ShellPlatform& defaultShellPlatform() { return sdlShellPlatform(); }

// A key of the page, by SDL scancode (the key's position, from the DOM's
// KeyboardEvent.code), pressed or let go. The page calls this for its own
// key events while the canvas has the focus and for the touch buttons.
extern "C" EMSCRIPTEN_KEEPALIVE void zorbanixPageKey(int scancode, int down) {
    holdKey(KeyHolder::Page, static_cast<SDL_Scancode>(scancode), down != 0);
}

// Lets go of every key the page holds: the page lost the focus or was hidden,
// and will hear of no more key releases.
extern "C" EMSCRIPTEN_KEEPALIVE void zorbanixReleasePageKeys() { releaseHeldKeys(KeyHolder::Page); }

// The score of the game running now, or of the last one once it has ended:
// the game-over screen shows none, so the page's end panel says it.
extern "C" EMSCRIPTEN_KEEPALIVE int zorbanixFinalScore() {
    return static_cast<int>(application().score());
}

int main(int, char**) {
    // SDL's own key listeners would act on every key of the whole page
    // (stopping F5 or Tab too). They go on an empty element of the page that
    // never has the focus, so they hear nothing; the page feeds the keys.
    SDL_SetHint(SDL_HINT_EMSCRIPTEN_KEYBOARD_ELEMENT, "#sdl-keys");
    // The canvas is exactly one 800 x 600 picture; the page scales it, so
    // SDL must not size the canvas after the page's layout (which clears it).
    SdlWindowOptions window;
    window.fullScreen = false;
    window.scale = 1;
    window.resizable = false;
    setSdlWindowOptions(window);

    SDL_Init(SDL_INIT_VIDEO | SDL_INIT_EVENTS);
    // Gamepads through the browser's Gamepad API, as on Linux.
    SDL_InitSubSystem(SDL_INIT_JOYSTICK);
    SDL_InitSubSystem(SDL_INIT_GAMECONTROLLER);

    static CanvasPresenter canvas;
    // The cues go to the page's sound (web/sound.js), which the click or key
    // that started the game let start, and which keeps the mute switch and
    // the volume; where it cannot start, the game plays silently.
    sdlSoundOutput().enable();
    installSdlPresenter(&canvas);
    installDisplayPlatform(&sdlDisplayPlatform());
    installDevicePlatform(&sdlDevicePlatform());
    installShellPlatform(&sdlShellPlatform());

    // No second quit request ends a page: nothing asks the browser build to
    // quit but the page's own Quit, which is Escape.
    const int exitCode = programMain(nullptr, 1);

    closeGamepads();
    canvas.detach();
    SDL_Quit();
    // The runtime stays (nothing exits a page); the page shows its end state.
    // The block is JavaScript, left as written.
    // clang-format off
    EM_ASM({ if (Module["onGameEnded"]) Module["onGameEnded"]($0); }, exitCode);
    // clang-format on
    return exitCode;
}
