// The Linux program: the game core on SDL.

#define SDL_MAIN_HANDLED
#include <SDL.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "app/Application.h"
#include "app/EntryPoint.h"
#include "base/ShellPlatform.h"
#include "devices/DevicePlatform.h"
#include "display/DisplayPlatform.h"
#include "platform/sdl/audio/SdlSoundOutput.h"
#include "platform/sdl/display/SdlDisplayPacing.h"
#include "platform/sdl/display/SdlDisplayPlatform.h"
#include "platform/sdl/display/SdlPresenter.h"
#include "platform/sdl/input/SdlDevicePlatform.h"
#include "platform/sdl/linux/BetweenGames.h"
#include "platform/sdl/linux/KeptSettings.h"
#include "platform/sdl/linux/SdlCommandLine.h"
#include "platform/sdl/linux/SdlVideoDriver.h"
#include "platform/sdl/shell/SdlShell.h"
#include "platform/sdl/software/PictureFolders.h"

#ifndef ZORBANIX_VERSION
#define ZORBANIX_VERSION "unknown"
#endif
// Where an installation puts the pictures, seen from the executable's folder.
#ifndef ZORBANIX_DATA_FROM_EXE
#define ZORBANIX_DATA_FROM_EXE "../share/zorbanix"
#endif

// The start tick is read during static initialisation, before main, so the
// shell has to be the default one rather than only installed by main.
ShellPlatform& defaultShellPlatform() { return sdlShellPlatform(); }

namespace {

// The working folder first, as on Windows; then the folder the executable is
// in (a build started from elsewhere); then the data folder beside it, as an
// installation, an unpacked tarball or package lays it out, wherever that is.
std::vector<std::string> pictureFolders() {
    std::vector<std::string> folders = {"."};
    if (char* base = SDL_GetBasePath()) {
        folders.emplace_back(base);
        folders.emplace_back(std::string(base) + ZORBANIX_DATA_FROM_EXE);
        SDL_free(base);
    }
    return folders;
}

// The line of the game that ended the program, unless the screen between
// games printed it. It is recorded with the best scores first, and says the
// best score too. A game ended on the title was never played: no line.
void printFinalScore(KeptSettings& kept) {
    if (lastGamePrinted() || !application().gamePlayed()) return;
    std::printf("%s\n", kept.recordFinalScore(static_cast<long>(application().score())).c_str());
    std::fflush(stdout);
}

// The window's place and size as the player left them, and every change
// saved before the program goes.
void keepLastWindowPlace(KeptSettings& kept) {
    if (WindowHandle window = sdlShellPlatform().window()) {
        kept.windowSettled(reinterpret_cast<SDL_Window*>(window));
    }
    kept.finish();
}

// What SDL's library holds for the program, given back.
void closeSdl(SdlPresenter& presenter) {
    sdlShellPlatform().closeGamepads();
    installSdlPresenter(nullptr);
    presenter.detach();
    SDL_Quit();
}

// A second quit request: the run is left where it stands (its game and
// pictures go with the process), but the devices let go of the screen, the
// keyboard and the sound device first. The shell calls this from its
// message pump, between two frames, never from inside a device's call.
void endProgramNow(KeptSettings& kept, SdlPresenter& presenter) {
    keepLastWindowPlace(kept);
    printFinalScore(kept);
    application().shutdown();
    closeSdl(presenter);
    std::exit(0);
}

}  // namespace

int main(int argc, char** argv) {
    const char* name = argc > 0 && argv[0] ? argv[0] : "zorbanix";
    const CommandLine line = parseCommandLine(argc, argv);
    switch (line.action) {
        case CommandLine::Action::ShowHelp:
            std::fputs(helpText(name).c_str(), stdout);
            std::printf("\nKept between runs (delete a file to start it afresh):\n  %s\n  %s\n",
                        settingsFilePath().c_str(), bestScoresPath().c_str());
            return 0;
        case CommandLine::Action::ShowScores:
            std::fputs(bestScoresText().c_str(), stdout);
            return 0;
        case CommandLine::Action::ShowVersion:
            std::printf("Zorbanix %s\n", ZORBANIX_VERSION);
            return 0;
        case CommandLine::Action::Refuse:
            std::fprintf(stderr, "zorbanix: %s\nTry '%s --help' for the options.\n",
                         line.complaint.c_str(), name);
            return 2;
        case CommandLine::Action::Play:
            break;
    }
    // What the player left set in the game, changed by the command line for
    // this run only. The line is read again on top of the kept settings: the
    // first reading only chose what to do, before any file was read, so that
    // --help, --version and a refused line never touch the settings.
    KeptSettings kept;
    setSdlWindowOptions(parseCommandLine(argc, argv, kept.windowOptions()).window);
    SdlPresenter presenter(sdlPacingClock(), sdlShellPlatform().windowRequests());
    presenter.tellChoices(&kept);
    // The window's class (X11) and application id (Wayland), as the desktop
    // entry's StartupWMClass names them, so that docks group the window with
    // its launcher whatever the executable is called; SDL reads both from
    // the environment, where a player's own choice stays.
    setenv("SDL_VIDEO_X11_WMCLASS", "zorbanix", 0);
    setenv("SDL_VIDEO_WAYLAND_WMCLASS", "zorbanix", 0);

    SDL_SetMainReady();
    // SIGINT and SIGTERM become quit requests (SDL_QUIT), which end the game
    // through its game-over screen; a second one ends the program at once.
    SDL_Init(SDL_INIT_EVENTS);
    std::string why;
    if (!openVisibleVideo(&why)) {
        std::fprintf(stderr, "zorbanix: %s\n", why.c_str());
        SDL_Quit();
        return 1;
    }
    SDL_Rect place;
    if (kept.windowPlace(&place)) {
        SdlWindowOptions options = sdlWindowOptions();
        options.placed = true;
        options.place = place;
        setSdlWindowOptions(options);
    }
    // Sound and controllers are optional: the game runs without them. SDL's
    // audio comes up with the game's sound device (SdlSoundOutput), which
    // keeps the sound library's own messages off the terminal.
    SDL_InitSubSystem(SDL_INIT_JOYSTICK);
    SDL_InitSubSystem(SDL_INIT_GAMECONTROLLER);
    setPictureFolders(pictureFolders());

    // Muted as the player last left it, or by --mute for this run.
    sdlSoundOutput().setMuted(line.muted || kept.muted());
    sdlSoundOutput().setVolume(kept.volume());
    sdlSoundOutput().tellChoices(&kept);
    sdlSoundOutput().enable();
    installSdlPresenter(&presenter);
    installDisplayPlatform(&sdlDisplayPlatform());
    installDevicePlatform(&sdlDevicePlatform());
    installShellPlatform(&sdlShellPlatform());
    sdlShellPlatform().endOnSecondQuit([&] { endProgramNow(kept, presenter); });
    playLinuxGamesWith(&kept);
    setPlayAnotherGame(playAnotherLinuxGame);

    const int exitCode = programMain(nullptr, 1);
    if (exitCode == 0) {
        keepLastWindowPlace(kept);
        printFinalScore(kept);
    } else {
        // The SDL shell's quit code is always 0: anything else is a start
        // that failed before the first frame.
        std::fprintf(stderr, "zorbanix: could not %s: %s\n",
                     sdlShellPlatform().window() ? "take the 800 x 600 display in the window"
                                                 : "make the game's window",
                     SDL_GetError());
    }

    sdlShellPlatform().endOnSecondQuit(nullptr);
    sdlSoundOutput().tellChoices(nullptr);
    closeSdl(presenter);
    return exitCode;
}
