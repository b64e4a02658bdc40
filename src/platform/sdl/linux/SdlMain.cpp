// The Linux program: the game core on SDL.

#define SDL_MAIN_HANDLED
#include <SDL.h>

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "app/Application.h"
#include "app/EntryPoint.h"
#include "base/ShellPlatform.h"
#include "platform/sdl/linux/BetweenGames.h"
#include "platform/sdl/linux/KeptSettings.h"
#include "platform/sdl/linux/LinuxReplays.h"
#include "platform/sdl/linux/SdlCommandLine.h"
#include "platform/sdl/linux/SdlVideoDriver.h"
#include "platform/sdl/shell/SdlPlatform.h"

#ifndef ZORBANIX_VERSION
#define ZORBANIX_VERSION "unknown"
#endif
// Where an installation puts the pictures, seen from the executable's folder.
#ifndef ZORBANIX_DATA_FROM_EXE
#define ZORBANIX_DATA_FROM_EXE "../share/zorbanix"
#endif

// The start tick is read during static initialisation, before main makes
// the platform, so the core needs a shell of its own before then: this one
// only tells the time (SDL's tick count, as the platform's shell does) until
// main installs the platform's.
ShellPlatform& defaultShellPlatform() {
    static const SdlWindowOptions kNone;
    static SdlShell clockOnly(kNone);
    return clockOnly;
}

