#pragma once

#include <SDL.h>

#include <condition_variable>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "platform/sdl/display/SdlWindowOptions.h"
#include "platform/sdl/settings/BestScores.h"
#include "platform/sdl/settings/GameSettings.h"
#include "platform/sdl/settings/SavedFile.h"
#include "platform/sdl/shell/PlayerChoices.h"

// The Linux program's settings and best scores between runs
// (src/platform/sdl/settings), met with SDL's window: one object, made by
// main once it knows the game will be played, and handed to those who tell
// the player's changes (the presenter, the sound output). Options given on
// the command line apply to that run only: only what the player changes in
// the game is saved.
//
// A change is noted at once and saved away from the frame, by a writer
// thread of its own, as is each game's final score: the game thread never
// writes, locks or flushes a file, and never waits for another copy of the
// game that holds the folder's lock. A save writes only the settings this
// copy changed, onto the file as it is then, so two copies sharing the
// folder keep each other's changes; a copy that changed nothing writes
// nothing. Where the lock is not had within the bounded wait, the change
// stays unsaved, with one stderr line, and is tried again shortly, at the
// next change and at finish(). finish() (or the destructor) saves what is
// still unsaved, records a score still waiting, and ends the writer.
class KeptSettings final : public PlayerChoices {
public:
    // Reads the settings file and the best scores (a bad one is kept
    // aside, with one stderr line). The path-taking form keeps both files in
    // one folder of the caller's.
    KeptSettings();
    explicit KeptSettings(const std::string& folder);
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
    // whole-number scaling, mute, volume, and the window's place and size in
    // window mode, kept when they differ from what this copy holds.
    void fullScreenSwitched(bool fullScreen, const SDL_Rect& windowed) override;
    void integerScaleSwitched(bool on) override;
    void windowSettled(SDL_Window* window) override;
    void muteSwitched(bool muted) override;
    void volumeChanged(int level) override;

    // Saves what is still unsaved, records a score still waiting, and ends
    // the writer; at the program's end. `lockWait` (milliseconds), when
    // given, bounds each wait for another copy's lock from here on, for an
    // end that must come soon; a wait already begun runs its course.
    void finish(int lockWait = -1);

    // Hands a game's final score to the writer, which records it and prints
    // the program's line for the game ("new best", the best, or "best not
    // saved"), then calls `recorded` (on its own thread) with the outcome.
    // Returns at once, from inside a frame too. After finish(), recorded
    // here and now.
    void recordFinalScoreAway(long score,
                              std::function<void(const ScoreOutcome&)> recorded = nullptr);
    // What is known of the best scores at once, without the file: the table
    // as last read or written, and whether it could not be read.
    ScoreOutcome knownScores() const;

    // Records the final score here and now, and returns the program's line
    // for the game; for the program's end, never inside a frame.
    std::string recordFinalScore(long score, ScoreOutcome* outcome = nullptr);

    // How long the writer waits for another copy's lock, and after a lock
    // it could not have before trying again, in milliseconds. The tries
    // again wait for the lock a tenth of a second at most.
    void setWaits(int lockWait, int retryAfter);

private:
    struct WaitingScore;
    void change(const std::function<void(GameSettings&)>& edit);
    GameSettings current() const;
    void write();
    int lockWait(bool retry) const;
    bool saveSettings(std::unique_lock<std::mutex>& hold);
    void recordScore(const WaitingScore& waiting);

    // Only the writer thread touches the files once they have been read.
    SettingsFile file_;
    BestScores scores_;
    mutable std::mutex mutex_;
    std::condition_variable wake_;
    GameSettings settings_;             // as the player left them
    std::vector<const char*> unsaved_;  // the settings changed and not saved yet
    bool waiting_ = false;              // the last save found the folder locked
    bool told_ = false;                 // and stderr has said so
    bool finishing_ = false;
    bool finished_ = false;
    int lockWait_ = FolderLock::kWaitMilliseconds;
    int retryAfter_ = 500;
    int finishWait_ = -1;
    unsigned changes_ = 0;  // counts the changes, for a retry to see one
    // The final scores for the writer to record, in the order played.
    struct WaitingScore {
        long score;
        std::function<void(const ScoreOutcome&)> recorded;
    };
    std::vector<WaitingScore> waitingScores_;
    ScoreOutcome known_;
    std::thread writer_;
};

// The files, for --help and --scores.
std::string settingsFilePath();
std::string bestScoresPath();
std::string bestScoresText();
