#include "app/Application.h"

#include <new>

#include "app/GameClock.h"
#include "app/ShellPlatform.h"
#include "devices/DirectSoundApi.h"
#include "devices/InputSystem.h"
#include "devices/SoundSystem.h"
#include "display/DisplayDevice.h"
#include "game/Game.h"

namespace {

constexpr std::uint32_t kScreenWidth = 800;
constexpr std::uint32_t kScreenHeight = 600;
constexpr std::uint32_t kBitsPerPixel = 16;

// Both are defined in this one file so that their order is fixed: the
// Application is constructed first, then the start tick is taken. Every game
// time is measured from that tick.
Application theApplication;
const std::uint32_t theStartTick = shellPlatform().GetTickCount();

// The difference of two tick counts as a signed value, wrapping the way the
// 32-bit counter does, without overflowing a signed type.
std::int32_t toSigned(std::uint32_t difference) {
    if (difference <= 0x7FFFFFFFu) return static_cast<std::int32_t>(difference);
    return -static_cast<std::int32_t>(0xFFFFFFFFu - difference) - 1;
}

}  // namespace

Application& application() { return theApplication; }

std::uint32_t startTick() { return theStartTick; }

std::int32_t gameTime() { return toSigned(shellPlatform().GetTickCount() - theStartTick); }

std::uint32_t rawTickCount() { return shellPlatform().GetTickCount(); }

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
    ShellPlatform& shell = shellPlatform();

    Game game;
    game_ = &game;
    game.setUp(displayDevice_, inputSystem_);
    game.runIntro();

    do {
        game.startWave();
        while (game.state() >= Playing) {
            // Never wait for a message: a pass with none still runs its update,
            // and a backlog is worked off one message per frame.
            if (shell.PeekMessageA(message, nullptr, 0, 0, PM_REMOVE)) {
                if (message->message == WM_QUIT) break;
                shell.TranslateMessage(message);
                shell.DispatchMessageA(message);
            }
            // Going to the background while the screens before play ran
            // counts too: the messages waited in the queue until now.
            if (foregroundLost_) {
                foregroundLost_ = false;
                game.pauseInBackground();
            }
            game.update();
        }
    } while (game.state() == WaveCleared);

    // Whatever ended the game (loss, Escape, or WM_QUIT with the state still
    // running), the game-over screen has its full time.
    game.runGameOver();
    lastScore_ = game.score();
    game_ = nullptr;
    game.tearDown();
}
