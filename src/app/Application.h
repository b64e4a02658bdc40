#pragma once

#include <cstdint>

#include "base/Handles.h"

class DisplayDevice;
class Game;
class InputSystem;
class SoundSystem;
struct ShellMessage;

// Owns the three devices for the whole run and drives one game. There is one
// instance, application(), built during static initialisation with every
// field empty.
class Application {
public:
    // constexpr: the one instance is constant-initialised, before any code
    // runs at start-up.
    constexpr Application() = default;
    // Runs at exit: only forgets the devices, which shutdown() destroys.
    ~Application();
    Application(const Application&) = delete;
    Application& operator=(const Application&) = delete;

    // Creates the display (800 x 600 x 16), the keyboard-only input system
    // and the sound device. Only a display failure counts: it answers 0 and
    // leaves the display device for shutdown() to destroy.
    int initialize(WindowHandle window, InstanceHandle instance);
    // Destroys the display device, the input system and the sound system,
    // in that order, each only if present.
    void shutdown();
    // One whole game: set-up, intro and title, the waves with the message
    // pump, the game-over screen and teardown; then, where the platform
    // asks for one (app/BetweenGames.h), a fresh game from its get-ready,
    // and so on. The pump leaves the last message it retrieved in *message.
    void run(ShellMessage* message);

    // The program went to the background (another window took the
    // foreground, or it was minimised): a wave in play or getting ready is
    // paused before its next update, as if P had been pressed.
    void foregroundLost() { foregroundLost_ = true; }
    // The program has the foreground again: a loss not yet acted on is
    // forgotten, so that a player who switched away on the title and came
    // back does not find the first wave paused. A pause already made stays.
    void foregroundRegained() { foregroundLost_ = false; }
    // The score the game shows, of the game running now or of the last one.
    std::int32_t score() const;
    // Whether the game running now, or the last one, has been in play (see
    // FinishedGame::played): one ended on the title has no score to report.
    bool gamePlayed() const { return gamePlayed_; }

    DisplayDevice* displayDevice() const { return displayDevice_; }
    InputSystem* inputSystem() const { return inputSystem_; }
    SoundSystem* soundSystem() const { return soundSystem_; }
    WindowHandle window() const { return window_; }
    InstanceHandle instance() const { return instance_; }

private:
    // The waves of one game with the message pump; true when WM_QUIT ended
    // them.
    bool playWaves(Game& game, ShellMessage* message);

    DisplayDevice* displayDevice_ = nullptr;
    InputSystem* inputSystem_ = nullptr;
    SoundSystem* soundSystem_ = nullptr;
    WindowHandle window_ = nullptr;
    InstanceHandle instance_ = nullptr;
    const Game* game_ = nullptr;
    std::int32_t lastScore_ = 0;
    bool foregroundLost_ = false;
    bool gamePlayed_ = false;
};

Application& application();