namespace {

// How long the end of the program waits for what it saves: longer than the
// saves' own waits for another copy's lock, so nothing is lost; but a program
// told to go once more (a second quit request, or one that comes while it
// waits) goes at once, whatever it could not save.
constexpr std::chrono::milliseconds kEndingSaveWait{7000};
constexpr std::chrono::milliseconds kLeavingSaveWait{200};
// How often the wait looks for a quit request.
constexpr std::chrono::milliseconds kQuitCheck{20};

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

// What the end of the program saves, done on a thread of its own so that
// main waits a bounded time: the last game's score (unless the screen
// between games recorded it) and every settings change still unsaved.
struct PendingSave {
    std::mutex mutex;
    std::condition_variable finished;
    bool done = false;
    std::string line;  // the game's line, once its score is recorded
};

// Saves what is pending, waiting kEndingSaveWait at most, or kLeavingSaveWait
// from a second quit request on, or from one that comes while it waits (the
// wait takes the shell's events for that). False when that was not enough
// (another copy holds a folder's lock): the saving thread is then left to
// the process's end, and `kept` with it.
bool savePending(KeptSettings* kept, bool recordScore, long score, SdlShell& shell,
                 std::string* line) {
    auto pending = std::make_shared<PendingSave>();
    std::thread([kept, recordScore, score, pending] {
        std::string recorded = recordScore ? kept->recordFinalScore(score) : std::string();
        kept->finish();
        const std::lock_guard<std::mutex> hold(pending->mutex);
        pending->line = std::move(recorded);
        pending->done = true;
        pending->finished.notify_one();
    }).detach();
    using Clock = std::chrono::steady_clock;
    const int quits = shell.keys().quitRequests();
    bool hurried = shell.leaving();
    auto deadline = Clock::now() + (hurried ? kLeavingSaveWait : kEndingSaveWait);
    std::unique_lock<std::mutex> hold(pending->mutex);
    while (!pending->finished.wait_for(hold, kQuitCheck, [&] { return pending->done; })) {
        if (Clock::now() >= deadline) return false;
        if (!hurried) {
            hold.unlock();
            shell.deliverSentMessages();
            hold.lock();
            if (shell.keys().quitRequests() > quits) {
                hurried = true;
                deadline = std::min(deadline, Clock::now() + kLeavingSaveWait);
            }
        }
    }
    *line = pending->line;
    return true;
}

// The program's one way out once the game has run: the window's place noted
// as the player left it, what is pending saved within the wait, and the
// line of the game that ended the program printed, unless the screen
// between games printed it (or it was a replay's). Returns whether `kept`
// may be destroyed.
bool leave(KeptSettings* kept, SdlShell& shell, bool replayed, bool lastGamePrinted) {
    if (WindowHandle window = shell.window()) {
        kept->windowSettled(reinterpret_cast<SDL_Window*>(window));
    }
    // A game ended on the title was never played: it has no line.
    const bool recordScore = !replayed && !lastGamePrinted && application().gamePlayed();
    const long score = static_cast<long>(application().score());
    std::string line;
    const bool saved = savePending(kept, recordScore, score, shell, &line);
    if (recordScore) {
        if (!saved) {
            line = "Zorbanix: final score " + std::to_string(score) +
                   (score > 0 ? " (best not saved)" : "");
        }
        std::printf("%s\n", line.c_str());
        std::fflush(stdout);
    }
    return saved;
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
    // --help, --version and a refused line never touch the settings. The
    // settings outlive the platform when their saving is left unfinished.
    auto kept = std::make_unique<KeptSettings>();
    SdlPlatform platform(parseCommandLine(argc, argv, kept->windowOptions()).window);
    platform.windowPresenter().tellChoices(kept.get());
    // The window's class (X11) and application id (Wayland), as the desktop
    // entry's StartupWMClass names them, so that docks group the window with
    // its launcher whatever the executable is called; SDL reads both from
    // the environment, where a player's own choice stays.
    setenv("SDL_VIDEO_X11_WMCLASS", "zorbanix", 0);
    setenv("SDL_VIDEO_WAYLAND_WMCLASS", "zorbanix", 0);

    SDL_SetMainReady();
    // SIGINT and SIGTERM become quit requests (SDL_QUIT), which end the game
    // through its game-over screen; after a second one the program leaves
    // at once (SdlShell.h).
    SDL_Init(SDL_INIT_EVENTS);
    std::string why;
    if (!openVisibleVideo(&why)) {
        std::fprintf(stderr, "zorbanix: %s\n", why.c_str());
        SDL_Quit();
        return 1;
    }
    SDL_Rect place;
    if (kept->windowPlace(&place)) {
        platform.windowOptions().placed = true;
        platform.windowOptions().place = place;
    }
    // Sound and controllers are optional: the game runs without them. SDL's
    // audio comes up with the game's sound device (SdlSoundOutput), which
    // keeps the sound library's own messages off the terminal.
    SDL_InitSubSystem(SDL_INIT_JOYSTICK);
    SDL_InitSubSystem(SDL_INIT_GAMECONTROLLER);
    platform.display().setPictureFolders(pictureFolders());

    // Muted as the player last left it, or by --mute for this run.
    SdlSoundOutput& sound = platform.sound();
    sound.setMuted(line.muted || kept->muted());
    sound.setVolume(kept->volume());
    sound.tellChoices(kept.get());
    sound.enable();
    LinuxBetweenGames betweenGames(kept.get());
    LinuxReplays replays(platform, betweenGames);
    const bool replaying = !line.replayFile.empty();
    if (replaying && !replays.load(line.replayFile, pictureFolders(), &why)) {
        std::fprintf(stderr, "zorbanix: %s\n", why.c_str());
        sound.disable();
        sound.tellChoices(nullptr);
        SDL_Quit();
        return 1;
    }
    replays.install();

    // The game and its devices are gone when programMain returns.
    const int exitCode = programMain(nullptr, 1);
    const bool lastGamePrinted = betweenGames.lastGamePrinted();
    const std::string mismatch = replays.mismatch();
    replays.finish(application().gamePlayed(), application().score());
    sound.disable();
    sound.tellChoices(nullptr);
    if (exitCode == 0) {
        if (!leave(kept.get(), platform.shell(), replaying, lastGamePrinted)) {
            std::fprintf(stderr, "zorbanix: left before everything could be saved\n");
            // Its saving thread still uses it until the process ends.
            static_cast<void>(kept.release());
        }
    } else {
        // The SDL shell's quit code is always 0: anything else is a start
        // that failed before the first frame.
        std::fprintf(stderr, "zorbanix: could not %s: %s\n",
                     platform.shell().window() ? "take the 800 x 600 display in the window"
                                               : "make the game's window",
                     SDL_GetError());
    }
    platform.uninstall();
    SDL_Quit();
    if (exitCode == 0 && !mismatch.empty()) {
        std::fprintf(stderr, "zorbanix: %s\n", mismatch.c_str());
        return 1;
    }
    return exitCode;
}
