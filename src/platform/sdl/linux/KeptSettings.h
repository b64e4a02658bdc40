#pragma once

#include <SDL.h>

#include <condition_variable>
#include <mutex>
#include <string>
#include <thread>

#include "platform/sdl/display/SdlWindowOptions.h"
#include "platform/sdl/settings/BestScores.h"
#include "platform/sdl/settings/GameSettings.h"
#include "platform/sdl/shell/PlayerChoices.h"

// The Linux program's settings and best scores between runs
// (src/platform/sdl/settings), met with SDL's window: one object, made by
// main once it knows the game will be played, and handed to those who tell
// the player's changes (the presenter, the sound output). Options given on
// the command line apply to that run only: only what the player changes in
// the game is saved.
//
// A change is noted at once and saved away from the frame, by a writer
// thread of its own: the game thread never writes, locks or flushes the file,
// and never waits for another copy of the game that holds the folder's lock
// (the writer waits a bounded time, then skips that save with one line on
// stderr). Changes made while a save is under way are saved together after
// it. finish() (or the destructor) saves what is still unsaved and ends the
// writer.
class KeptSettings final : public PlayerChoices {
public:
    // Reads the settings file (a bad one is kept aside, with one stderr line).
    KeptSettings();
    ~KeptSettings();
    KeptSettings(const KeptSettings&) = delete;
    KeptSettings& operator=(const KeptSettings&) = delete;

    // The window options the file holds, for the command line to change.
    SdlWindowOptions windowOptions() const;
    // Where the window opens in window mode: the kept place, put back on a
    // screen if the screens changed, no smaller than the minimum. False when
    // none is kept (the program then picks one).
    bool windowPlace(SDL_Rect* place) const;
    // Whether the sound was left muted, and its volume (0 to 10).
    bool muted() const;
    int volume() const;

    // The player's changes (PlayerChoices.h): the window mode (with the
    // window's place and size as it was before it went full screen),
    // whole-number scaling, mute, volume, and the window's place and size in window
    // mode, kept when they differ from what the file holds.
    void fullScreenSwitched(bool fullScreen, const SDL_Rect& windowed) override;
    void integerScaleSwitched(bool on) override;
    void windowSettled(SDL_Window* window) override;
    void muteSwitched(bool muted) override;
    void volumeChanged(int level) override;

    // Saves what is still unsaved and ends the writer; at the program's end.
    void finish();

    // Records the final score and returns the program's line for the game,
    // with the best score, "new best" or "best not saved"; `outcome`, when
    // given, gets the table as kept and this game's place in it. Called once
    // a game has ended, never inside a frame.
    std::string recordFinalScore(long score, ScoreOutcome* outcome = nullptr);

private:
    GameSettings current() const;
    void change(const GameSettings& now);
    void write();

    // Only the writer thread touches the file once it has been read.
    SettingsFile file_;
    mutable std::mutex mutex_;
    std::condition_variable wake_;
    GameSettings settings_;  // as the player left them
    bool unsaved_ = false;
    bool finishing_ = false;
    std::thread writer_;
    // One for the run: a scores file that cannot be written costs one stderr
    // line however many games are played.
    BestScores scores_;
};

// The files, for --help and --scores.
std::string settingsFilePath();
std::string bestScoresPath();
std::string bestScoresText();
