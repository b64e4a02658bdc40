#include "app/Application.h"

#include <new>
#include <utility>

#include "app/BetweenGames.h"
#include "base/ShellPlatform.h"
#include "devices/DirectSoundApi.h"
#include "devices/InputSystem.h"
#include "devices/SoundSystem.h"
#include "display/DisplayDevice.h"
#include "game/Game.h"

namespace {

constexpr std::uint32_t kScreenWidth = 800;
constexpr std::uint32_t kScreenHeight = 600;
constexpr std::uint32_t kBitsPerPixel = 16;

// Constant-initialised: its constructor only empties the fields, so it exists
// before any initialiser runs, and the start tick (base/GameClock.cpp) is
// taken after it, as the start-up order has it.
Application theApplication;

// Set by the Linux and browser programs only.
PlayAnotherGame playAnotherGame;

}  // namespace

Application& application() { return theApplication; }

void setPlayAnotherGame(PlayAnotherGame ask) { playAnotherGame = std::move(ask); }

Application::~Application() {
    displayDevice_ = nullptr;
    inputSystem_ = nullptr;
    soundSystem_ = nullptr;
    window_ = nullptr;
    instance_ = nullptr;
}

int Application::initialize(WindowHandle window, InstanceHandle instance) {
    // A second set-up must not leak the devices of the first.
    shutdown();

    displayDevice_ = new (std::nothrow) DisplayDevice();
    if (!displayDevice_ ||
        !displayDevice_->Create(window, kScreenWidth, kScreenHeight, kBitsPerPixel)) {
        return 0;
    }

    // The game runs whether or not the keyboard and the sound device come up.
    inputSystem_ = new (std::nothrow) InputSystem();
    if (inputSystem_) inputSystem_->init(window, instance, false);
    soundSystem_ = new (std::nothrow) SoundSystem();
    if (soundSystem_) soundSystem_->create(window, nullptr, DSSCL_NORMAL);

    window_ = window;
    instance_ = instance;
    return 1;
}

void Application::shutdown() {
    if (displayDevice_) {
        delete displayDevice_;
        displayDevice_ = nullptr;
    }
    if (inputSystem_) {
        delete inputSystem_;
        inputSystem_ = nullptr;
    }
    if (soundSystem_) {
        delete soundSystem_;
        soundSystem_ = nullptr;
    }
}

std::int32_t Application::score() const { return game_ ? game_->score() : lastScore_; }

void Application::run(ShellMessage* message) {
    ShellMessage scratch = {};
    if (!message) message = &scratch;

    bool firstGame = true;
    for (;;) {
        // Each game is a Game of its own: score, ships, ship, bullets, fleet
        // and bunkers all start as they did for the first.
        Game game;
        game_ = &game;
        gamePlayed_ = false;
        game.setUp(displayDevice_, inputSystem_);
        if (firstGame) game.runIntro();
        firstGame = false;

        const bool quitRetrieved = playWaves(game, message);

        // Whatever ended the game (loss, Escape, or WM_QUIT with the state
        // still running), the game-over screen has its full time.
        game.runGameOver();
        lastScore_ = game.score();
        game_ = nullptr;
        game.tearDown();

        if (quitRetrieved || !playAnotherGame) return;
        if (!playAnotherGame({lastScore_, gamePlayed_, displayDevice_, inputSystem_})) return;
    }
}

bool Application::playWaves(Game& game, ShellMessage* message) {
    ShellPlatform& shell = shellPlatform();
    do {
        game.startWave();
        while (game.state() >= Playing) {
            // Never wait for a message: a pass with none still runs its update,
            // and a backlog is worked off one message per frame.
            if (shell.PeekMessageA(message, nullptr, 0, 0, PM_REMOVE)) {
                if (message->message == WM_QUIT) return true;
                shell.TranslateMessage(message);
                shell.DispatchMessageA(message);
            }
            // Going to the background while the screens before play ran
            // counts too, unless the foreground came back before play.
            if (foregroundLost_) {
                foregroundLost_ = false;
                game.pauseInBackground();
            }
            game.update();
            if (game.state() >= Playing) gamePlayed_ = true;
        }
    } while (game.state() == WaveCleared);
    return false;
}
